# Shared by run.sh and test.sh: Debian packages the build needs, and the
# configure/build steps. Sourced, not run.

GRADOIR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# All from Debian 12. What building and running the program needs (run.sh):
# the fonts and Qt's French strings are part of what the pupil sees, and the
# results are kept in a SQLite file.
GRADOIR_BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libqt6sql6-sqlite fonts-dejavu-core
  qt6-l10n-tools qt6-tools-dev  # the translations: lrelease, and the CMake package that builds them
)
# What only the tests, fuzzing and benchmarks need (test.sh, on top of the
# above): test libraries, a virtual X server and what drives it, the
# sanitizers' and libFuzzer's clang, the desktop-file and package checkers,
# dbus-run-session, which gives a program under test a bus of its own, lintian
# for the Debian package, a PostgreSQL server with its Qt driver for the
# computer-room results store, and fonts to measure the window's texts with
# (Liberation Sans, and a font with Tahoma's metrics that fontconfig does not
# use: only that test adds it).
GRADOIR_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  libqt6sql6-psql postgresql
  xvfb xauth xdotool imagemagick x11-utils dbus-daemon
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev lintian strace python3
  fonts-liberation fonts-wine
  poppler-utils  # pdftotext and pdftoppm read the printed reports and worksheets back
  # the program read as a screen reader reads it: the accessibility bus, its
  # Python binding, and Qt's platform header that lets a test act as a reader
  at-spi2-core python3-pyatspi dbus qt6-base-private-dev
)

# Installs the packages that are missing (apt-get update once, then install),
# as root or through sudo.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# check_build_packages BUILD_DIR PACKAGE...: after configuring, fails naming
# each CMake package the build read that none of PACKAGE... installs or pulls
# in (scripts/check_packages.sh): a clean machine would fail to configure.
# Passes, saying so, where dpkg or apt-cache is missing.
check_build_packages() {
  local status=0
  bash "$GRADOIR_ROOT/scripts/check_packages.sh" "$@" || status=$?
  [ "$status" -eq 77 ] && return 0
  return "$status"
}

# configure_and_build BUILD_DIR [cmake options...]: configures, checks the
# CMake packages read against both package lists, builds.
configure_and_build() {
  local dir="$1"; shift
  cmake -S "$GRADOIR_ROOT" -B "$dir" -G Ninja "$@" >/dev/null || return
  check_build_packages "$dir" "${GRADOIR_BUILD_PACKAGES[@]}" "${GRADOIR_TEST_PACKAGES[@]}" || return
  cmake --build "$dir" --parallel "$(nproc)"
}

# The fuzz targets of tests/fuzz, each run from a copy of its seed corpus
# for about GRADOIR_FUZZ_SECONDS of a core (run_fuzzers).
GRADOIR_FUZZ_TARGETS=(settings raster canvas)
GRADOIR_FUZZ_SECONDS="${GRADOIR_FUZZ_SECONDS:-60}"

# True when clang can link a libFuzzer target.
libfuzzer_available() {
  command -v clang++ >/dev/null 2>&1 || return 1
  local probe
  probe="$(mktemp -d)"
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$probe/probe.cpp"
  clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1
  local status=$?
  rm -rf "$probe"
  return $status
}

# build_fuzzers BUILD_DIR TARGET...: configures BUILD_DIR with clang,
# instrumented for libFuzzer and checked by the sanitizers (line tables
# only), checks its CMake packages, builds the fuzz_TARGET programs.
build_fuzzers() {
  local dir="$1"; shift
  CC=clang CXX=clang++ cmake -S "$GRADOIR_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DGRADOIR_BUILD_FUZZ=ON -DGRADOIR_BUILD_BENCH=OFF \
    >/dev/null || return
  check_build_packages "$dir" "${GRADOIR_BUILD_PACKAGES[@]}" "${GRADOIR_TEST_PACKAGES[@]}" || return
  cmake --build "$dir" --parallel "$(nproc)" --target "${@/#/fuzz_}"
}

# run_fuzzer BUILD_DIR TARGET [SECONDS]: a bounded, reproducible run (fixed
# seed, time and memory limits; GRADOIR_FUZZ_SECONDS unless SECONDS is
# given) from a fresh copy of the target's corpus. libFuzzer
# exits non-zero on a crash, a leak, a timeout or an out-of-memory, and
# leaves the input that did it in the run folder.
run_fuzzer() {
  local build="$1" target="$2" seconds="${3:-$GRADOIR_FUZZ_SECONDS}"
  local work="$build/run/$target"
  rm -rf "$work"
  mkdir -p "$work"
  cp -r "$GRADOIR_ROOT/tests/fuzz/corpus/$target" "$work/corpus"
  echo "-- fuzz_$target for $seconds s"
  if ! (cd "$work" &&
    QT_QPA_PLATFORM=offscreen "$GRADOIR_ROOT/$build/tests/fuzz/fuzz_$target" -seed=1 \
      -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=30 -max_len=1024 \
      -print_final_stats=1 corpus 2>fuzz.log); then
    tail -n 60 "$work/fuzz.log"
    echo "fuzz_$target failed: see $work"
    return 1
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units' "$work/fuzz.log" || true
}

# run_fuzzers BUILD_DIR TARGET...: run_fuzzer for every target at once, then
# each one's report in turn; fails when any of them failed. Each target is
# one process, so side by side they share the cores: the run lasts
# GRADOIR_FUZZ_SECONDS times the targets per core (never less than
# GRADOIR_FUZZ_SECONDS), which gives each about as much CPU as a run of its
# own would have had.
run_fuzzers() {
  local build="$1"; shift
  local target pids=() status=0 i=0 cores seconds
  cores="$(nproc)"
  seconds=$(( (GRADOIR_FUZZ_SECONDS * $# + cores - 1) / cores ))
  [ "$seconds" -ge "$GRADOIR_FUZZ_SECONDS" ] || seconds="$GRADOIR_FUZZ_SECONDS"
  mkdir -p "$build/run"
  for target in "$@"; do
    run_fuzzer "$build" "$target" "$seconds" >"$build/run/$target.out" 2>&1 &
    pids+=("$!")
  done
  for target in "$@"; do
    wait "${pids[$i]}" || status=1
    cat "$build/run/$target.out"
    i=$((i + 1))
  done
  return "$status"
}

# stage NAME: ends the stage under way, printing its wall-clock time and the
# CPU time (user + system) of the commands it ran, and starts NAME.
# stage_end ends the last one.
GRADOIR_STAGE=""
_stage_clock() {  # PID -> "seconds cpu_ticks": now, and PID's CPU with its finished children's
  local fields=()
  read -r -a fields <"/proc/$1/stat" 2>/dev/null || true
  echo "$(date +%s.%N) $(( ${fields[13]:-0} + ${fields[14]:-0} + ${fields[15]:-0} + ${fields[16]:-0} ))"
}
stage_end() {
  [ -n "$GRADOIR_STAGE" ] || return 0
  local now cpu shell="$BASHPID"
  read -r now cpu < <(_stage_clock "$shell")
  awk -v name="$GRADOIR_STAGE" -v now="$now" -v start="$_stage_start" \
    -v cpu="$(( cpu - _stage_cpu ))" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "-- %s: %.0f s, %.0f s CPU\n", name, now - start, cpu / hz }'
  GRADOIR_STAGE=""
}
stage() {
  stage_end
  GRADOIR_STAGE="$1"
  local shell="$BASHPID"
  read -r _stage_start _stage_cpu < <(_stage_clock "$shell")
  echo "== $1 =="
}

# beside NAME COMMAND...: runs COMMAND in the background as a stage of its own,
# its output kept until beside_done, which waits for it, prints that output
# (with the stage's time line) and fails as COMMAND did. One at a time. Tests
# run this way beside a build, where they mostly wait (on a server, a
# package, a window) and the build takes the cores.
beside() {
  local name="$1"; shift
  GRADOIR_BESIDE_LOG="$(mktemp)"
  (
    GRADOIR_STAGE=""
    stage "$name"
    status=0
    "$@" || status=$?
    stage_end
    exit "$status"
  ) >"$GRADOIR_BESIDE_LOG" 2>&1 &
  GRADOIR_BESIDE_PID=$!
}
beside_done() {
  local status=0
  wait "$GRADOIR_BESIDE_PID" || status=$?
  cat "$GRADOIR_BESIDE_LOG"
  rm -f "$GRADOIR_BESIDE_LOG"
  return "$status"
}
