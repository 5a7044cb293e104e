#!/usr/bin/env bash
# The release as scripts/package.sh makes it from the built programs:
# - each zip holds exactly converter.exe (the built one), README.txt and
#   LICENSE.txt, and packing again gives the same bytes; SHA256SUMS checks out;
#   the shipped installer is a 32-bit program, so it runs on every Windows;
# - the installer (the same script as a 64-bit installer, which this Wine can
#   run), silent, in a throw-away prefix of its own: the program, both
#   Start-menu shortcuts and the Add/Remove Programs entry are there, the
#   program starts from each shortcut and shows its main window, and the
#   uninstaller named by that entry leaves the prefix as it was before.
#   release_test.sh <win64 converter.exe> <win32 converter.exe> <shortcut_start_check.exe>
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
win64=$1 win32=$2 check=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ -f "$win32" ] || { echo "FAIL: $win32 is missing; build it first: scripts/build.sh win32"; exit 1; }

work=$(mktemp -d /tmp/converter-release-test.XXXXXX)
source "$root/scripts/wine-env.sh"
# winemenubuilder off: Wine would copy the Start-menu shortcuts into the
# desktop menus of the machine's user, outside the prefix.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cleanup() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

version_part() { sed -n "s/^#define CONVERTER_VERSION_$1 \([0-9]\+\).*/\1/p" "$root/assets/version.h"; }
version="$(version_part MAJOR).$(version_part MINOR).$(version_part PATCH)"

pack() {
  bash "$root/scripts/package.sh" --no-build --win32 "$win32" --win64 "$win64" --out "$@" >"$work/package.log" 2>&1 ||
    { cat "$work/package.log"; echo "FAIL: package.sh $*"; exit 1; }
}
pack "$work/release"
pack "$work/again" --installer-target amd64-unicode

# Each zip: exactly the three files, the built program, the same bytes when
# packed again; the shipped installer a 32-bit (i386) program.
python3 - "$work" "$version" "$win32" "$win64" <<'PY' || fail "the zips or the installer"
import struct, sys, zipfile
work, version, programs = sys.argv[1], sys.argv[2], {"win32": sys.argv[3], "win64": sys.argv[4]}
ok = True
def check(good, what):
    global ok
    if not good:
        print("FAIL:", what)
        ok = False
for arch, program in programs.items():
    name = f"converter-{version}-{arch}.zip"
    data = open(f"{work}/release/{name}", "rb").read()
    archive = zipfile.ZipFile(f"{work}/release/{name}")
    names = sorted(archive.namelist())
    check(names == ["LICENSE.txt", "README.txt", "converter.exe"], f"{name} holds {names}")
    check("converter.exe" in names and archive.read("converter.exe") == open(program, "rb").read(),
          f"{name}: converter.exe is not the built program")
    check(data == open(f"{work}/again/{name}", "rb").read(), f"{name} differs when packed again")
setup = open(f"{work}/release/converter-{version}-setup.exe", "rb").read()
machine = struct.unpack_from("<H", setup, struct.unpack_from("<I", setup, 0x3C)[0] + 4)[0]
check(machine == 0x14C, f"the installer is not a 32-bit program: machine {machine:#x}")
sys.exit(0 if ok else 1)
PY
(cd "$work/release" && sha256sum --quiet -c SHA256SUMS && [ "$(wc -l < SHA256SUMS)" = 3 ]) || fail "SHA256SUMS"

# What an installation may change in the prefix: its files, the machine's
# software settings and the user's. Left out: the user's Temp folder (the
# uninstaller runs from a copy there that Windows deletes at the next start),
# and the hardware and session state Wine itself rewrites at every start.
snapshot() {
  # The server writes the registry files when it ends, after the last program.
  if ! timeout 120 wineserver -w; then
    fail "programs still run in the prefix" >&2
    wineserver -k
  fi
  (cd "$WINEPREFIX" && find drive_c -path 'drive_c/users/*/Temp/*' -prune -o -print | LC_ALL=C sort)
  registry_keys "$WINEPREFIX/system.reg" | awk '/^\[/ { keep = /^\[Software\\\\/ && !/NetworkCards/ } keep'
  registry_keys "$WINEPREFIX/user.reg"
}
# Keys and values without the modification times Wine keeps per key.
registry_keys() { sed -e '/^#time=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' "$1"; }
wine_prefix_init
snapshot > "$work/before"

wine64 "$work/again/converter-$version-setup.exe" /S /RUSSIAN >/dev/null 2>&1 || fail "setup.exe /S /RUSSIAN ended with $?"
dir="$WINEPREFIX/drive_c/Program Files/Converter"
[ "$(cd "$dir" && echo *)" = "LICENSE.txt README.txt converter.exe uninstall.exe" ] ||
  fail "installed: $(cd "$dir" && echo *)"
cmp -s "$dir/converter.exe" "$win64" || fail "the installed converter.exe is not the 64-bit program"

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Converter'
entry=$(wine64 reg query "$key" 2>/dev/null | tr -d '\r')
value() { sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$entry"; }
exe='C:\Program Files\Converter\converter.exe'
[ "$(value DisplayName)" = Converter ] || fail "uninstall entry: DisplayName '$(value DisplayName)'"
[ "$(value DisplayVersion)" = "$version" ] || fail "uninstall entry: DisplayVersion '$(value DisplayVersion)'"
[ "$(value Publisher)" = "Converter project contributors" ] || fail "uninstall entry: Publisher '$(value Publisher)'"
[ "$(value DisplayIcon)" = "$exe,0" ] || fail "uninstall entry: DisplayIcon '$(value DisplayIcon)'"

links='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
wine64 "$check" "$links\\Converter.lnk" "$exe" "" TForm1 || fail "the Converter shortcut"
wine64 "$check" "$links\\Конвертер величин.lnk" "$exe" "-r" TForm1 || fail "the Russian shortcut"

uninstall=$(value QuietUninstallString)
[[ "$uninstall" =~ ^\"(.*)\"\ /S$ ]] || fail "uninstall entry: QuietUninstallString '$uninstall'"
wine64 "${BASH_REMATCH[1]:-missing}" /S >/dev/null 2>&1 || fail "the uninstaller ended with $?"
snapshot > "$work/after"
diff "$work/before" "$work/after" > "$work/diff" || fail "the prefix after removal differs: $(head -20 "$work/diff")"

((failures == 0)) && echo "release: zips, checksums, install, start and removal as expected"
exit $((failures > 0))
