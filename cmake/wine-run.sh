#!/bin/sh
# Runs a Windows program under Wine in the given prefix (never ~/.wine).
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
prefix=$1
shift
mkdir -p "$prefix"
export WINEPREFIX="$(cd "$prefix" && pwd)"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the tests need neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if command -v wine64 >/dev/null 2>&1; then
  exec wine64 "$@"
elif [ -x /usr/lib/wine/wine64 ]; then
  exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"
