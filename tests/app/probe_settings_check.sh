#!/usr/bin/env bash
# gradoir-probe settings prints the four settings of a file as one JSON line,
# defaults included. Usage: probe_settings_check.sh PATH/TO/gradoir-probe
set -euo pipefail
probe="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

expect() {
  local got
  got="$("$probe" settings --file "$1" 2>/dev/null)"
  if [ "$got" != "$2" ]; then
    echo "probe_settings_check: $1: got '$got', expected '$2'" >&2
    exit 1
  fi
}

expect "$work/missing.ini" '{"Mesurer":10,"Tracer":10,"SommetAimante":true,"CoteHorizontal":false}'
printf '[nbex/serie]\r\n mesurer = 0x0A\r\nTracer=3\r\n[Angle]\r\nSommetAimante=0\r\nCoteHorizontal=-1\r\n' > "$work/a.ini"
expect "$work/a.ini" '{"Mesurer":10,"Tracer":3,"SommetAimante":false,"CoteHorizontal":true}'
printf '[NbEx/Serie]\nMesurer=-4\nTracer=7 exercices\n[Angle]\nSommetAimante=non\n' > "$work/b.ini"
expect "$work/b.ini" '{"Mesurer":-4,"Tracer":10,"SommetAimante":true,"CoteHorizontal":false}'
expect "$work" '{"Mesurer":10,"Tracer":10,"SommetAimante":true,"CoteHorizontal":false}'

# A missing --file is a usage error: exit status 2.
status=0
"$probe" settings >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || { echo "probe_settings_check: exit status $status without --file" >&2; exit 1; }
echo "probe_settings_check: ok"
