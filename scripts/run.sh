#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${GRADOIR_PACKAGES[@]}"
cd "$GRADOIR_ROOT"
configure_and_build build/plain -DCMAKE_BUILD_TYPE=RelWithDebInfo

program=build/plain/app/gradoir
if [ ! -x "$program" ]; then
  echo "The program is not built yet: only the engine and its tests exist so far." >&2
  exit 1
fi
exec "$program" "$@"
