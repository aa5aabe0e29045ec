#!/usr/bin/env bash
# Sets everything up, builds, and prints the SQL of a list of the bundled
# demo database. Extra arguments go to `qelt-filter sql`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target qelt-filter qelt_demo_db
if [ $# -eq 0 ]; then set -- --list 1; fi
# User 2 of the demo database is an ordinary user: the list is restricted to his groups.
props="${QELT_PROPS:-UserID=2;UserName=张伟}"
build/apps/qelt-filter/qelt-filter --props "$props" lists
echo
build/apps/qelt-filter/qelt-filter --props "$props" sql "$@"
