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

echo "== Fuzzing smoke run (libFuzzer, 20 s)"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELQUOR_SANITIZE=ON -DVELQUOR_FUZZ=ON >/dev/null || exit 1
cmake --build build/fuzz --target prepare_lines_fuzz -j "$jobs" || exit 1
# New inputs go to a scratch folder; the committed seeds are only read.
fuzz_findings=$(mktemp -d)
run build/fuzz/fuzz/prepare_lines_fuzz -max_total_time=20 -max_len=4096 -artifact_prefix="$fuzz_findings/" \
    "$fuzz_findings" fuzz/corpus/prepare_lines
rm -rf "$fuzz_findings"

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
