#!/usr/bin/env bash
# Installs what building and running need, builds the program alone (no
# tests, no benchmarks) and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${GRADOIR_BUILD_PACKAGES[@]}"
cd "$GRADOIR_ROOT"
# A folder of its own: test.sh's builds keep their tests and options.
cmake -S "$GRADOIR_ROOT" -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGRADOIR_BUILD_TESTS=OFF -DGRADOIR_BUILD_BENCH=OFF >/dev/null
# What the build read must come from the packages installed above.
check_build_packages build/run "${GRADOIR_BUILD_PACKAGES[@]}"
cmake --build build/run --parallel "$(nproc)" --target gradoir

program=build/run/app/gradoir
# Without a display Qt aborts with a message about platform plugins that
# does not say what is missing.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Gradoir opens a window and needs a graphical session: neither DISPLAY nor" >&2
  echo "WAYLAND_DISPLAY is set. It is built; from a desktop session, start" >&2
  echo "$GRADOIR_ROOT/$program (or scripts/run.sh again)." >&2
  exit 1
fi
exec "$program" "$@"
