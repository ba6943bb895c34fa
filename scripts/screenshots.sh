#!/bin/sh
# Remakes the README's pictures in docs/pictures/ from generated archives: builds the program,
# then grabs each application's main screen, under Xvfb when it is installed (else offscreen).
#   usage: sh scripts/screenshots.sh
set -e
cd "$(dirname "$0")/.."
sh scripts/build.sh
if command -v xvfb-run >/dev/null 2>&1; then
  xvfb-run -a -s '-screen 0 1600x1000x24' build/src/tavolex_screenshots docs/pictures
else
  QT_QPA_PLATFORM=offscreen build/src/tavolex_screenshots docs/pictures
fi
ls docs/pictures
