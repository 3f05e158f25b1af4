#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, if any is missing;
# arguments name more packages that one task needs (packaging, say).
set -euo pipefail
# The PipeWire camera tests start a private session: pipewire, wireplumber, a D-Bus bus and a
# GStreamer virtual camera.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev libturbojpeg0-dev libyuv-dev
          libpipewire-0.3-dev libgtest-dev libbenchmark-dev fonts-liberation xvfb xauth
          pipewire pipewire-bin wireplumber dbus gstreamer1.0-pipewire gstreamer1.0-tools
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
