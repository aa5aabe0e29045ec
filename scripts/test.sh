#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite twice: a plain
# build, then a build with AddressSanitizer and UndefinedBehaviorSanitizer.
# Between the two, a short, fixed-time fuzz run of the record-set filter parser.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
jobs=$(nproc)

echo "== plain build =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== fuzz (record-set filter parser) =="
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$jobs"
mkdir -p build-fuzz/corpus
build-fuzz/fuzz_recordset_filter -max_total_time="${QELT_FUZZ_SECONDS:-20}" -seed=1 \
  build-fuzz/corpus fuzz/corpus/recordset_filter 2>&1 | tail -n 3
echo "fuzz: no crash"

echo "== sanitizer build (address, undefined) =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQELT_SANITIZE=ON -DQELT_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
