#!/usr/bin/env bash
# Sets everything up, checks the formatting, the layer order of the includes
# and the size of the tests against the code (scripts/test-ratio.sh),
# builds, and runs the whole test suite twice: a plain build (warnings are errors,
# its API reference built by Doxygen with warnings as errors too), then a build
# with AddressSanitizer and UndefinedBehaviorSanitizer. Between the
# two, the Debian packages of the plain build are built and checked
# (scripts/check-packages.sh), and a short, fixed-time fuzz run of each parser.
# Each ctest run starts a private PostgreSQL server for the database tests on
# that backend (tests/postgres/server.sh) and stops it at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
jobs=$(nproc)

echo "== formatting (clang-format) =="
find include src apps tests bench fuzz data \( -name '*.h' -o -name '*.cpp' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
echo "formatting: clean"

echo "== layers (includes follow the layer order) =="
scripts/check-layers.sh

echo "== test size (the tests against the code) =="
scripts/test-ratio.sh

echo "== plain build =="
# The prefix of Debian's packages, so that they hold the library in the
# multiarch folder; nothing here installs into it.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQELT_WERROR=ON -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build -j"$jobs"
# Doxygen's warnings (an undocumented public member, a broken reference) go to
# stderr and fail the target.
cmake --build build --target qelt_doc >/dev/null
echo "reference: no warnings, build/doc/html/index.html"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Debian packages (contents, lintian, hosts built against them) =="
scripts/check-packages.sh build

echo "== fuzz (record-set filter, property string, scheme grids, scheme import) =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQELT_BUILD_FUZZ=ON \
  -DQELT_BUILD_TESTS=OFF -DQELT_BUILD_BENCH=OFF -DQELT_BUILD_APPS=OFF -DQELT_INSTALL=OFF -DQELT_BUILD_QT=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz_recordset_filter fuzz_props_string \
  fuzz_scheme_grids fuzz_scheme_import
# Each target keeps its log: its tail when it ran clean, all of it (with the
# crash and its input) when it did not.
for target in recordset_filter props_string scheme_grids scheme_import; do
  mkdir -p "build-fuzz/corpus/$target"
  log="build-fuzz/fuzz_$target.log"
  if (cd build-fuzz && "fuzz/fuzz_$target" -max_total_time="${QELT_FUZZ_SECONDS:-20}" -seed=1 \
        "corpus/$target" "../fuzz/corpus/$target") >"$log" 2>&1; then
    tail -n 3 "$log"
    echo "fuzz $target: no crash"
  else
    cat "$log"
    echo "fuzz $target: crash (log: $log)" >&2
    exit 1
  fi
done

echo "== sanitizer build (address, undefined) =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQELT_SANITIZE=ON -DQELT_WERROR=ON \
  -DQELT_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
