#!/bin/sh
# Runs the Windows data-file tests from copies of the test program in a folder
# whose name is outside the ANSI code page and in one whose path is longer
# than 260 characters, so the program's own path leads to its settings there.
# Usage: run_from_folders.sh RUNNER TEST.exe WORKDIR
runner=$1
exe=$2
work=$3
deep="$work/quill-deep"
while [ ${#deep} -lt 300 ]; do deep="$deep/folder-of-thirty-characters-x"; done
fail=0
for dir in "$work/Калькулятор-计算器" "$deep"; do
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$exe" "$dir/"
  if ! $runner "$dir/$(basename "$exe")" --gtest_filter='DataFileWin.PathOfTheProgram' >"$work/run.log" 2>&1 ||
     ! grep -q 'PASSED.*1 test' "$work/run.log"; then
    echo "FAIL in $dir:"; cat "$work/run.log"; fail=1
  else
    echo "passed from $dir (${#dir} characters)"
  fi
done
exit $fail
