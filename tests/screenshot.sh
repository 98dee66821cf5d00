#!/usr/bin/env bash
# Saves pictures of the main window (design size, minimum size, large) as
# PNG files, drawn on a virtual X server. Builds first when needed.
# Usage: tests/screenshot.sh [folder]   (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
command -v xvfb-run > /dev/null || { echo "tests/screenshot.sh needs xvfb-run (Debian package xvfb)" >&2; exit 1; }
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
