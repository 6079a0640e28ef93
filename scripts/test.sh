#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: a normal build, the
# same suite under AddressSanitizer + UndefinedBehaviorSanitizer, then the
# libFuzzer targets side by side. Each stage ends with its wall-clock and CPU
# time.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${GRADOIR_BUILD_PACKAGES[@]}" "${GRADOIR_TEST_PACKAGES[@]}"
cd "$GRADOIR_ROOT"

# The benchmarks are bench/run.sh's: it builds them itself, optimised.
stage "normal build"
configure_and_build build/plain -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRADOIR_BUILD_BENCH=OFF
stage "normal tests"
ctest --test-dir build/plain --output-on-failure --parallel "$(nproc)"

# Line tables (-g1) are all the sanitizers' reports need, for file and line,
# at a fraction of the compile time of full debug information.
stage "sanitizer build (address, undefined)"
configure_and_build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DGRADOIR_SANITIZE=ON \
  -DGRADOIR_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
stage "sanitizer tests"
ctest --test-dir build/sanitize --output-on-failure --parallel "$(nproc)"

stage "fuzz build (libFuzzer, address, undefined)"
if libfuzzer_available; then
  CC=clang CXX=clang++ cmake -S "$GRADOIR_ROOT" -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DGRADOIR_BUILD_FUZZ=ON -DGRADOIR_BUILD_BENCH=OFF >/dev/null
  check_build_packages build/fuzz "${GRADOIR_BUILD_PACKAGES[@]}" "${GRADOIR_TEST_PACKAGES[@]}"
  cmake --build build/fuzz --parallel "$(nproc)" --target "${GRADOIR_FUZZ_TARGETS[@]/#/fuzz_}"
  stage "fuzzing, ${GRADOIR_FUZZ_SECONDS} s, the targets side by side"
  run_fuzzers build/fuzz "${GRADOIR_FUZZ_TARGETS[@]}"
else
  echo "clang with libFuzzer not found: fuzzing skipped"
fi
stage_end
