#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Idempotent and quiet when all is there.
set -euo pipefail

packages=(
  cmake g++ clang libclang-rt-14-dev make git
  googletest libgtest-dev libbenchmark-dev
  libstb-dev fonts-liberation2 libcairo2-dev libfreetype-dev pkg-config
  libx11-dev libxtst-dev xvfb
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools wine wine64
  amsynth
)

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
