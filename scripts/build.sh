#!/usr/bin/env bash
# Builds the plug-in, renders the factory programs to WAV files through the built library and
# paints the editor into PNG files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZARN_BUILD_TESTS=OFF -DZARN_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" 2>&1 | grep -E 'warning|error' || true
cmake --build build -j"$(nproc)" >/dev/null
echo "Plug-in: $(pwd)/build/bin/ZarnPro.so"
build/bin/zarn-render --out out/programs --programs 0-8
build/bin/editor-pictures out/editor
