#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything with warnings as errors and runs
# every test, on Qt 5 and again on Qt 6: the "ci" and "qt6" workflows of CMakePresets.json.
# ZOXEN_SANITIZE=1 builds and runs the suite under AddressSanitizer and
# UndefinedBehaviorSanitizer instead, in its own build directory: the "sanitize" workflow.
set -euo pipefail
cd "$(dirname "$0")/.."
ZOXEN_EXTRA_PACKAGES="${ZOXEN_EXTRA_PACKAGES:-} qt6-base-dev qt6-serialport-dev qt6-tools-dev \
    qt6-l10n-tools qt6-translations-l10n" scripts/install-deps.sh

export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
if [[ ${ZOXEN_SANITIZE:-0} == 1 ]]; then
    cmake --workflow --preset sanitize
    exit
fi
cmake --workflow --preset ci
cmake --workflow --preset qt6

# The Qt 6 programs link Qt 6 alone, and both builds write the same settings file.
for program in zoxen-console simulator/zoxen-device-sim sender/zoxen-send \
    config/zoxen-write-configuration; do
    if ldd "build-qt6/$program" | grep -q 'libQt5'; then
        echo "build-qt6/$program links Qt 5" >&2
        exit 1
    fi
done
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
for build in build build-qt6; do
    XDG_DATA_HOME=$settings/$build "$build/config/zoxen-write-configuration" --language French \
        --model "Showcaster - SC900 (TCP/IP)" --address 192.168.1.20 --auto-connection >/dev/null
done
diff -r "$settings/build" "$settings/build-qt6"
