// Opens a shortcut as the Start menu does and checks what it starts: the link
// names the expected program and arguments, the program shows a visible main
// window, and after WM_CLOSE it ends with exit code 0. Prints what differs.
//   shortcut_start_check <link.lnk> <expected target> <expected arguments> <window class>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/e2e/process_driver.h"

namespace {

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class T>
using ComRef = std::unique_ptr<T, ComRelease>;

struct HandleClose {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleClose>;

struct ComScope {
  ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComScope() { CoUninitialize(); }
};

bool ReadLink(const std::wstring& link, std::wstring& target, std::wstring& arguments) {
  IShellLinkW* rawLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&rawLink))))
    return false;
  ComRef<IShellLinkW> shellLink(rawLink);
  IPersistFile* rawFile = nullptr;
  if (FAILED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return false;
  ComRef<IPersistFile> file(rawFile);
  if (FAILED(file->Load(link.c_str(), STGM_READ))) return false;
  wchar_t text[1024] = {};
  if (FAILED(shellLink->GetPath(text, 1024, nullptr, SLGP_RAWPATH))) return false;
  target = text;
  text[0] = L'\0';
  if (FAILED(shellLink->GetArguments(text, 1024))) return false;
  arguments = text;
  return true;
}

int Fail(const wchar_t* what, const std::wstring& detail = L"") {
  std::fwprintf(stderr, L"shortcut_start_check: %ls%ls\n", what, detail.c_str());
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) return Fail(L"usage: shortcut_start_check <link.lnk> <target> <arguments> <window class>");
  const std::wstring link = argv[1], expectedTarget = argv[2], expectedArguments = argv[3], windowClass = argv[4];
  ComScope com;

  std::wstring target, arguments;
  if (!ReadLink(link, target, arguments)) return Fail(L"cannot read the link ", link);
  if (CompareStringOrdinal(target.c_str(), -1, expectedTarget.c_str(), -1, TRUE) != CSTR_EQUAL)
    return Fail(L"the link starts ", target);
  if (arguments != expectedArguments) return Fail(L"the link passes the arguments ", arguments);

  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  execute.lpFile = link.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) return Fail(L"the link does not open");
  // Wine opens a link without handing back the process it started; the
  // program is then known by its window (nothing else runs in the test's
  // prefix).
  Handle process(execute.hProcess);
  HWND window = nullptr;
  e2e::WaitFor([&] {
    if (process) {
      for (HWND w : e2e::TopLevelWindows(GetProcessId(process.get()), windowClass))
        if (IsWindowVisible(w)) window = w;
      return window != nullptr || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
    }
    HWND w = FindWindowW(windowClass.c_str(), nullptr);
    if (w && IsWindowVisible(w)) window = w;
    return window != nullptr;
  }, std::chrono::seconds(20));
  if (window && !process) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId));
  }
  if (!window || !process) {
    if (process) TerminateProcess(process.get(), 99);
    return Fail(L"no visible window of the class ", windowClass);
  }
  e2e::WaitIdle(window);
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 99);
    return Fail(L"the program did not end after WM_CLOSE");
  }
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  if (code != 0) return Fail(L"the program ended with code ", std::to_wstring(code));
  return 0;
}
