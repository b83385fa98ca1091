#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UBSan, and
# runs each for a bounded time on its seed corpus, as many at once as there
# are cores. A target that finds a crash fails the run; its input is kept in
# build/fuzz/findings.
set -euo pipefail
# The repository's folder, also when called through a link; an absolute path
# never goes through CDPATH.
cd -- "$(dirname -- "$(realpath -- "$0")")/.."

seconds="${BL_FUZZ_SECONDS:-30}"
cores=$(nproc)
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBL_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$cores"

shopt -s nullglob
targets=()
for target in build/fuzz/tests/fuzz/fuzz_*; do
  # Skip the code generators' folders (fuzz_<name>_autogen) beside the targets.
  [[ -f $target && -x $target ]] && targets+=("$target")
done
# Every target is built, so finding none means the build went wrong.
if ((${#targets[@]} == 0)); then
  echo "No fuzz target was built in build/fuzz/tests/fuzz." >&2
  exit 1
fi

# Runs one target on its own corpus and seeds; its output goes to a log.
fuzz() {
  local target=$1 name corpus seeds
  name=$(basename "$target")
  corpus="build/fuzz/corpus/$name"
  seeds="tests/fuzz/seeds/${name#fuzz_}"
  mkdir -p "$corpus" build/fuzz/findings
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix=build/fuzz/findings/"$name"- \
    "$corpus" $([[ -d $seeds ]] && echo "$seeds") >"build/fuzz/$name.log" 2>&1
}

# Every target runs for the same time, so batches of one a core keep the
# cores busy.
echo "Fuzzing ${#targets[@]} targets for ${seconds}s each, $cores at a time"
failed=0
for ((first = 0; first < ${#targets[@]}; first += cores)); do
  batch=("${targets[@]:first:cores}")
  pids=()
  for target in "${batch[@]}"; do
    fuzz "$target" &
    pids+=($!)
  done
  for i in "${!batch[@]}"; do
    name=$(basename "${batch[$i]}")
    if ! wait "${pids[$i]}"; then
      failed=1
      echo "$name found a fault:"
      grep -A40 -m1 "ERROR\|deadly signal" "build/fuzz/$name.log" || tail -40 "build/fuzz/$name.log"
    fi
    echo "$name: $(grep -E '^#[0-9]+\s+DONE' "build/fuzz/$name.log" | tail -1)"
  done
done
exit "$failed"
