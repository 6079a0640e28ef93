#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: a normal build, the
# same suite under AddressSanitizer + UndefinedBehaviorSanitizer, then the
# libFuzzer targets side by side (about GRADOIR_FUZZ_SECONDS of a core each).
# Each suite runs while the next build compiles. Every stage ends with its
# wall-clock and CPU time.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${GRADOIR_BUILD_PACKAGES[@]}" "${GRADOIR_TEST_PACKAGES[@]}"
cd "$GRADOIR_ROOT"
jobs="$(nproc)"

# The benchmarks are bench/run.sh's: it builds them itself, optimised.
# Line tables (-g1) are all a failing test's backtrace needs, at two thirds
# of the compile time of full debug information.
stage "normal build"
configure_and_build build/plain -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRADOIR_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"

stage "sanitizer build (address, undefined), the normal tests beside it"
beside "normal tests" ctest --test-dir build/plain --output-on-failure --parallel "$jobs"
# The sanitizers' reports too need only the line tables, for file and line.
# A failed build still waits for the tests beside it and shows their report.
built=0
configure_and_build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DGRADOIR_SANITIZE=ON \
  -DGRADOIR_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" || built=$?
beside_done
[ "$built" -eq 0 ] || exit "$built"

if libfuzzer_available; then
  stage "fuzz build (libFuzzer, address, undefined), the sanitizer tests beside it"
  beside "sanitizer tests" ctest --test-dir build/sanitize --output-on-failure --parallel "$jobs"
  built=0
  build_fuzzers build/fuzz "${GRADOIR_FUZZ_TARGETS[@]}" || built=$?
  beside_done
  [ "$built" -eq 0 ] || exit "$built"
  stage "fuzzing, the targets side by side"
  run_fuzzers build/fuzz "${GRADOIR_FUZZ_TARGETS[@]}"
else
  stage "sanitizer tests"
  ctest --test-dir build/sanitize --output-on-failure --parallel "$jobs"
  echo "clang with libFuzzer not found: fuzzing skipped"
fi
stage_end
