#!/bin/sh
# window_smoke.sh LOG COMMAND...: run under an X server. Starts COMMAND, waits
# for its main window "Gradoir", then quits through the menu ("&Exercice",
# "&Quitter") and expects a clean exit. Kills the program by its id if it
# does not go.
log=$1
shift
"$@" >"$log" 2>&1 &
pid=$!

stop() { kill "$pid" 2>/dev/null; sleep 1; kill -9 "$pid" 2>/dev/null; echo "FAIL: $*" >&2; exit 1; }

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Gradoir$' | head -n 1)
[ -n "$window" ] || stop "no visible window named Gradoir within 20 s"
owner=$(xdotool getwindowpid "$window" 2>/dev/null || true)
[ "$owner" = "$pid" ] || stop "window $window belongs to process '$owner', not $pid"
echo "window $window of process $pid"

xdotool windowfocus --sync "$window"
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
