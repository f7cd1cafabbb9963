#!/usr/bin/env bash
# The Debian package in the folder given and the files it installs, checked by
# Debian's own validators: desktop-file-validate, appstreamcli and lintian
# (neither errors nor warnings), and the desktop search's declarations where
# the desktops look for them. Skipped (77) when a validator is missing.
set -euo pipefail
for tool in dpkg-deb desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
deb=$(ls "$1"/kelvane_*.deb | head -n1)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

fail() {
  echo "FAIL: $*"
  exit 1
}

echo "== desktop-file-validate"
desktop-file-validate "$root"/usr/share/applications/*.desktop \
  "$root"/usr/share/krunner/dbusplugins/*.desktop
echo "== the desktop search's declarations"
# The session bus starts the provider by the service file named after its bus
# name; GNOME Shell and KRunner ask that name.
service=$(ls "$root"/usr/share/dbus-1/services/*.service)
name=$(sed -n 's/^Name=//p' "$service")
program=$(sed -n 's/^Exec=//p' "$service")
[ "$(basename "$service")" = "$name.service" ] || fail "$(basename "$service") is not named $name"
[ "${program#/usr/bin/}" != "$program" ] && [ -x "$root$program" ] ||
  fail "the service starts '$program', which the package does not install"
gnome=$root/usr/share/gnome-shell/search-providers/kelvane-search-provider.ini
grep -qx "BusName=$name" "$gnome" || fail "GNOME Shell is not told the bus name $name"
grep -qx "Version=2" "$gnome" || fail "GNOME Shell is not told the interface's version 2"
desktop_id=$(sed -n 's/^DesktopId=//p' "$gnome")
[ -f "$root/usr/share/applications/$desktop_id" ] || fail "no desktop entry $desktop_id"
grep -qx "X-Plasma-DBusRunner-Service=$name" "$root"/usr/share/krunner/dbusplugins/*.desktop ||
  fail "KRunner is not told the bus name $name"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
echo "== lintian $(basename "$deb")"
lintian --allow-root --tag-display-limit 0 "$deb" | tee "$root/lintian.txt"
if grep -q '^[EW]:' "$root/lintian.txt"; then
  echo "FAIL: lintian reports errors or warnings"
  exit 1
fi
echo "PASS"
