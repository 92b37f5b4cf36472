#!/usr/bin/env bash
# Retakes the README's screenshots (docs/*.png) on a virtual display, with no window manager,
# so each picture is the window's inside at its size. Usage: scripts/screenshots.sh [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target windows_tests
QUILLON_SCREENSHOTS="$PWD/docs" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/windows_tests" --gtest_filter='ReadmeScreenshots.*'
