#!/bin/sh
# window_smoke.sh LOG PROGRAM WM_CLASS COMMAND...: run under an X server.
# Starts COMMAND, waits for the main window "Gradoir" and checks that it
# belongs to the executable PROGRAM and has the window class WM_CLASS (which
# the desktop matches with its menu entry), then quits through the menu
# ("&Exercice", "&Quitter") and expects a clean exit. Kills what it started,
# by its id, if it does not go.
log=$1 program=$2 wm_class=$3
shift 3
"$@" >"$log" 2>&1 &
pid=$!

stop() { kill "$pid" 2>/dev/null; sleep 1; kill -9 "$pid" 2>/dev/null; echo "FAIL: $*" >&2; exit 1; }

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Gradoir$' | head -n 1)
[ -n "$window" ] || stop "no visible window named Gradoir within 20 s"
owner=$(xdotool getwindowpid "$window" 2>/dev/null || true)
[ -n "$owner" ] && [ "$(readlink "/proc/$owner/exe")" = "$program" ] ||
  stop "window $window belongs to process '$owner', not to $program"
echo "window $window of $program"
if command -v xprop >/dev/null 2>&1; then
  class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
  [ "$class" = "$wm_class" ] || stop "window class is '$class', the menu entry expects '$wm_class'"
else
  echo "xprop unavailable: the window class was not checked"
fi

timeout 10 xdotool windowfocus --sync "$window" || stop "could not give the window the keyboard focus"
xdotool key --delay 200 alt+e q
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$pid" 2>/dev/null && stop "still running 10 s after Exercice > Quitter"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status" >&2; exit 1; }
echo "quit cleanly"
