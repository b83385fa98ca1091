#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# calling apt-get only when something is missing. Sourced by run.sh and test.sh.
set -euo pipefail

BL_BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-webengine-dev libqt6opengl6-dev
  libegl-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
  libjpeg62-turbo-dev fonts-wine adwaita-icon-theme
  xvfb xauth
)

BL_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev
  clang libclang-rt-14-dev
  libgif-dev giflib-tools gifsicle netpbm python3-pil imagemagick
  desktop-file-utils shared-mime-info
  chromium libreoffice-draw-nogui
  fonts-dejavu-core  # the faces the font tests name
)

bl_install_missing() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if ((${#missing[@]} == 0)); then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The browser checks of the generated pages drive Debian's Chromium with
# playwright-core from npm, installed into the checks' own folder.
bl_install_browser_checks() {
  local dir=tests/publish/browser
  if [[ -d $dir/node_modules/playwright-core ]]; then
    return 0
  fi
  if ! command -v npm >/dev/null; then
    bl_install_missing nodejs npm
  fi
  (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
}
