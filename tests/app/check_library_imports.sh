#!/usr/bin/env bash
# Fails when a program imports, at load time, a library that Windows might
# take from the program's own folder: only the known DLLs (always loaded from
# the system folder, in the lists of Windows 7 to 11) and ntdll may be
# imported. Everything else is loaded at run time from the system folder.
#   check_library_imports.sh OBJDUMP EXE [OBJDUMP EXE ...]
# Every program named must exist: one that is not built fails the check.
set -euo pipefail
known=" advapi32.dll clbcatq.dll comdlg32.dll difxapi.dll gdi32.dll imagehlp.dll imm32.dll kernel32.dll msctf.dll
        msvcrt.dll normaliz.dll nsi.dll ntdll.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll sechost.dll setupapi.dll
        shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll "
known=$(echo $known)
status=0
while (($# >= 2)); do
  objdump=$1 exe=$2
  shift 2
  if [ ! -f "$exe" ]; then
    echo "not built: $exe (build it with scripts/build.sh)"
    status=1
    continue
  fi
  imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
  if [ -z "$imports" ]; then
    echo "no import table read from $exe"
    status=1
    continue
  fi
  for dll in $imports; do
    case " $known " in
      *" $dll "*) ;;
      *) echo "$exe imports $dll, which is not a known DLL"; status=1 ;;
    esac
  done
  echo "checked $exe:" $imports
done
exit $status
