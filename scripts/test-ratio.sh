#!/usr/bin/env bash
# Prints how large the tests are against the code, in non-blank lines: every
# file under tests/ (C++, golden data, scripts, fixtures; images and
# databases aside) against the .h and .cpp files under include/, src/ and
# apps/. Fails above 40%, so that the tests cannot drift back to restating
# the code; the aim is a third.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=40

nonblank() { xargs -r -0 cat | grep -cv '^[[:space:]]*$' || true; }
code=$(git ls-files -z -- include src apps | grep -zE '\.(h|cpp)$' | nonblank)
tests=$(git ls-files -z -- tests | grep -zvE '\.(png|jpg|db|sqlite|bin|qm)$' | nonblank)
permille=$((1000 * tests / code))
percent="$((permille / 10)).$((permille % 10))"
echo "tests: $tests non-blank lines against $code of code ($percent%; at most $limit%)"
if ((100 * tests > limit * code)); then
  echo "tests: more than $limit% of the code; test each rule once, at the layer that owns it" >&2
  exit 1
fi
