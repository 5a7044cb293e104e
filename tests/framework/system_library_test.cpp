// Run-time loads of system libraries: from the system folder by either way
// of finding it there, and nothing that is not a bare file name.
#include "framework/system_library.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::wstring FolderOf(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const std::wstring file(path, GetModuleFileNameW(module, path, MAX_PATH));
  return file.substr(0, file.find_last_of(L'\\'));
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  return std::wstring(folder, GetSystemDirectoryW(folder, MAX_PATH));
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

class SystemLibrary : public ::testing::TestWithParam<fw::SystemFolderLookup> {};

TEST_P(SystemLibrary, ComesFromTheSystemFolderByBareNameOnly) {
  const fw::SystemFolderLookup lookup = GetParam();
  const HMODULE spooler = fw::LoadSystemLibrary(L"winspool.drv", lookup);
  ASSERT_NE(spooler, nullptr);
  EXPECT_TRUE(SameFolder(FolderOf(spooler), SystemFolder())) << "loaded from elsewhere";
  using EnumPrintersProc = BOOL(WINAPI*)(DWORD, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
  EXPECT_NE(fw::LibraryFunction<EnumPrintersProc>(spooler, "EnumPrintersW"), nullptr);
  EXPECT_EQ(fw::LibraryFunction<EnumPrintersProc>(nullptr, "EnumPrintersW"), nullptr);

  EXPECT_EQ(fw::LoadSystemLibrary(L"no_such_library_here.dll", lookup), nullptr);
  for (const std::wstring& path : {SystemFolder() + L"\\winspool.drv", std::wstring(L"..\\winspool.drv"),
                                   std::wstring(L"C:winspool.drv"), std::wstring()}) {
    SetLastError(0);
    EXPECT_EQ(fw::LoadSystemLibrary(path.c_str(), lookup), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
}

INSTANTIATE_TEST_SUITE_P(BothLookups, SystemLibrary,
                         ::testing::Values(fw::SystemFolderLookup::kSearchFlag, fw::SystemFolderLookup::kFullPath));

}  // namespace
