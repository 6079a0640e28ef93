#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first a normal build,
# then the same suite under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${GRADOIR_BUILD_PACKAGES[@]}" "${GRADOIR_TEST_PACKAGES[@]}"
cd "$GRADOIR_ROOT"

echo "== normal build =="
configure_and_build build/plain -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build/plain --output-on-failure --parallel "$(nproc)"

echo "== sanitizer build (address, undefined) =="
configure_and_build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DGRADOIR_SANITIZE=ON \
  -DGRADOIR_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
ctest --test-dir build/sanitize --output-on-failure --parallel "$(nproc)"

echo "== fuzzing (libFuzzer, address, undefined) =="
if libfuzzer_available; then
  CC=clang CXX=clang++ cmake -S "$GRADOIR_ROOT" -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGRADOIR_BUILD_FUZZ=ON -DGRADOIR_BUILD_BENCH=OFF >/dev/null
  check_build_packages build/fuzz "${GRADOIR_BUILD_PACKAGES[@]}" "${GRADOIR_TEST_PACKAGES[@]}"
  cmake --build build/fuzz --parallel "$(nproc)" --target "${GRADOIR_FUZZ_TARGETS[@]/#/fuzz_}"
  for target in "${GRADOIR_FUZZ_TARGETS[@]}"; do
    run_fuzzer build/fuzz "$target"
  done
else
  echo "clang with libFuzzer not found: fuzzing skipped"
fi
