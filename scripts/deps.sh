#!/bin/sh
# Installs everything Tavolex needs to build, run and test on Debian 12.
set -e
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  cmake ninja-build g++ pkg-config libgtest-dev \
  qt6-base-dev qt6-charts-dev qt6-multimedia-dev qt6-translations-l10n \
  libqpdf-dev gstreamer1.0-plugins-good fonts-liberation xdg-utils \
  poppler-utils xvfb xauth
