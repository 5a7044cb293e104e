#!/usr/bin/env bash
# Makes the release from the two Windows builds, into build/release/:
#   converter-<version>-win32.zip   portable 32-bit converter.exe, README.txt, LICENSE.txt
#   converter-<version>-win64.zip   the same with the 64-bit program
#   converter-<version>-setup.exe   installer for every Windows (NSIS)
#   SHA256SUMS                      checksums of the three, written last
# The version is the one of assets/version.h, which the program's version
# resource is built from. Packing the same programs again gives the same
# bytes: zip entries in name order, and every file in the zips and the
# installer stamped with the time of the last commit (or $SOURCE_DATE_EPOCH).
#
#   scripts/package.sh [--no-build] [--out DIR] [--win32 EXE] [--win64 EXE]
#                      [--sign FILE.pfx [--timestamp URL]]
#                      [--installer-target x86-unicode|amd64-unicode] [--version X.Y.Z]
# --no-build packs the programs as they are built; --win32/--win64 name other
# programs to pack; --installer-target amd64-unicode makes a 64-bit installer of
# the same contents, for the tests under a 64-bit-only Wine; --version packs
# under another version number (tests of upgrades; a release never needs it).
# --sign signs both programs, the uninstaller and the installer (Authenticode,
# SHA-256, with osslsigncode) with the certificate and key of FILE.pfx, whose
# password is in $CONVERTER_SIGN_PASSWORD; --timestamp adds an RFC 3161
# timestamp from that server. (Signatures differ from run to run; unsigned,
# the same commit gives the same bytes.)
#
# DIR is package.sh's own: a run deletes there only what an earlier run wrote
# (listed in DIR/.converter-release) and refuses a folder holding anything
# else, so a mistyped --out loses nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/release"
win32="$root/build/win32/app/converter.exe"
win64="$root/build/win64/app/converter.exe"
build=1
installer_target=x86-unicode
version=""
sign_pfx=""
timestamp=""
die() { echo "package.sh: $*" >&2; exit 1; }
while (($#)); do
  case "$1" in
    --no-build) build=0; shift ;;
    --out|--win32|--win64|--installer-target|--version|--sign|--timestamp)
      (($# >= 2)) || { echo "package.sh: $1 needs a value" >&2; exit 2; }
      case "$1" in
        --out) out=$2 ;;
        --win32) win32=$2 ;;
        --win64) win64=$2 ;;
        --installer-target) installer_target=$2 ;;
        --version) version=$2 ;;
        --sign) sign_pfx=$2 ;;
        --timestamp) timestamp=$2 ;;
      esac
      shift 2 ;;
    *) echo "package.sh: unknown argument: $1" >&2; exit 2 ;;
  esac
done
[ -z "$timestamp" ] || [ -n "$sign_pfx" ] || die "--timestamp needs --sign"
if [ -n "$sign_pfx" ]; then
  [ -f "$sign_pfx" ] || die "no certificate file $sign_pfx"
  [ -n "${CONVERTER_SIGN_PASSWORD+set}" ] || die "--sign needs the certificate's password in CONVERTER_SIGN_PASSWORD"
fi

if ((build)); then
  "$root/scripts/install-deps.sh"
  "$root/scripts/build.sh" --program win32 win64
fi
for exe in "$win32" "$win64"; do
  [ -f "$exe" ] || die "$exe is missing; build it with scripts/build.sh win32 win64"
done
if [ -n "$sign_pfx" ] && ! command -v osslsigncode >/dev/null 2>&1; then
  die "osslsigncode is missing; scripts/install-deps.sh installs it"
fi

if [ -z "$version" ]; then
  version_part() { sed -n "s/^#define CONVERTER_VERSION_$1 \([0-9]\+\).*/\1/p" "$root/assets/version.h"; }
  version="$(version_part MAJOR).$(version_part MINOR).$(version_part PATCH)"
fi
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || die "no version X.Y.Z (assets/version.h or --version): '$version'"

# The files' time: a release built from a commit carries that commit's time.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  epoch=$SOURCE_DATE_EPOCH
elif ! epoch=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || [ -z "$epoch" ]; then
  die "cannot read the time of the last commit (git log failed); set SOURCE_DATE_EPOCH"
fi
[[ "$epoch" =~ ^[0-9]+$ ]] || die "not a time in seconds: '$epoch'"

# The output folder: only files that an earlier run listed in the marker go.
marker=.converter-release
if [ -e "$out" ] && [ ! -d "$out" ]; then die "--out $out is not a folder"; fi
mkdir -p "$out"
owned=()
[ -f "$out/$marker" ] && mapfile -t owned < "$out/$marker"
is_owned() { local n; for n in "${owned[@]}"; do [ "$n" = "$1" ] && return 0; done; return 1; }
old=() foreign=()
for path in "$out"/* "$out"/.[!.]* "$out"/..?*; do
  [ -e "$path" ] || [ -L "$path" ] || continue
  name=${path##*/}
  if [ "$name" = "$marker" ]; then continue
  elif is_owned "$name" && [ -f "$path" ] && [ ! -L "$path" ]; then old+=("$path")
  else foreign+=("$name")
  fi
done
((${#foreign[@]} == 0)) ||
  die "$out holds files that package.sh did not write (${foreign[*]:0:5}); nothing was changed. Name a new or empty folder."
# Moves a finished file from the stage into the output folder; the name goes
# into the marker first, so that even an interrupted run leaves only listed files.
deliver() {
  echo "${1##*/}" >> "$out/$marker"
  mv -f "$1" "$out/"
}

stage=$(mktemp -d "${TMPDIR:-/tmp}/converter-package.XXXXXX")
trap 'rm -rf "$stage"' EXIT

# Signing: scripts/sign-file.sh signs the programs here, and the uninstaller
# and the installer when makensis has made them.
signing=()
if [ -n "$sign_pfx" ]; then
  CONVERTER_SIGN_PFX="$(cd "$(dirname "$sign_pfx")" && pwd)/$(basename "$sign_pfx")"
  CONVERTER_SIGN_TIMESTAMP=$timestamp
  export CONVERTER_SIGN_PFX CONVERTER_SIGN_TIMESTAMP
  signing=(-DSIGN_SCRIPT="$root/scripts/sign-file.sh")
fi

# Text files for Windows: CRLF line ends, and a byte-order mark so that
# Notepad reads the Russian line as UTF-8.
windows_text() { sed 's/\r*$/\r/' "$1"; }
for arch in win32 win64; do
  mkdir "$stage/$arch"
  if [ $arch = win32 ]; then cp "$win32" "$stage/$arch/converter.exe"; else cp "$win64" "$stage/$arch/converter.exe"; fi
  if ((${#signing[@]})); then bash "$root/scripts/sign-file.sh" "$stage/$arch/converter.exe"; fi
  { printf '\xef\xbb\xbf'; windows_text "$root/packaging/README.txt" | sed "s/@VERSION@/$version/"; } > "$stage/$arch/README.txt"
  windows_text "$root/LICENSE" > "$stage/$arch/LICENSE.txt"
  python3 "$root/packaging/make_zip.py" "$stage/converter-$version-$arch.zip" "$epoch" \
    "$stage/$arch/converter.exe" "$stage/$arch/README.txt" "$stage/$arch/LICENSE.txt"
done

touch -d "@$epoch" "$stage"/*/*
makensis -V2 -INPUTCHARSET UTF8 -DTARGET="$installer_target" -DSTAGE="$stage" -DVERSION="$version" \
  "${signing[@]}" -DOUTFILE="$stage/converter-$version-setup.exe" "$root/packaging/converter.nsi"

# Everything is made: the earlier run's files give way to the new ones.
((${#old[@]} == 0)) || rm -f -- "${old[@]}"
: > "$out/$marker"
for f in "converter-$version-win32.zip" "converter-$version-win64.zip" "converter-$version-setup.exe"; do
  deliver "$stage/$f"
done
(cd "$out" && sha256sum "converter-$version-win32.zip" "converter-$version-win64.zip" \
  "converter-$version-setup.exe" > "$stage/SHA256SUMS")
deliver "$stage/SHA256SUMS"
echo "Release $version in $out$( ((${#signing[@]})) && echo ", signed"):"
(cd "$out" && ls -l converter-* SHA256SUMS)
