#!/usr/bin/env bash
# Fails on an include against the layer order. Every layer of the core
# includes through the one src/ root ("template/list_head.h"), so the
# compiler alone lets any file include any other; this check does not:
# - a file in src/<layer>/ includes only its own layer and those below it
#   (schemes sits above dialog: schemes may include dialog, never the
#   reverse), and no Qt header;
# - a file in src/ui_qt/ includes only its own folder's headers, by their bare
#   names ("form_view.h"), and the public headers ("qelt/...");
# - a public header in include/qelt/ includes only public headers;
# - nobody reaches around the roots with "src/..." or "../".
# Prints one line per offending include (file:line: the include and why) and
# fails, or prints "layers: clean".
set -euo pipefail
cd "$(dirname "$0")/.."

# Bottom up; each layer may use the ones before it.
layers=(platform ui host support template editing dialog schemes public ui_qt)

status=0
for dir in src/*/; do
  folder=$(basename "$dir")
  if [[ " ${layers[*]} " != *" $folder "* ]]; then
    echo "src/$folder: a folder that is no layer; add it to the order in $0" >&2
    status=1
  fi
done

includes=$(grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.cc' \
  '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' src include || true)

violations=$(awk -v order="${layers[*]}" '
  BEGIN {
    n = split(order, names, " ")
    for (i = 1; i <= n; i++) rank[names[i]] = i
  }
  function report(why) { printf "%s:%s: #include %s  (%s)\n", file, line, shown, why }
  {
    # grep -n prints file:line:text; paths hold no colon.
    file = $0; sub(/:.*/, "", file)
    line = substr($0, length(file) + 2); sub(/:.*/, "", line)
    if (!match($0, /#[ \t]*include[ \t]*[<"][^>"]*[>"]/)) next
    shown = substr($0, RSTART, RLENGTH); sub(/^#[ \t]*include[ \t]*/, "", shown)
    quoted = substr(shown, 1, 1) == "\""
    target = substr(shown, 2, length(shown) - 2)
    first = target; if (!sub(/\/.*/, "", first)) first = ""

    split(file, part, "/")
    if (target ~ /(^|\/)\.\.\//) { report("reaches out of its folder with ../"); next }
    if (first == "src") { report("includes through the source tree"); next }

    if (part[1] == "include") {
      if (first in rank || (quoted && first != "qelt"))
        report("a public header includes only public headers (qelt/...)")
      next
    }

    layer = part[2]
    if (layer == "ui_qt") {
      if (quoted && first != "" && first != "qelt")
        report("ui_qt includes only its own folder and public headers (qelt/...)")
      next
    }
    if (!(layer in rank)) next
    if (first in rank && rank[first] > rank[layer]) {
      if (layer == "dialog" && first == "schemes")
        report("dialog never includes schemes: schemes sits above dialog")
      else
        report(first " sits above " layer)
    } else if (!quoted && (target ~ /^Qt[A-Za-z]*\// || target ~ /^Q[A-Za-z]*$/)) {
      report("Qt headers only in ui_qt")
    }
  }' <<<"$includes" | sort -t: -k1,1 -k2,2n)

if [[ -n "$violations" ]]; then
  echo "$violations" >&2
  status=1
fi
if ((status != 0)); then
  printf 'layers: includes against the order %s' "${layers[0]}" >&2
  printf ' <- %s' "${layers[@]:1}" >&2
  printf '\n' >&2
  exit 1
fi
echo "layers: clean"
