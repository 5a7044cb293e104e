#pragma once
// Libraries of the system loaded at run time, only ever from the system
// folder. The program is a single .exe run from wherever it was saved, and
// Windows would otherwise look in that folder first: a file named like a
// system library beside the program (in a Downloads folder, say) would run
// inside it. Every run-time load of the program goes through here.
#include <windows.h>

namespace fw {

// Called first thing in the program: library searches made by the process,
// the system's own delay-loads included, leave out the program's folder
// (where the system allows it) and the current directory.
void RestrictLibrarySearch();

// How a library is found in the system folder: the loader's system-folder
// search flag where the system has it (Windows 8 on, and 7 with its loader
// update), else the full path of the file there.
enum class SystemFolderLookup { kSearchFlag, kFullPath };
SystemFolderLookup AvailableLookup();

// The system library of this file name (L"winspool.drv"), loaded from the
// system folder only; null when it cannot be loaded there, or when `name`
// is not a bare file name. A loaded library stays for the life of the
// process (the handle is not owned).
HMODULE LoadSystemLibrary(const wchar_t* name);
HMODULE LoadSystemLibrary(const wchar_t* name, SystemFolderLookup lookup);

// A function of a loaded library as its own type; null when the library is
// null or lacks it.
// F is the function's own pointer type, calling convention included
// (BOOL (WINAPI*)(DWORD)). GetProcAddress gives every function one type,
// FARPROC; this is the one place that casts it, through void*, which the
// build's ban on casts between function types lets pass.
template <class F>
F LibraryFunction(HMODULE library, const char* name) {
  return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace fw
