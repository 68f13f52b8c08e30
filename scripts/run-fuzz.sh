#!/usr/bin/env bash
# Runs each fuzz target for a bounded time from the corpus kept in the
# repository (tests/fuzz/corpus_NAME), on a 1 MB stack (a Windows thread's),
# so any recursion that grows with the input shows up as a crash.
# Usage: run-fuzz.sh SECONDS-PER-TARGET
set -euo pipefail
seconds=${1:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
ulimit -s 1024
for name in calc data_file; do
  fuzzer="$top/build/fuzz/tests/fuzz/fuzz_$name"
  found="$top/build/fuzz/corpus_$name"   # new inputs land here, never in the repository
  mkdir -p "$found"
  extra=()
  [ -f "$top/tests/fuzz/$name.dict" ] && extra+=(-dict="$top/tests/fuzz/$name.dict")
  # No input may cost an allocation of more than a megabyte: inputs are at most 8 KB.
  "$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=1 -rss_limit_mb=2048 \
    -malloc_limit_mb=1 -print_final_stats=0 "${extra[@]}" \
    -artifact_prefix="$top/build/fuzz/$name-" "$found" "$top/tests/fuzz/corpus_$name" 2>&1 | tail -n 3
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz_$name: FAILED (see build/fuzz/$name-*)"; exit 1; }
  echo "fuzz_$name: no crash, no hang, no large allocation in ${seconds} s"
done
