#!/usr/bin/env bash
# Formatting, lint and layering, as part of the tests: fails on a clang-format
# difference, a clang-tidy warning (over the native and the Windows builds'
# sources) or an include that breaks the layers, or C runtime maths or number
# text in the engine.
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

# The Windows build's own files (the glue, app/win, the entry point, the
# probe) and those with a Windows half, through clang with mingw's headers.
# Win32 messages carry handles and pointers in integers, so the cast check
# that frowns on that is off here.
mingw=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include | head -n 1)
winfiles=$(python3 -c '
import json, os, re
root = os.getcwd()
native = {os.path.relpath(e["file"], root) for e in json.load(open("build/native/compile_commands.json"))}
for entry in json.load(open("build/windows/compile_commands.json")):
    f = os.path.relpath(entry["file"], root)
    if f.startswith(("..", "build/")) or not f.endswith(".cpp"):
        continue
    if f not in native or re.search(r"_WIN32", open(f).read()):
        print(f)' | sort -u)
echo "clang-tidy (Windows build): $(echo "$winfiles" | wc -l) files"
echo "$winfiles" | xargs -P 2 -n 4 clang-tidy -p build/windows --quiet --warnings-as-errors='*' \
  --checks=-performance-no-int-to-ptr --extra-arg=-Wno-unknown-warning-option \
  --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-isystem"$mingw/c++" \
  --extra-arg=-isystem"$mingw/c++/x86_64-w64-mingw32" --extra-arg=-isystem"$mingw/c++/backward" 2>/dev/null

echo "layers:"
python3 scripts/check_layers.py
echo "lint: clean"
