#!/usr/bin/env bash
# The files a Windows user gets, in the zip and in the installer alike: both
# programs stripped of their debugging sections, the help page, the licence
# and the read-me with Windows line ends.
# Usage: stage.sh WINDOWS_BUILD FOLDER
set -euo pipefail
build=$1
folder=$2
top=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$folder"
mkdir -p "$folder"
x86_64-w64-mingw32-strip -o "$folder/Quillpad.exe" "$build/Quillpad.exe"
x86_64-w64-mingw32-strip -o "$folder/quillpad-cli.exe" "$build/cli/quillpad-cli.exe"
cp "$top/docs/help.html" "$folder/"
sed 's/$/\r/' "$top/LICENSE" > "$folder/LICENSE.txt"
sed 's/$/\r/' "$build/README-windows.txt" > "$folder/README.txt"
