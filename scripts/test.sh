#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Widget tests use Qt's offscreen
# platform; tests that need a real X server get a virtual one (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
scripts/build.sh
cd build
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 "$@"
