#!/usr/bin/env bash
# Starts the fuzzing stage with a stand-in for cmake (and, in one row, a
# stand-in target), called by a relative name that CDPATH could send to a
# folder of the same name elsewhere, and checks where it built and whether it
# passed.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

repo=$work/repo
mkdir -p "$repo/scripts" "$work/bin" "$work/decoy/repo/scripts"
cp "$source_dir/scripts/fuzz.sh" "$repo/scripts/"
printf '#!/bin/sh\npwd >>"%s/cmake-ran-in"\n' "$work" >"$work/bin/cmake"
chmod +x "$work/bin/cmake"

# A target that runs its bounded time at once and finds nothing.
plant_target() {
  mkdir -p "$repo/build/fuzz/tests/fuzz"
  printf '#!/bin/sh\necho "#1\tDONE   cov: 1"\n' >"$repo/build/fuzz/tests/fuzz/fuzz_stand_in"
  chmod +x "$repo/build/fuzz/tests/fuzz/fuzz_stand_in"
}

failed=0
check() {  # row name, expected exit (0 or "fails"), set-up command
  local row=$1 expected=$2
  rm -rf "$repo/build" "$work/cmake-ran-in"
  $3
  local status=0
  (cd "$work" && CDPATH="$work/decoy" PATH="$work/bin:$PATH" BL_FUZZ_SECONDS=1 repo/scripts/fuzz.sh) \
    >"$work/out" 2>&1 || status=$?
  local ran_in
  ran_in=$(sort -u "$work/cmake-ran-in" 2>/dev/null || echo "(cmake not run)")
  if [[ $ran_in != "$repo" ]]; then
    echo "FAIL $row: built in [$ran_in], expected [$repo]"
    failed=1
  fi
  if [[ $expected == 0 && $status != 0 ]] || [[ $expected == fails && $status == 0 ]]; then
    echo "FAIL $row: exit $status, expected $expected"; cat "$work/out"
    failed=1
  fi
}

check "no target built" fails true
check "one target that finds nothing" 0 plant_target

((failed == 0)) && echo "the fuzzing stage builds in its own folder and fails without targets"
exit "$failed"
