#!/usr/bin/env bash
# Builds Velquor natively and for Windows and runs every test: the portable core natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, everything Windows-side under Wine on a
# private X display.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1
. scripts/wine-session.sh

jobs=$(nproc)
failed=0
run() { "$@" || failed=1; }

# Creating a Wine prefix mostly waits on Wine's own start-up, so it runs beside the builds.
prefix="$PWD/build/wine-prefix"
mkdir -p build
(ensure_wine_prefix "$prefix" >build/wine-prefix.log 2>&1) &
prefix_job=$!

echo "== Native build and tests (sanitizers)"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELQUOR_SANITIZE=ON >/dev/null || exit 1
cmake --build build/native -j "$jobs" || exit 1
run ctest --test-dir build/native --output-on-failure -j "$jobs"

echo "== Windows build and tests (Wine)"
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
cmake --build build/windows -j "$jobs" || exit 1
wait "$prefix_job" || { cat build/wine-prefix.log; echo "Could not create the Wine prefix"; exit 1; }
export WINEPREFIX=$prefix
trap stop_wine_session EXIT
start_private_display || exit 1
start_wine_server
run ctest --test-dir build/windows --output-on-failure

if [ $failed -ne 0 ]; then echo "SOME TESTS FAILED"; exit 1; fi
echo "ALL TESTS PASSED"
