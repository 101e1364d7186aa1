#!/usr/bin/env bash
# Installs the Debian packages a purpose needs, only those missing.
# Usage: scripts/install-deps.sh PURPOSE... [extra package...]
# The purposes, one list each, so that whatever a test needs is installed by
# ./test.sh and never found only because a machine happens to have it:
#   build     compilers and tools for build/native, build/windows and the setup program
#   tests     what the tests run on: Wine, GoogleTest, clang for the fuzz targets and
#             clang-format for the style check, and the
#             fonts the windows are measured with (the dialogs size themselves to their
#             texts, so the Wine tests assume the IPA Japanese fonts and Wine's own fonts)
#   pictures  what scripts/screenshot.sh and scripts/tour.sh use to take pictures
#   bench     the programs the benchmarks compare against
# Anything else on the command line is installed as a package name.
set -euo pipefail
build=(cmake make g++ pkg-config g++-mingw-w64-x86-64-posix mingw-w64-tools nsis zlib1g-dev poppler-data
       libz-mingw-w64-dev)
tests=(wine64 googletest libgtest-dev libbenchmark-dev clang libclang-rt-dev clang-format
       fonts-ipafont-gothic fonts-wine)
pictures=(xvfb imagemagick xdotool x11-utils "${tests[@]}")
bench=(hyperfine ripgrep python3 poppler-utils qpdf)

packages=()
[ $# -eq 0 ] && set -- build tests
for arg in "$@"; do
  case "$arg" in
    build) packages+=("${build[@]}") ;;
    tests) packages+=("${tests[@]}") ;;
    pictures) packages+=("${pictures[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    *) packages+=("$arg") ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
# One name once, in the order given.
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | awk '!seen[$0]++')
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
