#!/usr/bin/env bash
# Runs the checker-and-evaluator fuzz target for a bounded time, from the
# corpus kept in the repository, on a 1 MB stack (a Windows thread's), so any
# recursion that grows with the input shows up as a crash.
# Usage: run-fuzz.sh SECONDS
set -euo pipefail
seconds=${1:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
fuzzer="$top/build/fuzz/tests/fuzz/fuzz_calc"
found="$top/build/fuzz/corpus"   # new inputs land here, never in the repository
mkdir -p "$found"
ulimit -s 1024
"$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
  -dict="$top/tests/fuzz/calc.dict" -print_final_stats=1 \
  -artifact_prefix="$top/build/fuzz/" "$found" "$top/tests/fuzz/corpus"
echo "fuzz_calc: no crash, no hang in ${seconds} s"
