#!/usr/bin/env bash
# Remakes docs/screenshot.png: the console's window under Xvfb, with default settings.
# Needs the Debian packages xvfb, xauth and imagemagick besides the build's own.
set -euo pipefail
cd "$(dirname "$0")/.."
ZOXEN_EXTRA_PACKAGES="xvfb xauth imagemagick" scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target zoxen-console -j"$(nproc)"
# The window's title carries the version, which only project() in CMakeLists.txt states.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
XDG_DATA_HOME=$home xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    bash -c 'build/zoxen-console & pid=$!
             sleep 3
             import -window "$1" docs/screenshot.png
             kill $pid' screenshot "Zoxen Console $version"
echo "docs/screenshot.png written"
