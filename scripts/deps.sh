#!/usr/bin/env bash
# Installs what building, running and testing Velmor needs on Debian.
# Sourced or run; installs only the packages that are missing. The work runs
# in a subshell of its own, so that a shell that sources this keeps its options.
velmor_install_deps() (
set -euo pipefail
packages=(
  cmake ninja-build g++ libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine64
  xvfb x11-utils xdotool xclip imagemagick locales bc zip unzip openbox libx11-dev libxfixes-dev libxdamage-dev
  fonts-wine fonts-liberation fonts-ipafont-gothic
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
)
velmor_install_deps
