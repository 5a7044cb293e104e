#!/usr/bin/env bash
# The release as scripts/package.sh makes it from the built programs, in groups:
# 1. Packing: each zip holds exactly converter.exe (the built one), README.txt
#    and LICENSE.txt; SHA256SUMS checks out; the shipped installer is a 32-bit
#    program, so it runs on every Windows. Two packs from two clean builds of
#    this tree (scripts/build.sh into new folders) are the same bytes, all four
#    files. --out refuses a folder holding a file of someone else's and leaves
#    it as it was; a missing commit time is an error.
# 2. Signing: a throw-away self-signed certificate signs a pack; osslsigncode
#    verify accepts both programs and the installer against it, and (after 3)
#    the uninstaller that the signed installer writes.
# The rest runs the installer (the same script as a 64-bit installer, which
# this Wine can run) silently in a throw-away prefix of its own:
# 3. Install, start, remove: the program, both Start-menu shortcuts and the
#    Add/Remove Programs entry are there, the program starts from each
#    shortcut and shows its main window; the uninstaller named by the entry
#    leaves a user's file and so its folder, and otherwise the prefix as it
#    was before.
# 4. Upgrades over an older version (packed as 2.2.0 with a marked program),
#    wherever it is and under whichever entry: one entry, the new program, the
#    Russian shortcut as chosen; a downgrade is refused unless forced.
# 5. Setup and uninstaller while the installed program runs on another Wine
#    desktop, where no window search from setup's desktop sees it (as in
#    another user's session): the documented code, and nothing changed.
#   release_test.sh <win64 converter.exe> <win32 converter.exe> <shortcut_start_check.exe>
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
win64=$1 win32=$2 check=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
group() { echo "== $* (at ${SECONDS} s)"; }
[ -f "$win32" ] || { echo "FAIL: $win32 is missing; build it first: scripts/build.sh win32"; exit 1; }

work=$(mktemp -d /tmp/converter-release-test.XXXXXX)
# Clean builds beside build/, at its depth, so that ccache serves them.
fresh=("$root/build-release-test-1" "$root/build-release-test-2")
source "$root/scripts/wine-env.sh"
# winemenubuilder off: Wine would copy the Start-menu shortcuts into the
# desktop menus of the machine's user, outside the prefix.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cleanup() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  rm -rf "$work" "${fresh[@]}"
}
trap cleanup EXIT

version_part() { sed -n "s/^#define CONVERTER_VERSION_$1 \([0-9]\+\).*/\1/p" "$root/assets/version.h"; }
version="$(version_part MAJOR).$(version_part MINOR).$(version_part PATCH)"
old_version=2.2.0
files=("converter-$version-win32.zip" "converter-$version-win64.zip" "converter-$version-setup.exe" SHA256SUMS)

# pack OUT [package.sh arguments]: the given programs unless others are named.
pack() {
  local out=$1; shift
  bash "$root/scripts/package.sh" --no-build --win32 "$win32" --win64 "$win64" --out "$out" "$@" \
    >"$work/package.log" 2>&1 || { cat "$work/package.log"; echo "FAIL: package.sh --out $out $*"; exit 1; }
}

group "1. packing"
pack "$work/release"
python3 - "$work/release" "$version" "$win32" "$win64" <<'PY' || fail "the zips or the installer"
import struct, sys, zipfile
release, version, programs = sys.argv[1], sys.argv[2], {"win32": sys.argv[3], "win64": sys.argv[4]}
ok = True
def check(good, what):
    global ok
    if not good:
        print("FAIL:", what)
        ok = False
for arch, program in programs.items():
    name = f"converter-{version}-{arch}.zip"
    archive = zipfile.ZipFile(f"{release}/{name}")
    names = sorted(archive.namelist())
    check(names == ["LICENSE.txt", "README.txt", "converter.exe"], f"{name} holds {names}")
    check("converter.exe" in names and archive.read("converter.exe") == open(program, "rb").read(),
          f"{name}: converter.exe is not the built program")
setup = open(f"{release}/converter-{version}-setup.exe", "rb").read()
machine = struct.unpack_from("<H", setup, struct.unpack_from("<I", setup, 0x3C)[0] + 4)[0]
check(machine == 0x14C, f"the installer is not a 32-bit program: machine {machine:#x}")
sys.exit(0 if ok else 1)
PY
(cd "$work/release" && sha256sum --quiet -c SHA256SUMS && [ "$(wc -l < SHA256SUMS)" = 3 ]) || fail "SHA256SUMS"

for n in 0 1; do
  rm -rf "${fresh[n]}"
  CONVERTER_BUILD_ROOT=${fresh[n]} bash "$root/scripts/build.sh" --program win64 win32 >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; fail "clean build in ${fresh[n]}"; }
  pack "$work/clean-$n" --win64 "${fresh[n]}/win64/app/converter.exe" --win32 "${fresh[n]}/win32/app/converter.exe"
done
for f in "${files[@]}"; do
  cmp -s "$work/clean-0/$f" "$work/clean-1/$f" || fail "$f differs between two clean builds"
done

mkdir "$work/mistyped" && echo "someone's notes" > "$work/mistyped/notes.txt"
if bash "$root/scripts/package.sh" --no-build --win32 "$win32" --win64 "$win64" --out "$work/mistyped" \
     >"$work/refused.log" 2>&1; then
  fail "package.sh packed into a folder holding someone's file"
fi
grep -q "notes.txt" "$work/refused.log" || fail "the refusal does not name the file: $(cat "$work/refused.log")"
[ "$(ls -A "$work/mistyped")" = notes.txt ] && [ "$(cat "$work/mistyped/notes.txt")" = "someone's notes" ] ||
  fail "the refused folder changed: $(ls -A "$work/mistyped")"
pack "$work/release"  # a folder of its own earlier output is replaced
if env -u SOURCE_DATE_EPOCH GIT_DIR="$work/no-repository" bash "$root/scripts/package.sh" --no-build \
     --win32 "$win32" --win64 "$win64" --out "$work/no-time" >"$work/no-time.log" 2>&1; then
  fail "package.sh packed without a commit time"
fi
grep -q "time of the last commit" "$work/no-time.log" || fail "no commit time: $(cat "$work/no-time.log")"

group "2. signing"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Converter test signing" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1 &&
  openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:test-only \
    -out "$work/sign.pfx" || fail "openssl made no certificate"
CONVERTER_SIGN_PASSWORD=test-only pack "$work/signed" --sign "$work/sign.pfx" --installer-target amd64-unicode
signed_setup="$work/signed/converter-$version-setup.exe"
for arch in win32 win64; do
  python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("converter.exe"))' \
    "$work/signed/converter-$version-$arch.zip" > "$work/signed-$arch.exe"
done
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 || fail "$2 is not signed: $(tail -3 "$work/verify.log")"; }
verify "$signed_setup" "the installer"
verify "$work/signed-win32.exe" "the 32-bit program"
verify "$work/signed-win64.exe" "the 64-bit program"
(cd "$work/signed" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS of the signed pack"

# Old release to upgrade from: the same programs, marked, packed as 2.2.0.
for arch in win32 win64; do { cat "${!arch}"; printf 'older'; } > "$work/old-$arch.exe"; done
pack "$work/old" --version "$old_version" --win32 "$work/old-win32.exe" --win64 "$work/old-win64.exe" \
  --installer-target amd64-unicode
pack "$work/new" --installer-target amd64-unicode
setup="$work/new/converter-$version-setup.exe"
old_setup="$work/old/converter-$old_version-setup.exe"

# --- Wine ---------------------------------------------------------------------
# What an installation may change in the prefix: its files, the machine's
# software settings and the user's. Left out: the user's Temp folder (the
# uninstaller runs from a copy there that Windows deletes at the next start),
# and the hardware and session state Wine itself rewrites at every start.
settle() {
  # The server writes the registry files when it ends, after the last program.
  if ! timeout 120 wineserver -w; then
    fail "programs still run in the prefix" >&2
    wineserver -k
  fi
}
snapshot() {
  settle
  (cd "$WINEPREFIX" && find drive_c -path 'drive_c/users/*/Temp/*' -prune -o -print | LC_ALL=C sort)
  registry_keys "$WINEPREFIX/system.reg" | awk '/^\[/ { keep = /^\[Software\\\\/ && !/NetworkCards/ } keep'
  registry_keys "$WINEPREFIX/user.reg"
}
# Keys and values without the modification times Wine keeps per key.
registry_keys() { sed -e '/^#time=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' "$1"; }
wine_prefix_init || { echo "FAIL: no Wine prefix"; exit 1; }
snapshot > "$work/before"

uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The Add/Remove Programs entries named Converter, one key a line.
entries() {
  wine64 reg query "$uninstall_root" /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY_/ { key = $0 } /^ +DisplayName +REG_SZ +Converter$/ { print key }'
}
# value NAME: of the one Converter entry.
value() { wine64 reg query "$(entries | head -1)" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
remove_install() {  # as Add/Remove Programs does, then waits until it is done
  local uninstall; uninstall=$(value QuietUninstallString)
  [[ "$uninstall" =~ ^\"(.*)\"\ /S$ ]] || { fail "entry: QuietUninstallString '$uninstall'"; return; }
  wine64 "${BASH_REMATCH[1]}" /S >/dev/null 2>&1 || fail "the uninstaller ended with $?"
  settle
}
unix_path() { local p=${1#C:\\}; echo "$WINEPREFIX/drive_c/${p//\\//}"; }
links="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"

group "3. install, start, remove"
wine64 "$setup" /S /RUSSIAN >/dev/null 2>&1 || fail "setup.exe /S /RUSSIAN ended with $?"
dir="$WINEPREFIX/drive_c/Program Files/Converter"
[ "$(cd "$dir" && echo *)" = "LICENSE.txt README.txt converter.exe uninstall.exe" ] ||
  fail "installed: $(cd "$dir" && echo *)"
cmp -s "$dir/converter.exe" "$win64" || fail "the installed converter.exe is not the 64-bit program"
exe='C:\Program Files\Converter\converter.exe'
[ "$(entries | wc -l)" = 1 ] && [[ "$(entries)" != *'\Converter' ]] || fail "uninstall entries: $(entries)"
[ "$(value DisplayVersion)" = "$version" ] || fail "uninstall entry: DisplayVersion '$(value DisplayVersion)'"
[ "$(value Publisher)" = "Converter project contributors" ] || fail "uninstall entry: Publisher '$(value Publisher)'"
[ "$(value DisplayIcon)" = "$exe,0" ] || fail "uninstall entry: DisplayIcon '$(value DisplayIcon)'"
[[ "$(value HelpLink)" == https://* ]] || fail "uninstall entry: HelpLink '$(value HelpLink)'"

start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
wine64 "$check" "$start_menu\\Converter.lnk" "$exe" "" TForm1 || fail "the Converter shortcut"
wine64 "$check" "$start_menu\\Конвертер величин.lnk" "$exe" "-r" TForm1 || fail "the Russian shortcut"

echo "my notes" > "$dir/notes.txt"
remove_install
[ "$(cd "$dir" && echo *)" = "notes.txt" ] || fail "after removal the folder holds: $(cd "$dir" && echo *)"
rm -r "$dir"
snapshot > "$work/after"
diff "$work/before" "$work/after" > "$work/diff" || fail "the prefix after removal differs: $(head -20 "$work/diff")"

group "2. signing, continued: the uninstaller the signed installer writes"
wine64 "$signed_setup" /S '/D=C:\Signed' >/dev/null 2>&1 || fail "the signed setup ended with $?"
verify "$WINEPREFIX/drive_c/Signed/uninstall.exe" "the uninstaller"
remove_install

group "4. upgrades"
# Folders without spaces throughout: wine64 quotes an argument with spaces,
# and setup's /D= and the uninstaller's _?= count only unquoted.
# name | old version's arguments | its entry | new version's arguments | folder then | Russian shortcut
# (arguments separated by ";")
upgrades=(
  "in place|/S;/RUSSIAN;/D=C:\\Apps\\Converter2|own key|/S;/RUSSIAN|C:\\Apps\\Converter2|yes"
  "in place, spelled otherwise|/S;/D=C:\\Apps\\Converter2|own key|/S;/D=C:\\Apps\\.\\Converter2|C:\\Apps\\.\\Converter2|no"
  "to another folder|/S;/RUSSIAN;/D=C:\\Apps\\Old|own key|/S;/D=C:\\Apps\\New|C:\\Apps\\New|no"
  "from version 1.0.0's entry|/S;/D=C:\\Apps\\Legacy|key Converter|/S;/RUSSIAN|C:\\Apps\\Legacy|yes"
)
for u in "${upgrades[@]}"; do
  IFS='|' read -r name old_arguments kept new_arguments folder russian <<<"$u"
  IFS=';' read -ra old_args <<<"$old_arguments"
  IFS=';' read -ra new_args <<<"$new_arguments"
  old_folder=${old_arguments##*/D=}
  wine64 "$old_setup" "${old_args[@]}" >/dev/null 2>&1 || fail "$name: old setup ended with $?"
  if [ "$kept" = "key Converter" ]; then
    key=$(entries)
    wine64 reg copy "$key" "$uninstall_root\\Converter" /s /f >/dev/null 2>&1 &&
      wine64 reg delete "$key" /f >/dev/null 2>&1 || fail "$name: could not move the entry"
  fi
  wine64 "$setup" "${new_args[@]}" >/dev/null 2>&1 || fail "$name: setup ended with $?"
  [ "$(entries | wc -l)" = 1 ] && [[ "$(entries)" != *'\Converter' ]] || fail "$name: entries $(entries)"
  [ "$(value DisplayVersion)" = "$version" ] && [ "$(value InstallLocation)" = "$folder" ] ||
    fail "$name: entry says $(value DisplayVersion) in $(value InstallLocation)"
  cmp -s "$(unix_path "$folder")/converter.exe" "$win64" || fail "$name: $folder\\converter.exe is not the new program"
  [ "$(realpath -m "$(unix_path "$folder")")" = "$(realpath -m "$(unix_path "$old_folder")")" ] ||
    [ ! -e "$(unix_path "$old_folder")" ] || fail "$name: the old folder is still there"
  [ -e "$links/Конвертер величин.lnk" ] && has=yes || has=no
  [ "$has" = "$russian" ] || fail "$name: Russian shortcut there: $has"
  remove_install
done

apps='C:\Apps\Converter'
dir=$(unix_path "$apps")
wine64 "$setup" /S "/D=$apps" >/dev/null 2>&1 || fail "setup ended with $?"
wine64 "$old_setup" /S >/dev/null 2>&1; code=$?
[ $code = 5 ] || fail "a downgrade ended with $code, not 5"
[ "$(value DisplayVersion)" = "$version" ] && cmp -s "$dir/converter.exe" "$win64" || fail "a refused downgrade changed the install"
wine64 "$old_setup" /S /ALLOWDOWNGRADE >/dev/null 2>&1 || fail "a forced downgrade ended with $?"
[ "$(value DisplayVersion)" = "$old_version" ] && cmp -s "$dir/converter.exe" "$work/old-win64.exe" ||
  fail "a forced downgrade left $(value DisplayVersion)"

group "5. while the program runs"
# The old version stays installed; its program runs on a desktop of its own.
wine64 explorer /desktop=elsewhere,640x480 "$apps\\converter.exe" >/dev/null 2>&1 &
pid=""
for _ in $(seq 100); do
  pid=$(grep -lsF "$dir/converter.exe" /proc/[0-9]*/maps | sed -n 's|^/proc/\([0-9]*\)/maps$|\1|p' | head -1)
  [ -n "$pid" ] && break
  sleep 0.2
done
[ -n "$pid" ] || fail "the installed program did not start"
state() { (cd "$dir" && md5sum -- *); ls "$links"; wine64 reg query "$(entries)" 2>/dev/null; }
state > "$work/state-before"
# what | program | arguments (separated by ";")
running=(
  "setup|$setup|/S"
  "uninstaller|$dir/uninstall.exe|/S;_?=$apps"
)
for r in "${running[@]}"; do
  IFS='|' read -r what program arguments <<<"$r"
  IFS=';' read -ra args <<<"$arguments"
  wine64 "$program" "${args[@]}" >/dev/null 2>&1; code=$?
  [ $code = 4 ] || fail "the $what ended with $code while the program runs, not 4"
  state | cmp -s - "$work/state-before" || fail "the $what changed the install while the program runs"
done
[ -z "$pid" ] || kill "$pid"
settle
remove_install

((failures == 0)) && echo "release: packing, signing, install, start, upgrades, removal as expected"
exit $((failures > 0))
