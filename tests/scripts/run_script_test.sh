#!/usr/bin/env bash
# Starts run.sh from other folders, through a link and by a relative name,
# with a project path of each kind and stand-ins for the set-up, the build and
# the program, and checks that the program is handed the file the caller named.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

repo=$work/repo
mkdir -p "$repo/scripts" "$work/bin" "$work/home" "$work/caller/sub"
cp "$source_dir/run.sh" "$repo/"
cat >"$repo/scripts/setup.sh" <<'STUB'
BL_BUILD_PACKAGES=()
bl_install_missing() { :; }
STUB
printf '#!/bin/sh\nexit 0\n' >"$work/bin/cmake"
printf '#!/bin/sh\nfor a; do printf "%%s|" "$a"; done >"%s/started-with"\n' "$work" >"$work/home/brightlane"
chmod +x "$work/bin/cmake" "$work/home/brightlane"
# A file of the same name in the script's own folder must not be the one taken.
touch "$repo/Upper Case.PRJ"

# The script called through a user's link, and by a relative name that
# CDPATH could send to a folder of the same name elsewhere.
ln -s "$repo/run.sh" "$work/bin/brightlane"
mkdir -p "$work/decoy/repo/scripts"
echo 'exit 3' >"$work/decoy/repo/scripts/setup.sh"

failed=0
check() {  # caller folder, expected program arguments, script, its arguments...
  local folder=$1 expected=$2 script=$3
  shift 3
  rm -f "$work/started-with"
  (cd "$folder" && PATH="$work/bin:$PATH" DISPLAY=:99 BRIGHTLANE_HOME="$work/home" "$script" "$@") >/dev/null 2>&1 || true
  local got
  got=$(cat "$work/started-with" 2>/dev/null || echo "(not started)")
  if [[ $got != "$expected" ]]; then
    echo "FAIL from $folder with [$*]: program got [$got], expected [$expected]"
    failed=1
  fi
}

check "$work/caller" "$work/caller/Upper Case.PRJ|" "$repo/run.sh" "Upper Case.PRJ"
check "$work/caller/sub" "$work/caller/site.prj|" "$repo/run.sh" ../site.prj
check "$work/caller" "$work/caller/sub/caf"$'\xe9'".prj|" "$repo/run.sh" "sub/caf"$'\xe9'".prj"
check "$work/caller" "/elsewhere/a.prj|" "$repo/run.sh" /elsewhere/a.prj
check "$work/caller" "" "$repo/run.sh"
check "$work/caller" "$work/caller/site.prj|" brightlane site.prj
CDPATH="$work/decoy" check "$work" "$work/site.prj|" repo/run.sh site.prj

((failed == 0)) && echo "run.sh hands the program the caller's file in every case"
exit "$failed"
