#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quillpad needs.
# Installs only what is missing; uses sudo when not run as root.
set -euo pipefail

packages=(
  make cmake ninja-build g++ git
  googletest libgtest-dev
  clang libclang-rt-14-dev libfuzzer-14-dev clang-format clang-tidy
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64
  xvfb xauth xdotool x11-utils
  libboost-dev libbenchmark-dev librsvg2-bin icoutils zip python3
  bc time nsis
  libedit-dev tmux man-db groff-base bash-completion dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
