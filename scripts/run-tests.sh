#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything with warnings as errors and runs
# every test: the "ci" workflow of CMakePresets.json. ZOXEN_SANITIZE=1 builds and runs the
# suite under AddressSanitizer and UndefinedBehaviorSanitizer instead, in its own build
# directory: the "sanitize" workflow.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

preset=ci
[[ ${ZOXEN_SANITIZE:-0} == 1 ]] && preset=sanitize
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
cmake --workflow --preset "$preset"
