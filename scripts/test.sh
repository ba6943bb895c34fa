#!/bin/sh
# Installs the dependencies, builds Tavolex and runs every test.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh --tests
sh scripts/format-check.sh
sh scripts/build.sh
cd build
ctest --output-on-failure -j2
