#!/usr/bin/env bash
# Installs what is missing, builds build/native and build/windows with the setup
# program build/windows/TrovexSetup.exe, and runs every test: the portable core
# natively (sanitized) and under Wine, the windows and the setup program under Wine;
# then every fuzz target for a few seconds (build/fuzz, clang), and the code's style.
set -uo pipefail
cd "$(dirname "$0")"
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh build tests || { echo "test.sh: installing packages failed"; exit 1; }

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build build/native -j"$jobs" || { echo "test.sh: native build failed"; exit 1; }
# The tests of the scanning and row threads again under ThreadSanitizer (the core only).
cmake -S . -B build/tsan -DTROVEX_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build build/tsan --target trovex_core_tests -j"$jobs" || { echo "test.sh: tsan build failed"; exit 1; }
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
cmake --build build/windows -j"$jobs" || { echo "test.sh: windows build failed"; exit 1; }
# The setup program TrovexSetup.exe, which the test wine.installer installs.
echo "== package =="
cmake --build build/windows --target installer || { echo "test.sh: packaging failed"; exit 1; }

status=0
echo "== native tests =="
(cd build/native && ctest -j"$jobs" --output-on-failure) || status=1
echo "== scanning threads under ThreadSanitizer =="
build/tsan/tests/trovex_core_tests --gtest_brief=1 \
  --gtest_filter='OrderedScan*:GoThread*:FindCommand.Every*:HostileTree*:RowFeeder*:SnippetFiller*' || status=1
echo "== Windows tests under Wine =="
(cd build/windows && ctest -j"$jobs" --output-on-failure) || status=1
# No Wine process may outlive the run.
WINEPREFIX="$PWD/build/windows/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
echo "== fuzz targets, 5 s each =="
# A fixed seed: a run of the tests is the same run each time.
FUZZ_SEED=1 scripts/fuzz.sh 5 || status=1

echo "== style =="
scripts/check-format.sh || status=1

if [ $status -eq 0 ]; then echo "test.sh: all tests passed"; else echo "test.sh: FAILED"; fi
exit $status
