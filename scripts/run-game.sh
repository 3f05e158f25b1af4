#!/usr/bin/env bash
# Starts the game: on a camera when one is attached, else on the demo camera; without a
# display, a one-minute headless game that saves a snapshot and prints its summary.
set -euo pipefail
exe="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: playing a one-minute headless game on the demo camera."
  # A settings file of its own, so the one-minute period does not stick to the windowed game.
  exec "$exe" --headless --demo --seconds 61 --period 1 --snapshot swishcam-snapshot.png \
    --settings swishcam-headless.prm
fi
if ls /dev/video* >/dev/null 2>&1; then
  exec "$exe"
fi
echo "No camera found: playing on the demo camera."
exec "$exe" --demo
