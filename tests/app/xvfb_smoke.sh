#!/usr/bin/env bash
# The real program in a virtual X server: start it, choose "Mesurer un angle",
# type an answer, press Enter, see the verdict appear, quit from the menu.
# Usage: xvfb_smoke.sh PATH/TO/gradoir
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside "$1"
fi
program="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "xvfb_smoke: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }

# Pure red: the wrong verdict's text and lamp (the protractor has a few too).
red_pixels() {
  import -window root "$work/$1.png"
  convert "$work/$1.png" -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' \
    -format '%[fx:round(mean*w*h)]' info:
}

"$program" &
pid=$!
for _ in $(seq 100); do
  xdotool search --name '^Gradoir$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name '^Gradoir$' >/dev/null 2>&1 || fail "no window"
sleep 0.5

xdotool mousemove 640 400
xdotool mousemove 35 10 click 1   # "Exercice"
sleep 0.5
xdotool key m                     # "Mesurer un angle"
sleep 1
before=$(red_pixels before)
xdotool type 999                  # never a measure of the exercise
xdotool key Return
sleep 1
after=$(red_pixels after)
[ "$after" -gt $((before + 20)) ] || fail "no wrong verdict seen (red pixels $before -> $after)"

xdotool mousemove 35 10 click 1
sleep 0.5
xdotool key q                     # "Quitter"
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after Quitter"
wait "$pid" || fail "exit status $?"
echo "xvfb_smoke: verdict seen (red pixels $before -> $after), program quit"
