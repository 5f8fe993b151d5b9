#!/usr/bin/env bash
# Builds and runs every test: native (g++), sanitizers (clang: ASan+UBSan over all tests and the
# fuzz targets, TSan over the thread hand-offs), Windows (mingw, wine), and the window back ends in
# real windows (X11 under a private Xvfb, Win32 under wine's null graphics driver).
# Set ZARN_STAGES to a subset of "native sanitize threads windows x11-window wine-window" to run fewer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh tests
jobs=$(nproc)
stages=${ZARN_STAGES:-"native sanitize threads windows x11-window wine-window"}
status=0

run_stage() {
  local name=$1 dir=$2 ctest_args=$3; shift 3
  echo "=== $name"
  cmake -S . -B "$dir" -DZARN_BUILD_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs" 2>&1 | grep -E 'warning|error' || true
  cmake --build "$dir" -j"$jobs" >/dev/null
  if [ "$ctest_args" = window ]; then
    run_window_tests "$dir"
  else
    (cd "$dir" && ctest -j"$jobs" --output-on-failure $ctest_args ${ZARN_CTEST_ARGS:-}) || status=1
  fi
}

# Runs the window tests of a built tree, one program at a time: they share one pointer and one
# keyboard focus. The stage has prepared the window system, so a test that skips there fails the
# stage like one that fails (the verbose log shows googletest's skips also where a whole program
# is one test, as under wine).
run_window_tests() {
  local log failed=0
  log=$(mktemp)
  (cd "$1" && ctest -V -L window ${ZARN_CTEST_ARGS:-}) >"$log" 2>&1 || failed=1
  if [ $failed -ne 0 ]; then
    cat "$log"
    status=1
  else
    grep -E 'tests passed|Total Test time' "$log" || true
  fi
  if grep -q -E '\[  SKIPPED \]|\*\*\*Skipped' "$log"; then
    grep -E '\[  SKIPPED \] [A-Za-z]' "$log" | sort -u || true
    echo "window tests skipped in the window stage: that is a failure"
    status=1
  fi
  rm -f "$log"
}

xvfb_pid=
stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}
trap stop_xvfb EXIT

# Starts Xvfb on a display number it picks itself (never one in use) into xvfb_display.
# -noreset: without it the server resets whenever its last client leaves and refuses
# connections meanwhile.
start_xvfb() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$number_file" >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  local number
  number=$(tr -dc 0-9 <"$number_file")
  rm -f "$number_file"
  [ -n "$number" ] || { echo "Xvfb did not start"; return 1; }
  xvfb_display=":$number"
}

# Runs wine's registry tool in the build tree's prefix.
wine_reg() {
  env -u DISPLAY WINEPREFIX="$(cd "$1" && pwd)/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    timeout 60 wine reg "${@:2}" >/dev/null 2>&1 </dev/null
}

for stage in $stages; do
  case $stage in
    native)
      run_stage "native (g++)" build-test "" -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    sanitize)
      export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
      run_stage "sanitizers (clang, address+undefined)" build-asan "-LE third-party" -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZARN_SANITIZE=address,undefined -DZARN_FUZZ=ON ;;
    threads)
      run_stage "thread hand-offs (clang, ThreadSanitizer)" build-tsan "-L threads" -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZARN_SANITIZE=thread ;;
    windows)
      mkdir -p build-mingw
      scripts/wine-prefix.sh build-mingw
      run_stage "windows (mingw-w64, wine)" build-mingw "" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
      scripts/wine-prefix.sh build-mingw stop ;;
    x11-window)
      if start_xvfb; then
        export ZARN_WINDOW_TESTS=$xvfb_display
        run_stage "X11 windows (Xvfb $xvfb_display)" build-test window -DCMAKE_BUILD_TYPE=RelWithDebInfo
        # Again under a host window of a 32-bit TrueColor visual with its own colormap.
        echo "=== X11 windows, parent of a 32-bit visual"
        ZARN_WINDOW_TESTS_DEPTH=32 run_window_tests build-test
        if [[ " $stages " == *" sanitize "* ]]; then # built in this run: the windows under ASan+UBSan too
          echo "=== X11 windows under the sanitizers, both parents"
          run_window_tests build-asan
          ZARN_WINDOW_TESTS_DEPTH=32 run_window_tests build-asan
        fi
        unset ZARN_WINDOW_TESTS
      else
        status=1
      fi
      stop_xvfb ;;
    wine-window)
      # Windows need a graphics driver: wine's null driver makes real windows without a display.
      # It is set for this stage alone (a message box would block under it).
      mkdir -p build-mingw
      scripts/wine-prefix.sh build-mingw
      wine_reg build-mingw add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f
      scripts/wine-prefix.sh build-mingw stop
      scripts/wine-prefix.sh build-mingw
      export ZARN_WINDOW_TESTS=1
      run_stage "Win32 windows (wine, null graphics driver)" build-mingw window -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
      unset ZARN_WINDOW_TESTS
      wine_reg build-mingw delete 'HKCU\Software\Wine\Drivers' /v Graphics /f
      scripts/wine-prefix.sh build-mingw stop ;;
    *) echo "unknown stage $stage"; exit 2 ;;
  esac
done
exit $status
