#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, testing and packaging the console
# need, skipping those already present.
set -euo pipefail

packages=(
    cmake g++ make
    qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n
    fonts-dejavu-core
    help2man
    dpkg-dev
)
[[ ${ZOXEN_EXTRA_PACKAGES:-} ]] && read -r -a extra <<<"$ZOXEN_EXTRA_PACKAGES" && packages+=("${extra[@]}")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
