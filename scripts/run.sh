#!/usr/bin/env bash
# Builds Velquor for Windows and starts it under Wine on the user's X display.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: DISPLAY is not set, so Velquor has nowhere to show its window." >&2
  echo "Run this from a graphical session (or with DISPLAY pointing at an X server)." >&2
  exit 1
fi

bash scripts/install-deps.sh
if ! xdpyinfo >/dev/null 2>&1; then
  echo "No X display: cannot open DISPLAY=$DISPLAY, so Velquor has nowhere to show its window." >&2
  exit 1
fi
. scripts/wine-session.sh

cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows --target Velquor -j "$(nproc)"
ensure_wine_prefix "$PWD/build/wine-prefix"

exec wine build/windows/app/Velquor.exe
