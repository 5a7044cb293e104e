#!/usr/bin/env bash
# Signs one Windows program in place (Authenticode, SHA-256) with osslsigncode:
#   scripts/sign-file.sh FILE.exe
# scripts/package.sh --sign sets what it reads from the environment:
#   CONVERTER_SIGN_PFX        the certificate and key (PKCS#12)
#   CONVERTER_SIGN_PASSWORD   their password (handed over on a pipe, never as an argument)
#   CONVERTER_SIGN_TIMESTAMP  an RFC 3161 timestamp server, or empty for none
# The installer script calls it for the uninstaller and the installer.
set -euo pipefail
file=${1:?usage: sign-file.sh FILE.exe}
: "${CONVERTER_SIGN_PFX:?no certificate: run scripts/package.sh --sign FILE.pfx}"
: "${CONVERTER_SIGN_PASSWORD?no password in CONVERTER_SIGN_PASSWORD}"
args=(sign -pkcs12 "$CONVERTER_SIGN_PFX" -readpass /dev/stdin -h sha256 -n Converter)
[ -z "${CONVERTER_SIGN_TIMESTAMP:-}" ] || args+=(-ts "$CONVERTER_SIGN_TIMESTAMP")
signed="$file.signed"
rm -f "$signed"
if ! printf '%s' "$CONVERTER_SIGN_PASSWORD" | osslsigncode "${args[@]}" -in "$file" -out "$signed" >"$signed.log" 2>&1; then
  cat "$signed.log" >&2
  rm -f "$signed" "$signed.log"
  echo "sign-file.sh: could not sign $file" >&2
  exit 1
fi
rm -f "$signed.log"
mv -f "$signed" "$file"
