#!/usr/bin/env bash
# Remakes docs/screenshot.png: the console's window under Xvfb, with default settings.
# Needs the Debian packages xvfb, xauth and imagemagick besides the build's own.
set -euo pipefail
cd "$(dirname "$0")/.."
ZOXEN_EXTRA_PACKAGES="xvfb xauth imagemagick" scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build --target zoxen-console -j"$(nproc)"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
XDG_DATA_HOME=$home xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    bash -c 'build/zoxen-console & pid=$!
             sleep 3
             import -window "Zoxen Console 1.2.7.0" docs/screenshot.png
             kill $pid'
echo "docs/screenshot.png written"
