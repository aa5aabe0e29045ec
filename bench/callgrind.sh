#!/usr/bin/env bash
# Instruction counts of the library's hottest calls, counted by callgrind on
# a Release build, each printed next to its goal:
#
#   GetListSQL on the benchmark's 300-column, 60-relation template: the
#   library's own work per call, with the instructions spent inside SQLite
#   and SOCI (the statements every call runs, the relation query among them)
#   reported apart;
#   GetWhereSQL with 50 conditions against 300 columns, per call.
#
# Usage: bench/callgrind.sh [BUILD_DIR] [--baseline BASELINE_BUILD_DIR]
#   BUILD_DIR defaults to build-release (configured as a Release build and
#   built here when missing). --baseline measures another build of the
#   benchmarks (for example one of an earlier commit) the same way, side by
#   side. Needs valgrind (scripts/bootstrap.sh installs it).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-release"
baseline=""
while [ $# -gt 0 ]; do
  case "$1" in
    --baseline) baseline="$2"; shift 2 ;;
    -h|--help) sed -n '2,18p' "$0"; exit 0 ;;
    *) build="$1"; shift ;;
  esac
done

command -v valgrind >/dev/null || {
  echo "callgrind.sh: valgrind is missing (scripts/bootstrap.sh installs it)" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
                                            -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQELT_BUILD_QT=OFF \
        -DQELT_BUILD_TESTS=OFF -DQELT_BUILD_APPS=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" --target qelt_bench -j"$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Sums a callgrind profile: every instruction counted (collection is on only
# inside the calls named by --toggle-collect), the calls made to functions
# whose name matches the regular expression CALLED, and the instructions of calls from the library's code
# (objects matching OWN, functions not named soci::) into SOCI and SQLite
# (objects matching soci or sqlite, or functions named soci::).
split() {
  awk -v called="$2" '
    function name(kind, s,   id, rest) {
      if (match(s, /^\([0-9]+\)/)) {
        id = substr(s, 2, RLENGTH - 2); rest = substr(s, RLENGTH + 2)
        if (rest != "") names[kind, id] = rest
        return names[kind, id]
      }
      return s
    }
    function db(o, f) { return o ~ /soci|sqlite/ || f ~ /^soci::/ }
    /^ob=/  { ob = name("ob", substr($0, 4)); next }
    /^cob=/ { cob = name("ob", substr($0, 5)); next }
    /^fn=/  { fn = name("fn", substr($0, 4)); cob = ob; next }
    /^cfn=/ { cfn = name("fn", substr($0, 5)); next }
    /^calls=/ { split(substr($0, 7), a, " "); n = a[1]; incall = 1; next }
    /^[0-9+*-]/ {
      c = $2 + 0
      if (incall) {
        incall = 0
        if (cfn ~ called) calls += n
        if (ob ~ /qelt/ && !db(ob, fn) && db(cob, cfn)) inside += c
        cob = ob
        next
      }
      total += c
    }
    END { printf "%d %d %d\n", total, calls, inside }
  ' "$1"
}

# Runs one benchmark under callgrind, counting inside FUNCTION only; prints
# "total calls inside", total and inside per call (nothing when no call of
# CALLED was counted).
measure() {
  local bench=$1 filter=$2 function=$3 called=$4 out="$work/$RANDOM.out"
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect="$function*" \
    "$bench" --benchmark_filter="$filter" --benchmark_min_time=0.3 >/dev/null 2>&1
  split "$out" "$called" | awk '{ if ($2 > 0) printf "%d %d %d\n", $1 / $2, $2, $3 / $2 }'
}

# 1234567 as 1,234,567.
group() { echo "$1" | sed -e ':a' -e 's/\([0-9]\)\([0-9]\{3\}\)\($\|,\)/\1,\2\3/' -e 'ta'; }

report() {
  local bench=$1 label=$2
  read -r list calls list_db < <(measure "$bench" '^BM_GetListSQL_300Columns$' \
    'qelt::TemplateData::GetListSQL' '^qelt::TemplateData::GetListSQL[[(]')
  read -r joins _ joins_db < <(measure "$bench" '^BM_GetListSQL_300Columns$' \
    'qelt::tpl::BuildJoins' '^qelt::tpl::BuildJoins[[(]')
  read -r where wcalls _ < <(measure "$bench" '^BM_GetWhereSQL_50Conditions$' \
    'qelt::TemplateData::GetWhereSQL' '^qelt::TemplateData::GetWhereSQL[[(]')
  echo "$label"
  echo "  GetListSQL, 300 columns and 60 relations, per call ($calls calls counted):"
  echo "    library's own work:             $(group $((list - list_db))) instructions (goal < 2,000,000)"
  echo "    inside SQLite and SOCI, apart:  $(group "$list_db") instructions (the relation query: $(group "$joins_db"))"
  echo "    whole call:                     $(group "$list") instructions"
  echo "  GetWhereSQL, 50 conditions against 300 columns, per call ($wcalls calls counted):"
  echo "    $(group "$where") instructions (goal <= 247,000: half the 494,000 of the branch point 49b49b5)"
}

report "$build/bench/qelt_bench" "Release build $build:"
if [ -n "$baseline" ]; then
  echo
  report "$baseline/bench/qelt_bench" "Baseline build $baseline:"
fi
