#!/usr/bin/env bash
# Makes the release from the two Windows builds, into build/release/:
#   converter-<version>-win32.zip   portable 32-bit converter.exe, README.txt, LICENSE.txt
#   converter-<version>-win64.zip   the same with the 64-bit program
#   converter-<version>-setup.exe   installer for every Windows (NSIS)
#   SHA256SUMS                      checksums of the three
# The version is the one of assets/version.h, which the program's version
# resource is built from. Packing the same programs again gives the same
# bytes: zip entries in name order, and every file in the zips and the
# installer stamped with the time of the last commit (or $SOURCE_DATE_EPOCH).
#
#   scripts/package.sh [--no-build] [--out DIR] [--win32 EXE] [--win64 EXE]
#                      [--installer-target x86-unicode|amd64-unicode]
# --no-build packs the programs as they are built; --win32/--win64 name other
# programs to pack; --installer-target amd64-unicode makes a 64-bit installer of
# the same contents, for the tests under a 64-bit-only Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/release"
win32="$root/build/win32/app/converter.exe"
win64="$root/build/win64/app/converter.exe"
build=1
installer_target=x86-unicode
while (($#)); do
  case "$1" in
    --no-build) build=0; shift ;;
    --out) out=$2; shift 2 ;;
    --win32) win32=$2; shift 2 ;;
    --win64) win64=$2; shift 2 ;;
    --installer-target) installer_target=$2; shift 2 ;;
    *) echo "package.sh: unknown argument: $1" >&2; exit 2 ;;
  esac
done

if ((build)); then
  "$root/scripts/install-deps.sh"
  "$root/scripts/build.sh" --program win32 win64
fi
for exe in "$win32" "$win64"; do
  [ -f "$exe" ] || { echo "package.sh: $exe is missing; build it with scripts/build.sh win32 win64" >&2; exit 1; }
done

version_part() { sed -n "s/^#define CONVERTER_VERSION_$1 \([0-9]\+\).*/\1/p" "$root/assets/version.h"; }
version="$(version_part MAJOR).$(version_part MINOR).$(version_part PATCH)"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package.sh: no version in assets/version.h" >&2; exit 1; }

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)}

rm -rf "$out"
stage="$out/stage"
mkdir -p "$stage"
# Text files for Windows: CRLF line ends, and a byte-order mark so that
# Notepad reads the Russian line as UTF-8.
windows_text() { sed 's/\r*$/\r/' "$1"; }
for arch in win32 win64; do
  mkdir "$stage/$arch"
  if [ $arch = win32 ]; then cp "$win32" "$stage/$arch/converter.exe"; else cp "$win64" "$stage/$arch/converter.exe"; fi
  { printf '\xef\xbb\xbf'; windows_text "$root/packaging/README.txt" | sed "s/@VERSION@/$version/"; } > "$stage/$arch/README.txt"
  windows_text "$root/LICENSE" > "$stage/$arch/LICENSE.txt"
  python3 "$root/packaging/make_zip.py" "$out/converter-$version-$arch.zip" "$epoch" \
    "$stage/$arch/converter.exe" "$stage/$arch/README.txt" "$stage/$arch/LICENSE.txt"
done

touch -d "@$epoch" "$stage"/*/*
makensis -V2 -INPUTCHARSET UTF8 -DTARGET="$installer_target" -DSTAGE="$stage" \
  -DOUTFILE="$out/converter-$version-setup.exe" "$root/packaging/converter.nsi"
rm -rf "$stage"

(cd "$out" && sha256sum "converter-$version-win32.zip" "converter-$version-win64.zip" \
  "converter-$version-setup.exe" > SHA256SUMS)
echo "Release $version in $out:"
(cd "$out" && ls -l converter-* SHA256SUMS)
