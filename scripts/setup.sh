#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, quietly and only when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ g++-multilib clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine64 xvfb xauth x11-utils xdotool fonts-wqy-microhei imagemagick
  qemu-user-static xxd
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
