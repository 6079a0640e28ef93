#!/usr/bin/env bash
# Builds the benchmarks optimised and prints what a pupil feels on a
# 1920 x 1080 canvas: the median time of each step (repaint included) and
# its ratio to a memcpy of one 1920 x 1080 frame measured in the same run,
# and the protractor's redraw against the same dial drawn with QPainter; then
# the same on a 4K screen at ratio 2 (3840 x 2160 device pixels).
#
#   bench/run.sh [build-dir]       (default: build/benchmarks; not build/bench,
#                                  which is the bench folder of a tree built in build/)
# REPETITIONS=n sets --benchmark_repetitions (default 9).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/benchmarks}"
repetitions="${REPETITIONS:-9}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRADOIR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target canvas_bench figures_bench gradoir bare_window >/dev/null

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
run() {  # program filter output
  "$build/bench/$1" --benchmark_filter="$2" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$3"
}
run canvas_bench 'BM_(FrameMemcpy|MoveStep|RotateStep|PencilStep)(4k)?$' "$out/canvas.csv"
run figures_bench 'BM_Protractor(Draw|QPainterPeer)(X2)?$' "$out/figures.csv"

# Start-up and memory: Gradoir and a bare Qt main window, alternately, each
# run reporting the wall-clock time of its first paint and its resident
# memory (app/startup_report.h); Gradoir's memory once its first measuring
# exercise is shown. Needs Xvfb; without it the rows say so.
startup_runs="${STARTUP_RUNS:-7}"
: >"$out/startup.txt"
if command -v Xvfb >/dev/null; then
  exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
  read -r _ xvfb_pid <&3
  read -r display <&3 || display=""
  trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "$out"' EXIT
  if [ -n "$display" ]; then
    shown() {  # label program [env...]: one start, "label ms rss_kb"
      local label="$1" program="$2"; shift 2
      local t0 line
      t0="$(date +%s%N)"
      line="$(env DISPLAY=":$display" "$@" "$program" 2>/dev/null | grep -m1 shown_ns || true)"
      [ -n "$line" ] || return 0
      local ns="${line#shown_ns=}"; ns="${ns%% *}"
      echo "$label $(( (ns - t0) / 1000 )) ${line##*rss_kb=}" >>"$out/startup.txt"
    }
    for _ in $(seq "$startup_runs"); do
      shown bare "$build/bench/bare_window" GRADOIR_REPORT_SHOWN=1
      shown gradoir "$build/app/gradoir" GRADOIR_REPORT_SHOWN=1
      shown exercise "$build/app/gradoir" GRADOIR_REPORT_EXERCISE=1
    done
  fi
fi

echo "nproc: $(nproc); CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "load:$(uptime | sed 's/.*load average//')"
python3 - "$out/canvas.csv" "$out/figures.csv" "$out/startup.txt" <<'PY'
import csv, statistics, sys

def medians(path):
    # real_time of each benchmark's _median aggregate, in microseconds
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    rows = {}
    with open(path) as f:
        lines = [l for l in f if l.startswith('"') or l.startswith("name")]
    for r in csv.DictReader(lines):
        if r["name"].endswith("_median"):
            rows[r["name"][: -len("_median")]] = float(r["real_time"]) * scale[r["time_unit"]]
    return rows

canvas, figures = medians(sys.argv[1]), medians(sys.argv[2])
floor = canvas["BM_FrameMemcpy"]
peer = figures["BM_ProtractorQPainterPeer"]
table = [
    ("frame memcpy 1920x1080x4 (floor)", floor, floor, "-", None),
    ("move step + repaint", canvas["BM_MoveStep"], floor, "memcpy", 3.0),
    ("rotate step + repaint", canvas["BM_RotateStep"], floor, "memcpy", 4.0),
    ("pencil step + repaint", canvas["BM_PencilStep"], floor, "memcpy", 4.0),
    ("QPainter dial 482x482 (peer)", peer, peer, "-", None),
    ("protractor Draw 482x482", figures["BM_ProtractorDraw"], peer, "peer", 1.0),
    # A 4K screen at ratio 2: 3840 x 2160 device pixels, 964 x 964 dial.
    ("frame memcpy 3840x2160x4 (floor)", canvas["BM_FrameMemcpy4k"], canvas["BM_FrameMemcpy4k"], "-", None),
    ("x2 move step + repaint", canvas["BM_MoveStep4k"], canvas["BM_FrameMemcpy4k"], "memcpy", 3.0),
    ("x2 rotate step + repaint", canvas["BM_RotateStep4k"], canvas["BM_FrameMemcpy4k"], "memcpy", 4.0),
    ("x2 pencil step + repaint", canvas["BM_PencilStep4k"], canvas["BM_FrameMemcpy4k"], "memcpy", 4.0),
    ("x2 QPainter dial 964x964 (peer)", figures["BM_ProtractorQPainterPeerX2"],
     figures["BM_ProtractorQPainterPeerX2"], "-", None),
    ("x2 protractor Draw 964x964", figures["BM_ProtractorDrawX2"], figures["BM_ProtractorQPainterPeerX2"], "peer", 1.0),
]
print(f"{'case':36} {'median us':>10} {'ratio':>7} {'of':>7} {'target':>7}  met")
for name, t, base, of, target in table:
    ratio = t / base
    met = "" if target is None else ("yes" if ratio <= target else "NO")
    tgt = "" if target is None else f"<={target:g}"
    print(f"{name:36} {t:10.1f} {ratio:7.2f} {of:>7} {tgt:>7}  {met}")

# Start-up (median of the runs, microseconds) and resident memory (median, MB).
runs = {}
with open(sys.argv[3]) as f:
    for line in f:
        label, us, kb = line.split()
        runs.setdefault(label, []).append((float(us), float(kb)))
if not all(k in runs for k in ("bare", "gradoir", "exercise")):
    print("start-up and memory rows: not measured (no Xvfb, or a program did not report)")
else:
    bare_us = statistics.median(u for u, _ in runs["bare"])
    bare_mb = statistics.median(k for _, k in runs["bare"]) / 1024
    start_us = statistics.median(u for u, _ in runs["gradoir"])
    exercise_mb = statistics.median(k for _, k in runs["exercise"]) / 1024
    ratio = start_us / bare_us
    print(f"{'start-up, bare Qt window (floor)':36} {bare_us:10.1f} {1:7.2f} {'-':>7} {'':>7}  ")
    print(f"{'start-up to first paint':36} {start_us:10.1f} {ratio:7.2f} {'bare':>7} {'<=1.5':>7}  "
          f"{'yes' if ratio <= 1.5 else 'NO'}")
    extra = exercise_mb - bare_mb
    print(f"resident MB: bare window {bare_mb:.1f}, first measuring exercise {exercise_mb:.1f}: "
          f"+{extra:.1f} MB (target <= +30)  {'yes' if extra <= 30 else 'NO'}  ({len(runs['bare'])} runs)")
PY

# The teacher's desk on a big school's year (500 pupils, 1,000,000 tries,
# built by the benchmark itself): in a SQLite file (made once, kept in the
# build folder), and on a throw-away PostgreSQL server when pg_virtualenv is
# installed. TEACHER=0 skips it (the data set takes minutes to make).
if [ "${TEACHER:-1}" != 0 ]; then
  cmake -S "$root" -B "$build" -DGRADOIR_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --parallel "$(nproc)" --target teacher_bench gradoir >/dev/null
  teacher_run() {  # output [pg_virtualenv -t]
    local output="$1"; shift
    # JSON, to a file of its own: the CSV reporter refuses a counter that
    # only some rows have, and pg_virtualenv talks on stdout.
    "$@" "$build/bench/teacher_bench" --benchmark_out="$output" --benchmark_out_format=json \
      ${filter:+--benchmark_filter="$filter"} >>"$out/teacher.log" 2>&1 || true
  }
  filter="" teacher_run "$out/teacher_sqlite.json"
  : >"$out/teacher_postgres.json"
  if command -v pg_virtualenv >/dev/null && ls /usr/lib/postgresql/*/bin/postgres >/dev/null 2>&1; then
    filter="postgres" teacher_run "$out/teacher_postgres.json" pg_virtualenv -t
  fi
  python3 - "$out/teacher_sqlite.json" "$out/teacher_postgres.json" <<'PY'
import json, sys

rows = {}
for path in sys.argv[1:]:
    try:
        with open(path) as f:
            runs = json.load(f).get("benchmarks", [])
    except (OSError, ValueError):
        runs = []
    for r in runs:
        rows[r["name"].split("/iterations")[0]] = r

print()
print(f"{'teacher desk, 500 pupils, 1e6 tries':40} {'ms':>9} {'target':>9}  met")
for store in ("sqlite", "postgres"):
    for bench, label, target in (("BM_Overview", "class overview", 1500), ("BM_PupilPage", "a pupil's page", 500),
                                 ("BM_ExportCsv", "--export-csv", 8000)):
        r = rows.get(f"{bench}/{store}")
        name = f"{label} ({store})"
        if r is None or r.get("error_occurred"):
            why = "not run" if r is None else r.get("error_message", "")
            print(f"{name:40} {'-':>9} {'<=' + str(target):>9}  ({why})")
            continue
        ms = float(r["real_time"]) * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[r["time_unit"]]
        print(f"{name:40} {ms:9.0f} {'<=' + str(target):>9}  {'yes' if ms <= target else 'NO'}")
        if bench == "BM_ExportCsv" and r.get("peak_rss_mb"):
            mb = float(r["peak_rss_mb"])
            print(f"{'  its peak resident memory, MB':40} {mb:9.1f} {'<=150':>9}  {'yes' if mb <= 150 else 'NO'}")
PY
fi
