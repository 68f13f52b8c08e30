#!/usr/bin/env bash
# quillpad-cli's answers to a file of random expressions against exact
# arithmetic; then quillpad-cli against bc -l on the same file, the two in
# turn, several times: prints each one's median wall time and peak memory,
# and how many times faster quillpad-cli is. Then quillpad-cli alone
# on ten times the input, to show that its memory does not grow with it.
#
# Usage: bench/compare.sh [RUNS]     (COUNT=expressions, default 100000)
set -euo pipefail
runs=${1:-5}
count=${COUNT:-100000}
top=$(cd "$(dirname "$0")/.." && pwd)
work="$top/build/compare"
cli="$top/build/bench/cli/quillpad-cli"
mkdir -p "$work"

if [ ! -x "$cli" ]; then
  cmake --preset bench >/dev/null
  cmake --build --preset bench --target quillpad-cli >/dev/null
fi

input="$work/expressions.txt"
python3 "$top/bench/make_expressions.py" --count "$count" > "$input"
echo "input: $count expressions, $(wc -c < "$input") bytes ($input)"

# bc must not wrap long results, so that each answer stays one line.
export BC_LINE_LENGTH=0

# Every answer equals exact arithmetic's display, digit for digit.
"$cli" --tsv < "$input" > "$work/quillpad.out" || true
answers=met
python3 "$top/bench/check_answers.py" "$input" "$work/quillpad.out" || answers=MISS

# One timed run: "seconds kilobytes" (wall time to the millisecond, peak
# resident memory from GNU time, whose own clock shows only hundredths).
measure() {
  local start=$EPOCHREALTIME
  /usr/bin/time -f "%M" -o "$work/time.txt" "$@" < "$input" > /dev/null 2>&1 || true
  local stop=$EPOCHREALTIME
  awk -v a="$start" -v b="$stop" -v m="$(cat "$work/time.txt")" 'BEGIN {printf "%.3f %d\n", b - a, m}'
}

: > "$work/quillpad.times"
: > "$work/bc.times"
for ((i = 1; i <= runs; i++)); do
  measure "$cli" >> "$work/quillpad.times"
  measure bc -l >> "$work/bc.times"
done

median() { sort -n -k"$2" "$1" | awk -v k="$2" '{v[NR] = $k} END {print v[int((NR + 1) / 2)]}'; }
q_time=$(median "$work/quillpad.times" 1)
b_time=$(median "$work/bc.times" 1)
q_mem=$(median "$work/quillpad.times" 2)
b_mem=$(median "$work/bc.times" 2)
printf '%-14s %10s %14s\n' "" "median s" "peak memory"
printf '%-14s %10s %11s KB\n' "quillpad-cli" "$q_time" "$q_mem" "bc -l" "$b_time" "$b_mem"
awk -v q="$q_time" -v b="$b_time" 'BEGIN {
  printf "quillpad-cli is %.1f times as fast as bc -l (median of %d runs each, in turn)\n", b / q, '"$runs"'
}'

# Ten times the input through a pipe: the peak memory stays where it was.
big=$( { for ((i = 0; i < 10; i++)); do cat "$input"; done; } | /usr/bin/time -f "%M" "$cli" 2>&1 >/dev/null | tail -n 1)
echo "quillpad-cli on ten times the input: peak memory $big KB (one time the input: $q_mem KB)"

# The targets: every answer exact, four times as fast as bc (exact too),
# under 16 MB, and no more memory for ten times the input (within a megabyte).
awk -v q="$q_time" -v b="$b_time" -v m="$q_mem" -v big="$big" -v answers="$answers" -v count="$count" 'BEGIN {
  print "Targets"
  printf "  %-4s all %d answers equal the exact display\n", answers, count
  printf "  %-4s at least 4 times as fast as bc -l: %.1f\n", (b >= 4 * q ? "met" : "MISS"), b / q
  printf "  %-4s peak memory under 16 MB: %d KB\n", (m < 16384 ? "met" : "MISS"), m
  printf "  %-4s the same memory for ten times the input: %d KB vs %d KB\n", (big - m < 1024 ? "met" : "MISS"), big, m
  exit (answers == "met" && b >= 4 * q && m < 16384 && big - m < 1024) ? 0 : 1
}'
