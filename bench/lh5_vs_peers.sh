#!/bin/bash
# Our LH5 codec beside jLHA (compression) and lhasa, 7-Zip and bsdtar (decompression) on
# the fixed benchmark inputs: compressed stream size, compression and decompression time.
# Peer times are the best of several runs with the process start-up (a run on a tiny
# archive) subtracted; ours are in-process Google Benchmark CPU times (steady while other
# jobs share the machine).
# Usage: bench/lh5_vs_peers.sh [BUILD_DIR]   (default: build)
# BENCH_SMOKE=1 runs one repetition on the smallest inputs, so the suite sees that it works.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
bench=$build/bin/bench_lh5
for exe in "$bench" "$build/bin/brondavel-cli"; do
    [ -x "$exe" ] || { echo "build $exe first (make build)" >&2; exit 1; }
done
for tool in lha lhasa 7z bsdtar python3; do
    command -v "$tool" > /dev/null || { echo "missing $tool (make deps)" >&2; exit 1; }
done
work=$(mktemp -d /tmp/lh5-peers.XXXXXX)
trap 'rm -rf "$work"' EXIT
python3 "$root/../shared/bench/gen_bench_data.py" "$work/data" --sections > /dev/null

smoke=${BENCH_SMOKE:-0}
min_time=0.3 filter=.
if [ "$smoke" = 1 ]; then min_time=0.001 filter=sec_s4; fi
LH5_BENCH_DIR="$work/data" "$bench" --benchmark_format=json --benchmark_min_time=$min_time \
    --benchmark_filter="$filter" > "$work/ours.json" 2> /dev/null

python3 - "$work" "$build/bin/brondavel-cli" "$smoke" <<'PY'
import json, os, struct, subprocess, sys, time

work, cli, smoke = sys.argv[1], sys.argv[2], sys.argv[3] == "1"
data = os.path.join(work, "data")
names = ["image_full", "image_half", "ff", "random", "text",
         "sec_tv", "sec_tv_full", "sec_radio", "sec_tp", "sec_s4"]
if smoke:
    names = ["sec_s4"]

def best_of(cmd, cwd, runs=5):
    if smoke:
        runs = 1
    best = None
    for _ in range(runs):
        t = time.perf_counter()
        subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        t = time.perf_counter() - t
        best = t if best is None else min(best, t)
    return best

def stream_size(archive):
    d = open(archive, "rb").read()
    h = d[0]
    size = struct.unpack("<I", d[7:11])[0]
    at = 2 + h
    nxt = struct.unpack("<H", d[at - 2:at])[0]
    while nxt:                      # level-1 extended headers count in the size
        size -= nxt
        at += nxt - 2
        nxt = struct.unpack("<H", d[at:at + 2])[0]
        at += 2
    return size, d[2:7].decode()

def named(archive, out):
    # lhasa and bsdtar pass over a member with an empty name: give it one letter.
    d = bytearray(open(archive, "rb").read())
    h = d[0]
    if d[21] != 0:  # the member has its name already
        open(out, "wb").write(d)
        return
    d[22:22] = b"a"
    d[0] = h + 1
    d[21] = 1
    d[1] = sum(d[2:2 + h + 1]) & 0xFF
    open(out, "wb").write(d)

ours = {}
for b in json.load(open(os.path.join(work, "ours.json")))["benchmarks"]:
    kind, name = b["name"].split("/")
    if b.get("error_occurred"):
        continue
    ms = b["cpu_time"] if b["time_unit"] == "ms" else b["cpu_time"] / 1e6
    ours.setdefault(name, {})[kind] = ms
    if kind == "Compress":
        ours[name]["stream"] = int(b["stream"])

# Start-up cost of each tool, from a run on a tiny archive.
tiny = os.path.join(work, "tiny")
os.makedirs(tiny)
open(os.path.join(tiny, "t.bin"), "wb").write(b"abcabcabcabcabcabcabc" * 4)
subprocess.run([cli, "lh5", "compress", "t.bin", "t.lzh"], cwd=tiny, check=True)
named(os.path.join(tiny, "t.lzh"), os.path.join(tiny, "n.lzh"))
start = {
    "lha": best_of(["lha", "-a1o5q", "s.lzh", "t.bin"], tiny),
    "lhasa": best_of(["lhasa", "pq", "n.lzh"], tiny),
    "7z": best_of(["7z", "e", "-so", "t.lzh"], tiny),
    "bsdtar": best_of(["bsdtar", "-xOf", "n.lzh"], tiny),
}

print("%-12s %8s | %9s %9s | %8s %8s | %7s %7s %7s %7s" % (
    "input", "bytes", "ours", "jLHA", "ours ms", "jLHA ms", "ours ms", "lhasa", "7z", "bsdtar"))
print("%-12s %8s | %19s | %17s | %31s" % ("", "", "-lh5- stream bytes", "compress", "decompress"))
for name in names:
    src = os.path.join(data, name + ".bin")
    if not os.path.exists(src):
        continue
    d = os.path.join(work, "p_" + name)
    os.makedirs(d)
    os.symlink(src, os.path.join(d, "in.bin"))
    jt = max(0.0, best_of(["sh", "-c", "rm -f j.lzh; lha -a1o5q j.lzh in.bin"], d, 3) - start["lha"])
    js, jm = stream_size(os.path.join(d, "j.lzh"))
    o = ours.get(name, {})
    row = "%-12s %8d | %9s %9s | %8.2f %8.2f |" % (
        name, os.path.getsize(src),
        o["stream"] if o.get("stream", -1) >= 0 else "-1",
        str(js) + ("" if jm == "-lh5-" else " " + jm.strip("-")),
        o.get("Compress", float("nan")), jt * 1e3)
    if "Decompress" in o:
        # The peers extract the block we produced (named, as lhasa and bsdtar need).
        subprocess.run([cli, "lh5", "compress", "in.bin", "o.lzh"], cwd=d, check=True)
        named(os.path.join(d, "o.lzh"), os.path.join(d, "n.lzh"))
        row += " %7.2f" % o["Decompress"]
        for tool, cmd in (("lhasa", ["lhasa", "pq", "n.lzh"]), ("7z", ["7z", "e", "-so", "n.lzh"]),
                          ("bsdtar", ["bsdtar", "-xOf", "n.lzh"])):
            row += " %7.2f" % (max(0.0, best_of(cmd, d) - start[tool]) * 1e3)
    print(row)
PY
