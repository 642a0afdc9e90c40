#!/usr/bin/env bash
# Runs one fuzzer for SECONDS on a scratch copy of its seed corpus; a crash input is kept in the
# current directory and fails the run. Usage: run.sh FUZZER SEED_DIR SECONDS
set -u
fuzzer=$1 seeds=$2 seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=3 \
    -artifact_prefix="$PWD/crash-$(basename "$fuzzer")-" "$work" "$seeds" 2>"$work/log"
rc=$?
grep -E "^(#[0-9]+ *DONE|Done [0-9]+ runs)" "$work/log"
[ $rc -eq 0 ] || { tail -40 "$work/log"; exit $rc; }
