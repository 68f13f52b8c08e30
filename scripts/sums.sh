#!/usr/bin/env bash
# dist/SHA256SUMS for what make dist and make deb made of this version.
# Usage: sums.sh VERSION
set -euo pipefail
cd "$(dirname "$0")/../dist"
made=()
for f in "Quillpad-$1.zip" "Quillpad-$1-setup.exe" "quillpad-cli_$1_amd64.deb"; do
  [ -f "$f" ] && made+=("$f")
done
sha256sum "${made[@]}" > SHA256SUMS
