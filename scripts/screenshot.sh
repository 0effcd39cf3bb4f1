#!/usr/bin/env bash
# Remakes the README's pictures under Xvfb: docs/screenshot.png, the console's window with
# default settings; docs/demo.png, the console connected to the simulator after a folder, Play
# and a status request; docs/timeline.png, the same with the timeline on, then Stop;
# docs/sequence.png, a sequence run from the Sequences menu; docs/site.png, the site status
# of four players. Needs the Debian packages xvfb, xauth, xdotool and imagemagick
# besides the build's own.
set -euo pipefail
cd "$(dirname "$0")/.."
ZOXEN_EXTRA_PACKAGES="xvfb xauth xdotool imagemagick" scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target zoxen-console zoxen-device-sim zoxen-write-configuration \
    -j"$(nproc)"
# The window's title carries the version, which only project() in CMakeLists.txt states.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
XDG_DATA_HOME=$home xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    bash -c 'build/zoxen-console & pid=$!
             sleep 3
             import -window "$1" docs/screenshot.png
             kill $pid' screenshot "Zoxen Console $version"

# The demo: the window has no manager under Xvfb and sits at the top left, so the buttons are
# clicked where this layout puts them.
model="Showcaster - SC900 (TCP/IP)"
rm -rf "${home:?}"/*
XDG_DATA_HOME=$home build/config/zoxen-write-configuration --model "$model" \
    --address 127.0.0.1 --auto-connection >/dev/null
# Without a window manager nothing gives the window the keyboard: it is given it here.
demo() {
    XDG_DATA_HOME=$home xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
        bash -c 'build/simulator/zoxen-device-sim "$2" >/dev/null & simulator=$!
                 sleep 1
                 build/zoxen-console & pid=$!
                 sleep 3
                 xdotool search --onlyvisible --name "$1" windowfocus --sync
                 for step in "${@:4}"; do
                     case $step in
                     key:*) xdotool key "${step#key:}" ;;
                     type:*) xdotool type "${step#type:}" ;;
                     *) xdotool mousemove $step click 1 ;;
                     esac
                     sleep 0.5
                 done
                 sleep 1
                 import -window "$1" "$3"
                 kill $pid $simulator' screenshot "Zoxen Console $version" "$model" "$@"
}
demo docs/demo.png "323 72" "336 136" "607 326"
demo docs/timeline.png key:ctrl+t "323 72" "336 136" "607 326" "370 136"
# A sequence run from the Sequences menu, by the keyboard (the timeline is still on).
printf '%s\n' "model $model" "Volume 40" "Folder 130" "wait 500 ms" Play "Player Status" \
    "expect PLAYING" >"$home/lobby.seq"
demo docs/sequence.png key:alt+s key:r "type:$home/lobby.seq" key:Return

# The site status of four players: two simulators answer, nobody listens at the third, and the
# fourth speaks another model's protocol, so that it never answers.
rm -rf "${home:?}"/*
players="$home/Brevane Systems / Tessik/Zoxen Console/Zoxen Console.players"
mkdir -p "$(dirname "$players")"
printf '%s\t%s\t%s\n' "Lobby screen" "$model" 127.0.97.1 "Bar music" "Tunebox (NX) (TCP/IP)" \
    127.0.97.2 "Terrace screen" "$model" 127.0.97.3 "Shop window" "$model" 127.0.97.4 >"$players"
XDG_DATA_HOME=$home xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" \
    bash -c 'sim=build/simulator/zoxen-device-sim
             $sim -a 127.0.97.1 "$2" >/dev/null & a=$!
             $sim -a 127.0.97.2 "Tunebox (NX) (TCP/IP)" >/dev/null & b=$!
             $sim -a 127.0.97.4 -p 65079 "Tunebox (NX) (TCP/IP)" >/dev/null & c=$!
             sleep 1
             build/zoxen-console & pid=$!
             sleep 3
             xdotool search --onlyvisible --name "$1" windowfocus --sync
             xdotool key ctrl+i
             sleep 3
             import -window "$(xdotool search --onlyvisible --name "^Site Status$" | head -1)" \
                 docs/site.png
             kill $pid $a $b $c' screenshot "Zoxen Console $version" "$model"
echo "docs/screenshot.png, docs/demo.png, docs/timeline.png, docs/sequence.png and docs/site.png" \
    "written"
