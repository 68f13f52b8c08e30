#!/bin/sh
# Renders the icons from their vector sources (rsvg-convert, icotool):
#   sh res/icons/render.sh
# The .ico files are committed, so a build needs neither tool.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
render() { # name sizes...
  name=$1; shift
  files=""
  for s in "$@"; do
    rsvg-convert -w "$s" -h "$s" "$name.svg" -o "$tmp/$name-$s.png"
    files="$files $tmp/$name-$s.png"
  done
  icotool -c -o "$name.ico" $files
}
render app 16 24 32 48 64
render pin_top 16 24 32
render pin_notop 16 24 32
render pin_top_dark 16 24 32
render pin_notop_dark 16 24 32
