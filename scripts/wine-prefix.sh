#!/usr/bin/env bash
# Creates (once) the wine prefix of a build tree and starts its server detached, so that test
# programs do not wait on wine's services. Usage: wine-prefix.sh BUILD_DIR [stop]
set -eu
export WINEPREFIX="$(cd "$1" && pwd)/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if [ "${2:-}" = stop ]; then
  wineserver -k >/dev/null 2>&1 </dev/null || true
  exit 0
fi
mkdir -p "$WINEPREFIX"
wineserver -p >/dev/null 2>&1 </dev/null || true # already running
# Starts wine's services (and creates the prefix the first time) with their output detached;
# a service started by a test would hold the test runner's output pipe open.
wine wineboot >/dev/null 2>&1 </dev/null
