#!/usr/bin/env bash
# Makes the Debian package of a build and checks it: the files it holds, lintian's verdict when
# lintian is there, and the sender installed from it with dpkg -x, listing the models.
# Usage: check-package.sh BUILD_DIRECTORY
set -euo pipefail
build=$(cd "$1" && pwd)
packages=$(mktemp -d)
root=$(mktemp -d)
trap 'rm -rf "$packages" "$root"' EXIT

(cd "$build" && cpack -G DEB -B "$packages" >/dev/null)
package=$(echo "$packages"/zoxen-console_*.deb)
echo "made $(basename "$package")"

contents=$(dpkg-deb -c "$package" | awk '{print $6}' | sed 's|^\./||')
expected=(usr/bin/zoxen-console usr/bin/zoxen-device-sim usr/bin/zoxen-send
          usr/share/applications/zoxen-console.desktop
          usr/share/icons/hicolor/scalable/apps/zoxen-console.svg
          usr/share/zoxen-console/translations/LanguageData_fr.qm
          usr/share/doc/zoxen-console/copyright usr/share/doc/zoxen-console/changelog.Debian.gz)
for size in 16 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/zoxen-console.png")
done
for program in zoxen-console zoxen-device-sim zoxen-send; do
    expected+=("usr/share/man/man1/$program.1.gz")
done
for file in "${expected[@]}"; do
    grep -qxF "$file" <<<"$contents" || { echo "not in the package: $file"; exit 1; }
done
dpkg-deb -f "$package" Depends | grep -q libqt5serialport5 \
    || { echo "the package does not depend on the libraries it links"; exit 1; }

if command -v lintian >/dev/null; then
    lintian --fail-on error "$package"
else
    echo "lintian is not installed: not run"
fi

dpkg -x "$package" "$root"
diff <("$root/usr/bin/zoxen-send" --list) <("$build/sender/zoxen-send" --list) \
    || { echo "the installed zoxen-send lists other models"; exit 1; }
echo "the installed zoxen-send lists the $("$root/usr/bin/zoxen-send" --list | wc -l) models"
