#!/usr/bin/env bash
# Checks the Debian package in the build folder as a player's system would meet it: the
# validators and lintian on its files, then an install, a headless game run by an ordinary
# user and a purge that must leave no file of the package behind and every file of the user's.
# Installs and removes the package system-wide: run it as root (CI does) or with sudo.
set -euo pipefail
build="${1:-build}"
deb=$(realpath "$build"/swishcam_*_amd64.deb)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
apt_get() { DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 -qq "$@"; }

if dpkg-query -W -f='${Status}' swishcam 2>/dev/null | grep -q "installed"; then
  echo "swishcam is installed already; this check installs and purges it itself." >&2
  exit 1
fi

work=$(mktemp -d)
user="swishcam-check-$$"
installed=0
cleanup() {
  [ "$installed" -eq 1 ] && apt_get purge -y swishcam >/dev/null
  id "$user" >/dev/null 2>&1 && $sudo userdel -r "$user" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

echo "== $deb: desktop-file-validate, appstreamcli validate, lintian"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
echo "✔ Desktop entry is valid."
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
# Errors fail the check; warnings and notes are listed.
lintian --fail-on error --display-info --tag-display-limit 0 "$deb" 2>&1 | { grep -v "root privileges" || true; }

echo "== install, play as $user, purge"
installed=1
apt_get install -y "$deb" >/dev/null
$sudo useradd --create-home --shell /bin/bash "$user"
# A login shell: the PATH a player's session gets, where the menu entry's command must resolve.
command=$(sed -n 's/^Exec=//p' /usr/share/applications/swishcam.desktop)
$sudo runuser -l "$user" -c "$command --headless --demo --frames 30"
home=$(getent passwd "$user" | cut -d: -f6)
settings="$home/.config/swishcam/Swishcam.prm"
size=$($sudo stat -c %s "$settings")
owner=$($sudo stat -c %U "$settings")
[ "$size" -eq 360 ] && [ "$owner" = "$user" ] ||
  { echo "$settings: $size bytes, owned by $owner; expected 360 bytes of $user's" >&2; exit 1; }
echo "$settings: $size bytes, owned by $owner"

apt_get purge -y swishcam >/dev/null
installed=0
left=0
while read -r path; do
  # Folders such as /usr/share/man/man6 stay when another package owns them too.
  if [ -e "$path" ] || [ -L "$path" ]; then
    [ -d "$path" ] && [ ! -L "$path" ] && dpkg-query -S "$path" >/dev/null 2>&1 && continue
    echo "left behind: $path" >&2
    left=1
  fi
done < <(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|; s|/$||' | grep -v '^$')
$sudo test -f "$settings" || { echo "the purge removed $settings" >&2; left=1; }
[ "$left" -eq 0 ] && echo "purged: none of the package's files left, the user's settings kept"
exit "$left"
