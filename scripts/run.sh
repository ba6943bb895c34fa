#!/bin/sh
# Installs the dependencies, builds and starts Tavolex.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
sh scripts/build.sh
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  echo "Nessun display grafico: avviare Tavolex sotto Xvfb con"
  echo "  xvfb-run -a -s '-screen 0 1600x1000x24' build/Tavolex/tavolex"
  exit 1
fi
exec build/Tavolex/tavolex
