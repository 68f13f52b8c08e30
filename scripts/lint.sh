#!/usr/bin/env bash
# Formatting, lint and layering, as part of the tests: fails on a clang-format
# difference, a clang-tidy warning (over the native build's sources) or an
# include that breaks the layers, or C runtime maths or number text in the
# engine.
set -euo pipefail
cd "$(dirname "$0")/.."

sources=$(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | grep -v '/corpus_')
echo "clang-format: $(echo "$sources" | wc -l) files"
echo "$sources" | xargs clang-format --dry-run --Werror

# Every project file the native build compiles (the Windows-only ones are
# not in it), two at a time.
files=$(python3 -c '
import json, os
root = os.getcwd()
for entry in json.load(open("build/native/compile_commands.json")):
    f = os.path.relpath(entry["file"], root)
    if not f.startswith(("..", "build/", "tests/fuzz/")):
        print(f)' | sort -u)
echo "clang-tidy: $(echo "$files" | wc -l) files"
echo "$files" | xargs -P 2 -n 4 clang-tidy -p build/native --quiet --warnings-as-errors='*' \
  --extra-arg=-Wno-unknown-warning-option 2>/dev/null

echo "layers:"
python3 scripts/check_layers.py
echo "lint: clean"
