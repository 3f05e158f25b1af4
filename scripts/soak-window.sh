#!/usr/bin/env bash
# A long windowed run on the demo camera under Xvfb (no window manager): samples the game's
# resident memory, open file descriptors and threads every 10 s, so that a leak shows as a
# rising column. One-minute games, each winner's screen closed by a key press, so that game
# ends and new layouts are part of the run. Takes minutes: run by hand, not by CI.
#   scripts/soak-window.sh [BINARY] [SECONDS]    (defaults: build/swishcam, 300)
set -euo pipefail
binary=$(realpath "${1:-build/swishcam}")
seconds=${2:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# xvfb-run starts the game through a shell that tells us its process id and display.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
  'echo "$$ $DISPLAY $XAUTHORITY" >"$0/game"; exec "$@"' "$work" \
  "$binary" --demo --period 1 --settings "$work/Swishcam.prm" >"$work/log" 2>&1 &
runner=$!
while [ ! -s "$work/game" ]; do sleep 0.1; done
read -r pid display xauthority <"$work/game"

sample() {
  local rss fds threads
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  threads=$(awk '/^Threads:/ {print $2}' "/proc/$pid/status")
  fds=$(ls "/proc/$pid/fd" | wc -l)
  printf '%5d s  %7d kB  %3d fds  %2d threads\n' "$1" "$rss" "$fds" "$threads"
}

echo "  time      resident   files   threads"
for ((t = 0; t <= seconds; t += 10)); do
  [ -d "/proc/$pid" ] || { echo "the game ended early:"; cat "$work/log"; exit 1; }
  sample "$t"
  # Closes a winner's screen, if one is up; the main window ignores the space bar.
  DISPLAY=$display XAUTHORITY=$xauthority xdotool key space 2>/dev/null || true
  if [ "$t" -lt "$seconds" ]; then sleep 10; fi
done
kill -TERM "$pid"
wait "$runner" && echo "the game closed normally" || echo "the game ended with status $?"
# Minutes of the top ten's rows (offset 40, 24 bytes each): the games that ended and were
# recorded, each counted once per player recorded.
minutes=$(for row in {0..9}; do od -An -t d4 -j $((40 + 24 * row)) -N 4 "$work/Swishcam.prm"; done |
          awk '{sum += $1} END {print sum}')
echo "recorded in the top ten: $minutes player-minutes of one-minute games"
