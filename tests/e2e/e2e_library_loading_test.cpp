// A copy of converter.exe saved in a folder that also holds files named like
// the system libraries it uses (a planted Downloads folder): it starts,
// prints and ends with none of them loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"

namespace {

using namespace std::chrono_literals;

const wchar_t* const kPlantedNames[] = {L"winspool.drv", L"comctl32.dll", L"msimg32.dll"};

// Wine prefers its own builtin libraries to files of the same name; told to
// prefer native files, it searches the program's folder first as Windows
// does. Wine's per-program settings say so for the planted copy alone (on
// Windows the key means nothing).
class PreferNativeLibraries {
 public:
  explicit PreferNativeLibraries(const std::wstring& exeName)
      : key_(L"Software\\Wine\\AppDefaults\\" + exeName) {
    HKEY overrides = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &overrides, nullptr) != ERROR_SUCCESS)
      return;
    // Wine names a library without ".dll", and others with their extension.
    for (const wchar_t* name : {L"comctl32", L"msimg32", L"winspool.drv"}) {
      const wchar_t order[] = L"native,builtin";
      RegSetValueExW(overrides, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof order);
    }
    RegCloseKey(overrides);
  }
  ~PreferNativeLibraries() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

 private:
  std::wstring key_;
};

// A fresh folder with a copy of the converter and the planted libraries;
// removed with everything in it.
class PlantedFolder {
 public:
  PlantedFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"converter_planted_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    // Its own name, so that its single-instance mutex meets no other copy.
    ok_ = CopyFileW(e2e::WindowsPath(CONVERTER_EXE).c_str(), Exe().c_str(), FALSE);
    for (const wchar_t* name : kPlantedNames)
      ok_ = ok_ && CopyFileW(e2e::WindowsPath(LIBRARY_MARKER).c_str(), (folder_ + name).c_str(), FALSE);
  }
  ~PlantedFolder() {
    DeleteFileW(Exe().c_str());
    DeleteFileW(Marker().c_str());
    for (const wchar_t* name : kPlantedNames) DeleteFileW((folder_ + name).c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  bool Ok() const { return ok_; }
  std::wstring Exe() const { return folder_ + L"converter_planted.exe"; }
  std::wstring Marker() const { return folder_ + L"library_marker.txt"; }

  // The names of the planted libraries that were loaded, one a line.
  std::string LoadedLibraries() const {
    std::string names;
    HANDLE file = CreateFileW(Marker().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return names;
    wchar_t buffer[512] = {};
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer - sizeof(wchar_t), &read, nullptr);
    CloseHandle(file);
    for (DWORD i = 0; i < read / sizeof(wchar_t); ++i) names += buffer[i] < 128 ? static_cast<char>(buffer[i]) : '?';
    return names.empty() ? "(an empty marker file)" : names;
  }

 private:
  std::wstring folder_;
  bool ok_ = false;
};

TEST(LibraryLoading, PlantedLibrariesBesideTheProgramAreNeverLoaded) {
  PlantedFolder folder;
  ASSERT_TRUE(folder.Ok());
  PreferNativeLibraries nativeFirst(L"converter_planted.exe");
  e2e::ChildProcess program;  // ends before the folder is removed
  ASSERT_TRUE(program.Start(folder.Exe()));
  const HWND form = program.WaitForWindow(L"TForm1");
  if (form) {
    e2e::MainWindow w;
    ASSERT_TRUE(w.Bind(form));
    // A pair chosen, then Print: the no-printer message, or the system's
    // Print dialog, cancelled.
    w.ChooseSource(3);
    w.ChooseTarget(2);
    w.Click(w.print);
    if (const auto dialog = e2e::WaitForDialog(program.Id())) {
      if (dialog->className == L"TMessageForm") {
        EXPECT_TRUE(e2e::PressOk(*dialog));
      } else {
        e2e::Notify(dialog->window, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(dialog->window); }, 5s));
      }
    } else {
      ADD_FAILURE() << "Print showed neither a message nor the Print dialog";
    }
    PostMessageW(form, WM_CLOSE, 0, 0);
  }
  const long exitCode = program.WaitForExit(10s);
  EXPECT_EQ(folder.LoadedLibraries(), "") << "loaded from the program's folder";
  EXPECT_NE(form, nullptr) << "the main window never appeared";
  EXPECT_EQ(exitCode, 0);
}

}  // namespace
