#!/usr/bin/env bash
# Builds Bright Lane (installing what it needs first), installs it into a
# folder that survives rebuilds and starts it: ./run.sh [project.prj]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
bl_install_missing "${BL_BUILD_PACKAGES[@]}"

prefix="${BRIGHTLANE_HOME:-$HOME/BrightLane}"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBL_BUILD_TESTS=OFF -DBL_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build build/release --target brightlane
cmake --install build/release >/dev/null

args=()
if [[ $# -gt 0 ]]; then
  args=("$(realpath "$1")")
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting under xvfb-run (the window is not visible)."
  exec xvfb-run -a "$prefix/brightlane" "${args[@]}"
fi
exec "$prefix/brightlane" "${args[@]}"
