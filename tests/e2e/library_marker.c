// A stand-in for a system library, planted beside a copy of the converter by
// the library-loading test. Loaded into a process, it appends its own file
// name to library_marker.txt in its folder and ends that process at once.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH + 32];
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    DWORD slash = length;
    while (slash > 0 && path[slash - 1] != L'\\' && path[slash - 1] != L'/') --slash;
    wchar_t line[MAX_PATH + 2];
    DWORD chars = 0;
    for (DWORD i = slash; i < length; ++i) line[chars++] = path[i];
    line[chars++] = L'\n';
    lstrcpyW(path + slash, L"library_marker.txt");
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line, chars * sizeof(wchar_t), &written, NULL);
      CloseHandle(file);
    }
  }
  TerminateProcess(GetCurrentProcess(), 86);
  return FALSE;
}
