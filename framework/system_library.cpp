#include "framework/system_library.h"

#include <string>

namespace fw {
namespace {

HMODULE Kernel() { return GetModuleHandleW(L"kernel32.dll"); }

bool IsBareFileName(const wchar_t* name) {
  if (!name || !*name) return false;
  for (const wchar_t* c = name; *c; ++c)
    if (*c == L'\\' || *c == L'/' || *c == L':') return false;
  return true;
}

}  // namespace

void RestrictLibrarySearch() {
  // Looked up, not imported: older systems lack it, and the program would
  // not start there.
  using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
  const auto setDefault = LibraryFunction<SetDefaultDllDirectoriesProc>(Kernel(), "SetDefaultDllDirectories");
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Without it the program's folder stays first; the current directory at
  // least goes, and LoadSystemLibrary uses full paths.
  SetDllDirectoryW(L"");
}

SystemFolderLookup AvailableLookup() {
  // The search flags came with AddDllDirectory; LoadLibraryExW refuses them
  // where that function is missing.
  return GetProcAddress(Kernel(), "AddDllDirectory") ? SystemFolderLookup::kSearchFlag
                                                     : SystemFolderLookup::kFullPath;
}

HMODULE LoadSystemLibrary(const wchar_t* name) { return LoadSystemLibrary(name, AvailableLookup()); }

HMODULE LoadSystemLibrary(const wchar_t* name, SystemFolderLookup lookup) {
  if (!IsBareFileName(name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (lookup == SystemFolderLookup::kSearchFlag) {
    HMODULE library = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A system that does not know the flag refuses it as a parameter.
    if (library || GetLastError() != ERROR_INVALID_PARAMETER) return library;
  }
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::wstring path(folder, length);
  if (path.back() != L'\\') path += L'\\';
  path += name;
  // The altered search path looks for the library's own dependencies in its
  // folder, the system folder, rather than the program's.
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace fw
