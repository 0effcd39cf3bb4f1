#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the installed tree: every file in its
# place, and the installed console, started from another directory, finding its French texts.
# Usage: check-installed-tree.sh BUILD_DIRECTORY CONFIGURATION_WRITER
set -euo pipefail
build=$1 write_configuration=$2
prefix=$(mktemp -d)
elsewhere=$(mktemp -d)
data=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$prefix" "$elsewhere" "$data"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

translation=share/zoxen-console/translations/LanguageData_fr.qm
expected=(bin/zoxen-console bin/zoxen-device-sim bin/zoxen-send "$translation"
          share/applications/zoxen-console.desktop
          share/icons/hicolor/scalable/apps/zoxen-console.svg share/man/man1/zoxen-console.1.gz)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/zoxen-console.png")
done
for file in "${expected[@]}"; do
    [[ -f $prefix/$file ]] || { echo "not installed: $file"; exit 1; }
done

# French saved in the configuration; nothing else chosen.
XDG_DATA_HOME=$data "$write_configuration" --language French >/dev/null

# A loaded translation file is mapped into the process: the installed one must be, although
# neither the working directory nor the executable's directory holds one.
cd "$elsewhere"
XDG_DATA_HOME=$data QT_QPA_PLATFORM=offscreen "$prefix/bin/zoxen-console" &
pid=$!
for _ in $(seq 100); do
    if grep -qF "$prefix/$translation" "/proc/$pid/maps" 2>/dev/null; then
        echo "installed console loaded $translation"
        exit 0
    fi
    sleep 0.1
done
echo "the installed console did not load $prefix/$translation"
exit 1
