#!/usr/bin/env bash
# Configures and builds everything in build/ (programs, tests, data beside them).
# Warnings are errors when CI is set.
set -euo pipefail
cd "$(dirname "$0")/.."
WERROR=OFF
if [ "${CI:-}" = "true" ]; then
  WERROR=ON
fi
cmake -S . -B build -G Ninja -DVARNETH_WERROR="$WERROR" "$@" >/dev/null
cmake --build build
