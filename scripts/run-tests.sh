#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything with warnings as errors and runs
# every test. ZOXEN_SANITIZE=1 builds and runs the suite under AddressSanitizer and
# UndefinedBehaviorSanitizer instead, in its own build directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOXEN_WERROR=ON)
if [[ ${ZOXEN_SANITIZE:-0} == 1 ]]; then
    build=build-sanitize
    options=(-DCMAKE_BUILD_TYPE=Debug -DZOXEN_WERROR=ON -DZOXEN_SANITIZE=ON)
    # Full stacks on allocation, so that the suppressions can see whose leak it is.
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
fi
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure --timeout 300
