#!/bin/sh
# Configures and builds Tavolex into build/ (program folder: build/Tavolex/).
# TAVOLEX_WERROR=ON (as CI sets it) makes any compiler warning an error.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLEX_WERROR="${TAVOLEX_WERROR:-OFF}"
cmake --build build
