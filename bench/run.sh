#!/usr/bin/env bash
# Builds the benchmarks optimised and prints what a pupil feels on a
# 1920 x 1080 canvas: the median time of each step (repaint included) and
# its ratio to a memcpy of one 1920 x 1080 frame measured in the same run,
# and the protractor's redraw against the same dial drawn with QPainter; then
# the same on a 4K screen at ratio 2 (3840 x 2160 device pixels).
#
#   bench/run.sh [build-dir]       (default: build/bench)
# REPETITIONS=n sets --benchmark_repetitions (default 9).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/bench}"
repetitions="${REPETITIONS:-9}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRADOIR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target canvas_bench figures_bench >/dev/null

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
run() {  # program filter output
  "$build/bench/$1" --benchmark_filter="$2" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$3"
}
run canvas_bench 'BM_(FrameMemcpy|MoveStep|RotateStep|PencilStep)(4k)?$' "$out/canvas.csv"
run figures_bench 'BM_Protractor(Draw|QPainterPeer)(X2)?$' "$out/figures.csv"

echo "nproc: $(nproc); CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "load:$(uptime | sed 's/.*load average//')"
python3 - "$out/canvas.csv" "$out/figures.csv" <<'PY'
import csv, sys

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
PY
