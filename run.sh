#!/usr/bin/env bash
# Builds Bright Lane (installing what it needs first), installs it into a
# folder that survives rebuilds and starts it: ./run.sh [project.prj]
set -euo pipefail

# The project's path and the install folder are the caller's: resolve them
# before changing folder.
prefix="$(realpath -m -- "${BRIGHTLANE_HOME:-$HOME/BrightLane}")"
args=()
if [[ $# -gt 0 ]]; then
  args=("$(realpath -m -- "$1")")
fi

# Our own folder, also when called through a symbolic link; an absolute path
# never goes through CDPATH.
cd -- "$(dirname -- "$(realpath -- "$0")")"
source scripts/setup.sh
bl_install_missing "${BL_BUILD_PACKAGES[@]}"

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBL_BUILD_TESTS=OFF -DBL_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build build/release --target brightlane
cmake --install build/release >/dev/null

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting under xvfb-run (the window is not visible)."
  exec xvfb-run -a "$prefix/brightlane" "${args[@]}"
fi
exec "$prefix/brightlane" "${args[@]}"
