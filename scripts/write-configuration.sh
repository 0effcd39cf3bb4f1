#!/usr/bin/env bash
# Writes a console configuration file into a data directory, as XDG_DATA_HOME would name it.
# Usage: write-configuration.sh DATA_DIR LANGUAGE MODEL ADDRESS AUTO_CONNECTION
#   LANGUAGE is English, French or "(default)"; ADDRESS four dotted bytes; AUTO_CONNECTION 0 or 1.
set -euo pipefail
data=$1 language=$2 model=$3 address=$4 auto=$5
directory="$data/Brevane Systems / Tessik/Zoxen Console"
mkdir -p "$directory"
IFS=. read -r -a bytes <<<"$address"
printf '%s\n' "ZOX11.00" "Zoxen Console (Configuration File)" \
    "Generate by: Zoxen Console 1.2.7.0" "*** Default Language:" "$language" \
    "*** Default Device:" "$model" "*** Default Serial Port:" "(default)" \
    "*** Default Baudrate:" "(default)" "*** Default IP Address:" "${bytes[@]}" \
    "*** Default Auto-connection:" "$auto" "*** Default Player ID:" 0 \
    "*** Default Command Bytes Sent Setting:" 2 "*** Default Data Received Setting:" 1 \
    >"$directory/Zoxen Console.cfg"
