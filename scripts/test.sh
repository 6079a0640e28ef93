#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first a normal build,
# then the same suite under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${GRADOIR_PACKAGES[@]}"
cd "$GRADOIR_ROOT"

echo "== normal build =="
configure_and_build build/plain -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build/plain --output-on-failure --parallel "$(nproc)"

echo "== sanitizer build (address, undefined) =="
configure_and_build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DGRADOIR_SANITIZE=ON \
  -DGRADOIR_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
ctest --test-dir build/sanitize --output-on-failure --parallel "$(nproc)"
