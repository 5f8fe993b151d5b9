#!/usr/bin/env bash
# Installs the Debian packages that building the plug-in and rendering its programs need, and with
# the argument "tests" also those of the tests (clang, test libraries, Xvfb, the mingw toolchain,
# wine, a third-party instrument). Idempotent and quiet when all is there.
set -euo pipefail

packages=(
  cmake g++ make
  libstb-dev fonts-liberation2
  libx11-dev libcairo2-dev libfreetype-dev pkg-config
)
if [ "${1:-}" = tests ]; then
  packages+=(
    clang libclang-rt-14-dev git
    googletest libgtest-dev libbenchmark-dev
    libxtst-dev xvfb
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools wine wine64
    amsynth
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
