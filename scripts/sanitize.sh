#!/bin/sh
# Builds Tavolex and its tests with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs every test. Memory errors, undefined behaviour and leaks fail the run. Only leaks inside
# Qt's and the desktop libraries' own internals are suppressed (tests/lsan.supp), never Tavolex's own.
# Exits non-zero when the build or any test fails.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
# The tests drive the PDF reader, the spreadsheet program and the virtual display: install them too.
sh scripts/deps.sh --tests

ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:check_initialization_order=1"
ASAN_OPTIONS="$ASAN_OPTIONS:strict_init_order=1:detect_stack_use_after_return=1"
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
# Also for the build: it runs the sanitized guide writer to make the user guide.
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLEX_SANITIZE=ON \
  -DTAVOLEX_BUILD_BENCH=OFF
cmake --build build-asan -j2
cd build-asan
ctest --output-on-failure -j2
