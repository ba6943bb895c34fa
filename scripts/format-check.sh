#!/bin/sh
# Fails, naming the files, when a source differs from the repository's style (.clang-format).
# `cmake --build build --target format` reformats them.
set -e
cd "$(dirname "$0")/.."
FILES=$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
  'fuzz/*.cpp' 'fuzz/*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
# shellcheck disable=SC2086
if ! clang-format --dry-run --Werror $FILES; then
  echo "format-check: the files above are not formatted; run clang-format -i on them" >&2
  exit 1
fi
echo "format-check: every source is formatted"
