#!/usr/bin/env bash
# The Debian package in the folder given and the files it installs, checked by
# Debian's own validators: desktop-file-validate, appstreamcli and lintian
# (no errors; warnings are listed). Skipped (77) when a validator is missing.
set -euo pipefail
for tool in dpkg-deb desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
deb=$(ls "$1"/kelvane_*.deb | head -n1)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

echo "== desktop-file-validate"
desktop-file-validate "$root"/usr/share/applications/*.desktop
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
echo "== lintian $(basename "$deb")"
lintian --allow-root --tag-display-limit 0 "$deb" | tee "$root/lintian.txt"
if grep -q '^E:' "$root/lintian.txt"; then
  echo "FAIL: lintian reports errors"
  exit 1
fi
echo "PASS: $(grep -c '^W:' "$root/lintian.txt" || true) lintian warnings"
