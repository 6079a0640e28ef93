#!/usr/bin/env bash
# The real program in a virtual X server: start it, choose "Mesurer un angle",
# type an answer, press Enter, see the verdict appear, quit from the menu.
# Usage: xvfb_smoke.sh PATH/TO/gradoir
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  # A session bus of its own, as on a desktop, or none where dbus-run-session
  # is missing ("disabled:" is an address libdbus refuses): never the caller's
  # bus, and never one that libdbus autolaunches, whose daemon outlives us.
  if command -v dbus-run-session >/dev/null 2>&1; then
    bus=(dbus-run-session --)
  else
    bus=(env DBUS_SESSION_BUS_ADDRESS=disabled:)
  fi
  # timeout puts the session (bus, X server, program) in a process group of
  # its own and, after 100 s (before CTest's limit) or when this script is
  # interrupted, sends the whole group SIGTERM, then SIGKILL 5 s later.
  timeout -k 5 100 "${bus[@]}" xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside "$1" &
  session=$!
  trap 'kill -s TERM "$session" 2>/dev/null; wait "$session" 2>/dev/null || true' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM HUP
  status=0
  wait "$session" || status=$?
  trap - EXIT
  [ "$status" -ne 124 ] || echo "xvfb_smoke: still running after 100 s" >&2
  exit "$status"
fi
program="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The program records its tries: in the run's own folder, not the tester's.
export XDG_DATA_HOME="$work/data"

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
