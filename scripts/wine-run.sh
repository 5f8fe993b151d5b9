#!/usr/bin/env bash
# Runs a Windows program under wine, quietly, in the build tree's own prefix, with a time limit.
set -u
program=$1
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX="$(cd "$(dirname "$program")/.." && pwd)/wineprefix"
fi
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
exec timeout "${ZARN_WINE_TIMEOUT:-280}" wine "$@"
