#!/usr/bin/env bash
# Builds the per-user installer from a staged folder (stage.sh) with NSIS.
# Usage: installer.sh FOLDER VERSION OUTFILE
set -euo pipefail
folder=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/../.." && pwd)
version=$2
out=$3
if ! command -v makensis >/dev/null; then
  echo "installer.sh: makensis is missing: install Debian's nsis package (make deps does)" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
# Windows wants four numbers in a file version: 2.51 is 2.51.0.0.
four=$(echo "$version.0.0.0" | cut -d. -f1-4)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DFILEVERSION="$four" -DSOURCE="$folder" \
  -DICON="$top/res/icons/app.ico" -DOUTFILE="$out" "$top/packaging/windows/quillpad.nsi"
