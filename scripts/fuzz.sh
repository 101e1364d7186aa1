#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build/fuzz and runs each
# for SECONDS (default 60) on its seed corpus in fuzz/corpus/<target>/.
# New inputs go to build/fuzz/corpus/<target>/ (the seeds stay as committed);
# an input that fails is kept as build/fuzz/artifacts/<target>-crash-*.
# Usage: scripts/fuzz.sh [SECONDS] [target...]   exit 1 when a target failed
# FUZZ_SEED=N makes the mutations repeat from run to run (./test.sh sets it).
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(content_match rtf_to_text hit_line utf8_to_shift_jis snippet history_file zip_reader
                                  xml_text gzip pdf_object pdf_filters pdf_cmap pdf_content regex)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/fuzz -DTROVEX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null || exit 1
nice -n 10 cmake --build build/fuzz --target trovex_fuzz_targets -j"${FUZZ_JOBS:-2}" >/dev/null ||
  { echo "fuzz.sh: build failed"; cmake --build build/fuzz --target trovex_fuzz_targets -j1 2>&1 | tail -30; exit 1; }

seed=()
[ -n "${FUZZ_SEED:-}" ] && seed=(-seed="$FUZZ_SEED")
status=0
mkdir -p build/fuzz/artifacts build/fuzz/tmp
# The targets that read files write each input to a file of their own there.
export TMPDIR="$PWD/build/fuzz/tmp"
for target in "${targets[@]}"; do
  mkdir -p "build/fuzz/corpus/$target"
  log="build/fuzz/$target.log"
  # Memory and time per input are bounded so that a slow or greedy input is a finding too.
  build/fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 "${seed[@]}" -artifact_prefix="build/fuzz/artifacts/$target-" \
      "build/fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  if [ $rc -eq 0 ]; then
    echo "fuzz $target: ${runs:-?} runs in ${seconds} s, no finding"
  else
    echo "fuzz $target: FAILED after ${runs:-?} runs (see $log)"
    grep -E 'ERROR|SUMMARY|^[a-z].*$' "$log" | grep -v '^INFO\|^#' | head -8
    status=1
  fi
done
rm -f build/fuzz/tmp/trovex-fuzz-*
exit $status
