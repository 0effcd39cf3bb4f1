#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the console and starts it.
# With --demo, it also starts the device simulator for "Showcaster - SC900 (TCP/IP)" on
# 127.0.0.1 (or the next loopback address where its port is free) and a console with a private
# data directory that is set to reach it at once, so that the console opens connected without
# any hardware; the user's own settings are untouched.
set -euo pipefail
cd "$(dirname "$0")/.."
demo=0
[[ ${1:-} == --demo ]] && demo=1 && shift
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target zoxen-console zoxen-device-sim zoxen-write-configuration \
    -j"$(nproc)"
[[ $demo == 1 ]] || exec build/zoxen-console "$@"

home=$(mktemp -d)
simulator=
trap '[[ -n $simulator ]] && kill "$simulator" 2>/dev/null; rm -rf "$home"' EXIT
model="Showcaster - SC900 (TCP/IP)"

# The simulator says when it listens; the console must not start before. Where another program
# holds the model's port on 127.0.0.1, the next loopback address is tried.
for host in 1 2 3 4 5 6 7 8; do
    address=127.0.0.$host
    exec {output}< <(exec build/simulator/zoxen-device-sim --address "$address" "$model" 2>&1)
    simulator=$!
    read -r -t 10 -u "$output" first || first="the simulator did not start"
    [[ $first == listening* ]] && break
    echo "simulator: $first" >&2
    simulator=
done
[[ -n $simulator ]] || { echo "no loopback address was free for the simulator" >&2; exit 1; }
echo "simulator: $first"
cat <&"$output" | sed 's/^/simulator: /' &

export XDG_DATA_HOME=$home
build/config/zoxen-write-configuration --model "$model" --address "$address" --auto-connection \
    >/dev/null
build/zoxen-console "$@"
