#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Arguments go to the program
# (for example --simulate, or --screenshot DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
There is no display here, so the window cannot open.
Start it on a virtual display instead:
    xvfb-run -a build/bin/varneth $*
MSG
  exit 1
fi
exec build/bin/varneth "$@"
