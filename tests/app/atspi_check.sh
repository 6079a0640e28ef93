#!/usr/bin/env bash
# The real program in a virtual X server, read through the desktop's
# accessibility bus (AT-SPI) by atspi_names.py, as a screen reader reads it.
# Usage: atspi_check.sh PATH/TO/gradoir
# Exit 77 (skipped) when the bus, its Python binding or the X server is missing.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
launcher=/usr/libexec/at-spi-bus-launcher
python=/usr/bin/python3

if [ "${1:-}" != "--inside" ]; then
  program="${1:?usage: atspi_check.sh PATH/TO/gradoir}"
  for tool in "$launcher" /usr/bin/Xvfb "$(command -v dbus-run-session || echo dbus-run-session)"; do
    [ -x "$tool" ] || { echo "atspi_check: skipped, $tool missing (Debian at-spi2-core, xvfb, dbus)"; exit 77; }
  done
  "$python" -c 'import pyatspi' 2>/dev/null ||
    { echo "atspi_check: skipped, $python cannot import pyatspi (Debian python3-pyatspi)"; exit 77; }
  # A session bus of its own; timeout puts the whole session (buses, X
  # server, program) in one process group and ends all of it after 30 s.
  exec timeout -k 5 30 dbus-run-session -- "$0" --inside "$program"
fi

program="$2"
work="$(mktemp -d)"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
pids+=($!)
# The X server picks a free display itself and writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids=($! "${pids[@]}")
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "atspi_check: the X server did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

LANGUAGE=fr LANG=C.UTF-8 QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  "$program" >"$work/program.log" 2>&1 &
pids=($! "${pids[@]}")

"$python" "$here/atspi_names.py"
status=$?
[ "$status" -eq 0 ] || { echo "--- program output"; cat "$work/program.log"; }
exit "$status"
