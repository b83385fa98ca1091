#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything and runs every
# test with ctest, then runs the fuzz targets for a short, bounded time.
# BL_SANITIZE=1 also runs the whole suite under AddressSanitizer and UBSan.
set -euo pipefail
cd -- "$(dirname -- "$(realpath -- "$0")")"
source scripts/setup.sh
bl_install_missing "${BL_BUILD_PACKAGES[@]}" "${BL_TEST_PACKAGES[@]}"
bl_install_browser_checks

jobs=$(nproc)
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 300

if [[ "${BL_SANITIZE:-0}" == 1 ]]; then
  cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBL_SANITIZE=ON -DBL_BUILD_BENCH=OFF >/dev/null
  cmake --build build/asan -j "$jobs"
  ctest --test-dir build/asan --output-on-failure -j "$jobs" --timeout 600
fi

scripts/fuzz.sh
