#!/usr/bin/env bash
# Plants realistic faults into the library one at a time and tells which the
# test suite catches: each fault replaces one literal text of one source file,
# the build rebuilds what that touches, ctest runs, and the file is put back.
#
#   tools/plant-faults.sh [BUILD_DIR] [FAULT_ID...]
#
# BUILD_DIR is a configured build of this tree (default: build). The faults
# are listed in tools/faults.txt. Prints one line per fault, "caught" or
# "SLIPPED" (or "stale" when its text is no longer in the file), then the
# counts; exits 0 whatever the counts. Outside CI: it takes a few minutes per
# fault on a small machine. Never run it on a tree with uncommitted changes
# to the files it plants into.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
only=" $* "
list=tools/faults.txt
jobs=$(nproc)

[[ -d "$build" ]] || { echo "plant-faults: no build folder $build" >&2; exit 2; }
command -v perl >/dev/null || { echo "plant-faults: perl is needed" >&2; exit 2; }

caught=0 slipped=0 stale=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

plant() {
    local id=$1 file=$2 from=$3 to=$4 what=$5
    [[ "$only" == "  " || "$only" == *" $id "* ]] || return 0
    if ! FROM=$from perl -0ne 'exit(index($_, $ENV{FROM}) >= 0 ? 0 : 1)' "$file"; then
        printf '%-4s stale    %s (%s)\n' "$id" "$what" "$file"
        stale=$((stale + 1))
        return 0
    fi
    cp "$file" "$file.planted-backup"
    FROM=$from TO=$to perl -0pi -e 's/\Q$ENV{FROM}\E/$ENV{TO}/' "$file"
    local verdict by=""
    if ! cmake --build "$build" -j"$jobs" >"$log" 2>&1; then
        verdict=caught   # a fault the compiler refuses cannot ship
        by=" [by: the compiler]"
    elif ctest --test-dir "$build" -j"$jobs" --timeout 300 --stop-on-failure >"$log" 2>&1; then
        verdict=SLIPPED
    else
        verdict=caught
        # The first test that failed, so that a cut knows which case to keep.
        by=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (.*)$/\1/p' "$log" | head -n 1)
        by=${by:+ [by: $by]}
    fi
    mv "$file.planted-backup" "$file"
    touch "$file"
    if [[ $verdict == caught ]]; then caught=$((caught + 1)); else slipped=$((slipped + 1)); fi
    printf '%-4s %-8s %s (%s)%s\n' "$id" "$verdict" "$what" "$file" "$by"
}

# tools/faults.txt: blocks of four lines, "id: what the fault is", "file:",
# "from:" and "to:" (texts as written; \n stands for a line break, no other
# escape), blank lines
# between blocks, "#" lines ignored.
id="" what="" file="" from="" to=""
while IFS= read -r line || [[ -n $line ]]; do
    case $line in
        '#'*) continue ;;
        id:*) rest=${line#id: }; id=${rest%%:*}; what=${rest#*: } ;;
        file:*) file=${line#file: } ;;
        from:*) from=${line#from: }; from=${from//\\n/$'\n'} ;;
        to:*) to=${line#to: }; to=${to//\\n/$'\n'} ;;
        '')
            if [[ -n $id ]]; then plant "$id" "$file" "$from" "$to" "$what"; fi
            id="" what="" file="" from="" to=""
            ;;
    esac
done <"$list"
if [[ -n $id ]]; then plant "$id" "$file" "$from" "$to" "$what"; fi

cmake --build "$build" -j"$jobs" >/dev/null 2>&1
echo "planted faults: caught $caught, slipped $slipped, stale $stale"
