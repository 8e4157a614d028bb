#!/bin/bash
# Times 336000-byte transfers over a paced 115200-baud line (our own relay)
# and prints each time divided by the wire-rate limit, 336000*10/115200 s.
#   bench/link_transfer.sh [BUILD_DIR]      (default: build)
# BENCH_SMOKE=1 sends 4000 bytes instead, so the suite sees that it works.
set -u
size=336000
[ "${BENCH_SMOKE:-0}" = 1 ] && size=4000
build=${1:-build}
bin=$build/bin
for tool in brondavel-cli brondavel-receiver-sim link_pace_relay; do
    [ -x "$bin/$tool" ] || { echo "missing $bin/$tool (build first)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
python3 -c "import random; random.seed(336000); open('$work/chan.ZCS','wb').write(bytes(random.getrandbits(8) for _ in range($size)))"
limit=$(python3 -c "print($size*10/115200)")

start_relay() {
    rm -f "$work/A" "$work/B"
    "$bin/link_pace_relay" --baud 115200 --link-a "$work/A" --link-b "$work/B" --time-limit 300 \
        > "$work/relay.out" 2> "$work/relay.err" &
    relay=$!
    for _ in $(seq 100); do grep -q READY "$work/relay.out" 2>/dev/null && return; sleep 0.05; done
    echo "relay did not start" >&2; exit 1
}

failed=0
report() {  # name seconds status
    case "$3" in "rc=0 identical") ;; *) failed=1 ;; esac
    python3 -c "print(f'%-36s %7.2f s  %5.3f x limit  %s' % ('$1', $2, $2/$limit, '$3'))"
}

timed() {  # runs "$@", prints seconds
    local t0 t1
    t0=$(date +%s.%N)
    "$@" > "$work/cmd.out" 2> "$work/cmd.err"
    local rc=$?
    t1=$(date +%s.%N)
    python3 -c "print($t1 - $t0)"
    return $rc
}

echo "wire-rate limit: $(printf %.2f "$limit") s for $size bytes at 115200 baud"

# Mode 2: our sender to the simulator.
start_relay
mkdir -p "$work/rx2"
"$bin/brondavel-receiver-sim" --port "$work/B" --mode 2 --accept "$work/rx2" --request-ms 200 2> "$work/sim.err" &
sim=$!
sleep 0.3
secs=$(timed "$bin/brondavel-cli" send --port "$work/A" --mode 2 "$work/chan.ZCS"); rc=$?
wait $sim; kill $relay; wait $relay 2>/dev/null
cmp -s "$work/chan.ZCS" "$work/rx2/chan.ZCS" && ok=identical || ok=DIFFERENT
report "mode 2, brondavel-cli -> simulator" "$secs" "rc=$rc $ok"

# Mode 1: our sender to the simulator (10 ms pause after every block by design).
start_relay
"$bin/brondavel-receiver-sim" --port "$work/B" --mode 1 --accept "$work/rx1.bin" --request-ms 200 --idle-ms 2000 2> "$work/sim.err" &
sim=$!
sleep 0.3
secs=$(timed "$bin/brondavel-cli" send --port "$work/A" --mode 1 "$work/chan.ZCS"); rc=$?
wait $sim; kill $relay; wait $relay 2>/dev/null
cmp -s -n $size "$work/chan.ZCS" "$work/rx1.bin" && ok=identical || ok=DIFFERENT
report "mode 1, brondavel-cli -> simulator" "$secs" "rc=$rc $ok"

# For comparison: lrzsz's sb -k to rb -y over the same line.
if command -v sb > /dev/null && command -v rb > /dev/null; then
    start_relay
    mkdir -p "$work/rb"
    # rb on pipes: its flush after the last ACK cannot throw the ACK away there.
    (cd "$work/rb" && exec timeout 120 socat "$work/B",raw,echo=0 SYSTEM:"rb -y",pipes 2> /dev/null) &
    rbpid=$!
    sleep 0.3
    secs=$(timed timeout 120 bash -c "cd '$work' && exec sb -k chan.ZCS < '$work/A' > '$work/A'"); rc=$?
    wait $rbpid; kill $relay; wait $relay 2>/dev/null
    cmp -s "$work/chan.ZCS" "$work/rb/chan.ZCS" && ok=identical || ok=DIFFERENT
    report "mode 2, sb -k -> rb -y (lrzsz)" "$secs" "rc=$rc $ok"
fi
exit $failed
