#!/bin/sh
# Builds the libFuzzer targets in fuzz/ with clang into build-fuzz/ and runs each one for SECONDS
# (default 30), starting from its seed corpus fuzz/corpus/<target>/. Fails when any target finds
# a crash, a memory error, undefined behaviour, a leak or a broken invariant; the input that did
# it is kept as build-fuzz/findings/<target>/crash-* (or leak-*, timeout-*).
#   usage: scripts/fuzz.sh [SECONDS]
set -e
cd "$(dirname "$0")/.."
seconds=${1:-30}
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

# The project's own packages (the configure step finds all of Qt), then clang with its
# sanitizer and libFuzzer runtimes and the symbolizer for readable stack traces.
sh scripts/deps.sh
$SUDO apt-get install -y --no-install-recommends clang libclang-rt-14-dev llvm

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTAVOLEX_FUZZ=ON -DTAVOLEX_BUILD_TESTS=OFF \
  -DTAVOLEX_BUILD_BENCH=OFF
cmake --build build-fuzz --target tavolex_fuzz -j2

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
# The targets write their files in a scratch folder under TMPDIR, and every settings write
# syncs to disk: on a memory file system a run gets through many times more inputs.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
summary=""
failed=""
# Every target in fuzz/ (one fuzz_<name>.cpp each, listed in fuzz/CMakeLists.txt).
for source in fuzz/fuzz_*.cpp; do
  target=$(basename "$source" .cpp)
  # New inputs go to the build folder's corpus; the committed seeds are only read.
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  log=build-fuzz/$target.log
  mkdir -p "$corpus" "$findings"
  echo "== $target: fuzzing for $seconds s"
  if build-fuzz/fuzz/$target -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    result="ok"
  else
    result="FAILED (see $log and $findings/)"
    failed="$failed $target"
    tail -n 40 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  summary="$summary
$target: ${runs:-?} executions (${rate:-?}/s), $result"
done

echo "== fuzzing summary ($seconds s per target)$summary"
if [ -n "$failed" ]; then
  echo "fuzz: failed:$failed"
  exit 1
fi
