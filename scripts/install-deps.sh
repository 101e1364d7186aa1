#!/usr/bin/env bash
# Installs the Debian packages the builds, tests and tools need, only those missing.
# Usage: scripts/install-deps.sh [extra package...]
set -euo pipefail
packages=(
  cmake make g++ pkg-config
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 nsis
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-dev
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
