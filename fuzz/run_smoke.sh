#!/bin/bash
# Short libFuzzer run: a copy of the seed corpus grows in a scratch folder,
# so the seeds kept in the repository never change.
set -eu
fuzzer=$1 seconds=$2 work=$3 seeds=${4:-}
rm -rf "$work" && mkdir -p "$work/corpus"
if [ -n "$seeds" ] && [ -d "$seeds" ]; then cp -r "$seeds"/. "$work/corpus/"; fi
cd "$work"
exec "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 corpus
