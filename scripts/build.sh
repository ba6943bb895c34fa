#!/bin/sh
# Configures and builds Tavolex into build/ (program folder: build/Tavolex/).
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
