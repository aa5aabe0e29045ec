# Doxygen's input filter for the public headers (FILTER_PATTERNS in
# docs/CMakeLists.txt): Doxygen reads the headers' plain `//` comments as
# documentation, so the headers keep the house style. Every line stays on its
# line, so Doxygen's warnings name the header's own line numbers.
#
#  - A comment line becomes a documentation line (`///`) for what follows it;
#    `// @{` and `// @}` thus enclose a member group, whose members share
#    the comment above it.
#  - A comment after code (`int x;  // ...`) documents that code (`///<`); a
#    comment line aligned under it continues it.
#  - A section rule (`// --- cell content ---`) stays a plain comment.
#  - A comment block at namespace scope that ends at a blank line, or stands
#    right above a `namespace` line outside every brace, describes the
#    header (`@file`): it belongs to no one declaration, a namespace spans
#    many headers, and a header is what a host includes.
#  - A comment after a lone closing brace (`}  // namespace qelt`) stays plain.
#  - The header's first blank line becomes an empty `@file` block, so that
#    every header has its page, where what it declares outside a class is
#    documented (the namespaces carry no documentation of their own).

# Splits a line of code: `cpos` is where its trailing comment starts (0 for
# none) and `bare` is the code before it without string literals, whose
# braces are counted.
function scan(s,    i, c, inq) {
    bare = ""
    cpos = 0
    inq = 0
    for (i = 1; i <= length(s); i++) {
        c = substr(s, i, 1)
        if (inq) {
            if (c == "\\") i++
            else if (c == "\"") inq = 0
            continue
        }
        if (c == "\"") { inq = 1; continue }
        if (c == "/" && substr(s, i + 1, 1) == "/") { cpos = i; return }
        bare = bare c
    }
}

# Follows the braces of a line of code: `depth` counts the open ones and
# `nonns` those that open no namespace (a class, a function, an enum).
function braces(s, isns,    i, c) {
    for (i = 1; i <= length(s); i++) {
        c = substr(s, i, 1)
        if (c == "{") {
            kind[++depth] = isns
            if (!isns) nonns++
        } else if (c == "}" && depth > 0) {
            if (!kind[depth]) nonns--
            depth--
        }
    }
}

# Writes the pending comment block; `asfile` marks it as the header's.
function flush(asfile,    i) {
    for (i = 1; i <= nblock; i++) {
        if (i == nblock && asfile) print block[i] " @file"
        else print block[i]
    }
    nblock = 0
}

BEGIN { depth = 0; nonns = 0; nblock = 0; trail = 0; filed = 0 }

{
    line = $0
    if (!filed && nblock == 0 && line ~ /^[ \t]*$/) {
        filed = 1
        print "/** @file */"
        next
    }
    if (match(line, /^[ \t]*\/\//)) {
        col = RLENGTH - 2
        if (substr(line, col + 1, 3) == "///") {
            flush(0)
            print line
            trail = 0
            next
        }
        if (trail && col == trail) {
            flush(0)
            print substr(line, 1, col) "///<" substr(line, col + 3)
            next
        }
        trail = 0
        if (line ~ /^[ \t]*\/\/ ---/) {
            flush(0)
            print line
            next
        }
        block[++nblock] = substr(line, 1, col) "///" substr(line, col + 3)
        next
    }

    if (nblock > 0)
        flush(nonns == 0 && block[nblock] !~ /@[{}]/ &&
              (line ~ /^[ \t]*$/ || (depth == 0 && line ~ /^namespace[ \t]/)))

    scan(line)
    trail = 0
    if (cpos > 0 && substr(line, cpos, 3) != "///" && substr(line, 1, cpos - 1) ~ /[^ \t][ \t]+$/ \
        && bare !~ /^[ \t]*\}[ \t;]*$/) {
        trail = cpos - 1
        line = substr(line, 1, cpos - 1) "///<" substr(line, cpos + 2)
    }
    braces(bare, bare ~ /^[ \t]*namespace([ \t]|$)/)
    print line
}

END { flush(0) }
