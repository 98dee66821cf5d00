#!/usr/bin/env bash
# Saves pictures of the main window (design size, minimum size, large) as
# PNG files, drawn on a virtual X server. Builds first when needed.
# Usage: tests/screenshot.sh [folder]   (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
# The virtual X server and its authority tool, installed when missing.
missing=()
for p in xvfb xauth; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
out="$(realpath -m "${1:-build/screenshots}")"
mkdir -p "$out"
if [ ! -x build/tests/tst_screenshot ]; then
  cmake -S . -B build > /dev/null
fi
cmake --build build -j4 --target tst_screenshot korv4_help korv4_motor_db > /dev/null
KORV4_SCREENSHOT="$out" KORV4_BIN="$PWD/build/bin" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1600x1000x24" build/tests/tst_screenshot
echo "Pictures saved in $out:"
ls "$out"/*.png
