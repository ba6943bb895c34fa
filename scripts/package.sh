#!/bin/sh
# Builds the Debian package build-package/tavolex_<version>_amd64.deb (the program without its
# tests and benchmarks, optimised) and checks it: AppStream metainfo with appstreamcli, the
# package with lintian (no errors allowed). Installs what it needs first.
#   usage: sh scripts/package.sh
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
$SUDO apt-get install -y -q --no-install-recommends appstream lintian >/dev/null
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVOLEX_BUILD_TESTS=OFF \
      -DTAVOLEX_BUILD_BENCH=OFF
cmake --build build-package
(cd build-package && cpack -G DEB)
appstreamcli validate --no-net resources/desktop/org.tavolex.Tavolex.metainfo.xml
lintian --fail-on error build-package/tavolex_*_amd64.deb
echo "package: $(ls build-package/tavolex_*_amd64.deb)"
