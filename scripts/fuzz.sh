#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UBSan, and
# runs each for a bounded time on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${BL_FUZZ_SECONDS:-30}"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBL_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$(nproc)"

shopt -s nullglob
targets=(build/fuzz/tests/fuzz/fuzz_*)
if ((${#targets[@]} == 0)); then
  echo "No fuzz targets yet."
  exit 0
fi
for target in "${targets[@]}"; do
  # Skip the code generators' folders (fuzz_<name>_autogen) beside the targets.
  [[ -f $target && -x $target ]] || continue
  name=$(basename "$target")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="tests/fuzz/seeds/${name#fuzz_}"
  echo "Fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus" $( [[ -d $seeds ]] && echo "$seeds" ) 2>&1 | tail -3
done
