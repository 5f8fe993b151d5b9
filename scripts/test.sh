#!/usr/bin/env bash
# Builds and runs every test: native (g++), sanitizers (clang: ASan+UBSan over all tests and the
# fuzz targets, TSan over the thread hand-offs), Windows (mingw, wine).
# Set ZARN_STAGES to a subset of "native sanitize threads windows" to run fewer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
stages=${ZARN_STAGES:-"native sanitize threads windows"}
status=0

run_stage() {
  local name=$1 dir=$2 ctest_args=$3; shift 3
  echo "=== $name"
  cmake -S . -B "$dir" -DZARN_BUILD_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs" 2>&1 | grep -E 'warning|error' || true
  cmake --build "$dir" -j"$jobs" >/dev/null
  (cd "$dir" && ctest -j"$jobs" --output-on-failure $ctest_args ${ZARN_CTEST_ARGS:-}) || status=1
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
    *) echo "unknown stage $stage"; exit 2 ;;
  esac
done
exit $status
