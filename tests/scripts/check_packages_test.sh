#!/usr/bin/env bash
# check_packages_test.sh BUILD_DIR: scripts/check_packages.sh against the
# CMake cache of the build in BUILD_DIR, once per case below, with the
# package lists of a copy of scripts/common.sh from which the case removes
# one entry. Exits 77 (skipped) where dpkg or apt-cache is missing.
set -u
build="$1"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if ! command -v dpkg >/dev/null 2>&1 || ! command -v apt-cache >/dev/null 2>&1; then
  echo "SKIP: dpkg or apt-cache missing"
  exit 77
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A build folder of the check's own, so that its closure cache stays here.
mkdir "$work/build"
cp "$build/CMakeCache.txt" "$work/build/"

failures=0
# case LISTS REMOVED EXPECTED_STATUS NAMED...: LISTS is "all" (the build and
# test lists, as test.sh checks) or "build" (as run.sh checks); REMOVED is
# taken out of the copy of common.sh ("-": nothing); the check's output must
# have one problem line per NAMED pair "package:variable".
check_case() {
  local lists="$1" removed="$2" expected="$3"; shift 3
  local copy="$work/common.sh"
  if [ "$removed" = - ]; then
    cp "$root/scripts/common.sh" "$copy"
  else
    sed -E "s/(^|[[:space:]])$removed([[:space:]]|\$)/\\1\\2/" "$root/scripts/common.sh" >"$copy"
    if cmp -s "$copy" "$root/scripts/common.sh"; then
      echo "FAIL [$lists without $removed]: common.sh does not list $removed"
      failures=$((failures + 1))
      return
    fi
  fi
  local output status
  output="$(
    source "$copy"
    packages=("${GRADOIR_BUILD_PACKAGES[@]}")
    [ "$lists" = all ] && packages+=("${GRADOIR_TEST_PACKAGES[@]}")
    bash "$root/scripts/check_packages.sh" "$work/build" "${packages[@]}" 2>&1
  )"
  status=$?
  local label="$lists lists"
  [ "$removed" = - ] || label="$label without $removed"
  if [ "$status" -ne "$expected" ]; then
    echo "FAIL [$label]: exit status $status, expected $expected"
    failures=$((failures + 1))
  fi
  local problems
  problems="$(printf '%s\n' "$output" | grep -c '^  ' || true)"
  if [ "$problems" -ne $# ]; then
    echo "FAIL [$label]: $problems unlisted packages reported, expected $#"
    failures=$((failures + 1))
  fi
  local pair
  for pair in "$@"; do
    if ! printf '%s\n' "$output" | grep -E "^  ${pair#*:}: .* is in (.* )?${pair%%:*}( .*)?, " >/dev/null; then
      echo "FAIL [$label]: ${pair%%:*} not named for ${pair#*:}"
      failures=$((failures + 1))
    fi
  done
  printf '%s\n' "$output" | sed "s/^/[$label] /"
}

# The lists as they are: everything the build read is installed by them.
check_case all - 0
# The translations' CMake package, which only qt6-tools-dev holds.
check_case all qt6-tools-dev 1 qt6-tools-dev:Qt6LinguistTools_DIR
# libgmock-dev depends on libgtest-dev: a package pulled in need not be listed.
check_case all libgtest-dev 0
# run.sh installs the build list alone; this build also read GoogleTest (and
# Google Benchmark when it builds the benchmarks).
read_by_build=(libgtest-dev:GTest_DIR)
grep -q '^benchmark_DIR:PATH=/' "$work/build/CMakeCache.txt" && read_by_build+=(libbenchmark-dev:benchmark_DIR)
check_case build - 1 "${read_by_build[@]}"

echo "$failures failures"
[ "$failures" -eq 0 ]
