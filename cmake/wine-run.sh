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
  wine=wine64
elif [ -x /usr/lib/wine/wine64 ]; then
  wine=/usr/lib/wine/wine64
else
  wine=wine
fi
# Debian's Wine names its server's directory in the prefix when the prefix is
# made; two programs starting together in a new prefix can each name one and
# miss each other's server ("chdir to ... No such file or directory"). The
# prefix is therefore made by one program alone, under a lock.
if [ ! -e "$WINEPREFIX/.quill-ready" ]; then
  (
    flock 9
    if [ ! -e "$WINEPREFIX/.quill-ready" ]; then
      "$wine" wineboot -i >/dev/null 2>&1 && touch "$WINEPREFIX/.quill-ready"
    fi
  ) 9>"$WINEPREFIX/.quill-lock"
fi
exec "$wine" "$@"
