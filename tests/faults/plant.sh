#!/usr/bin/env bash
# Plants each fault of this folder, one at a time, in a copy of the working tree, and tells which
# tests catch it. A fault is a sed program for the one file that its "# file:" line names.
# Usage: tests/faults/plant.sh [-d SCRATCH] [-R CTEST_REGEX] [FAULT...]
# FAULT is a file of this folder or the start of its name ("07", "07-folder-bank"); all by default.
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
tree= regex=.
while getopts d:R: option; do
    case $option in
    d) tree=$OPTARG ;;
    R) regex=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
faults=()
for name in "${@:-}"; do
    named=("$source"/tests/faults/"$(basename "${name%.sed}")"*.sed)
    [[ -f ${named[0]} ]] || { echo "no fault named $name"; exit 2; }
    faults+=("${named[@]}")
done

# The copy, updated file by file when it is given again, so that its build stays incremental.
[[ -n $tree ]] || tree=$(mktemp -d /tmp/zoxen-faults.XXXXXX)
mkdir -p "$tree"
cd "$source"
git ls-files -co --exclude-standard | while read -r file; do
    cmp -s "$file" "$tree/$file" || cp --parents "$file" "$tree"
done
cd "$tree"
[[ -f build/CMakeCache.txt ]] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZOXEN_WERROR=ON >/dev/null
build() { nice -n 10 cmake --build build -j2 >build/faults.log 2>&1; }
# The names of the tests that fail, on one line.
failing() {
    local log=build/Testing/Temporary/LastTestsFailed.log
    rm -f "$log"
    (cd build && nice -n 10 ctest -j2 --timeout 300 -R "$regex" >faults-ctest.log 2>&1) || true
    [[ ! -f $log ]] || cut -d: -f2 "$log" | paste -sd' '
}
build || { echo "the working tree does not build: $tree/build/faults.log"; exit 1; }
broken=$(failing)
[[ -z $broken ]] || { echo "failing before any fault: $broken"; exit 1; }

caught=0 missed=0
for fault in "${faults[@]}"; do
    name=$(basename "$fault" .sed)
    file=$(sed -n 's/^# file: //p' "$fault")
    sed -i -f "$fault" "$file"
    if cmp -s "$file" "$source/$file"; then
        verdict="does not apply"
    elif ! build; then
        verdict="does not build"
    else
        verdict=$(failing)
        verdict=${verdict:+caught by $verdict}
    fi
    cp "$source/$file" "$file"
    [[ $verdict == caught* ]] && caught=$((caught + 1)) || missed=$((missed + 1))
    echo "$name: ${verdict:-CAUGHT BY NOTHING}"
done
build
echo "$caught of $((caught + missed)) faults caught; $missed not (in $tree)"
((missed == 0))
