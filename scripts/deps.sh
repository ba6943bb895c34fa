#!/bin/sh
# Installs everything Tavolex needs on Debian 12: to build and run it, and with "--tests" also the tools
# the tests drive (PDF reader, spreadsheet program, virtual display).
# --no-install-recommends keeps the system to what is listed here, so a missing package shows at once.
set -e
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

# Build: compiler, CMake, GoogleTest and Qt's development packages, libarchive and libcrypto
# (SHA-256) for the backup copies, libical for the calendar files and libpq for the archives
# kept on a PostgreSQL server.
BUILD="cmake ninja-build g++ pkg-config libgtest-dev
  qt6-base-dev qt6-multimedia-dev libqpdf-dev libarchive-dev libssl-dev libical-dev libpq-dev"
# Run: Qt's Italian texts, MP3 playback, the report fonts, the desktop opener, the time zone
# data the calendar files take Europe/Rome's rules from.
RUN="qt6-translations-l10n gstreamer1.0-plugins-good fonts-liberation xdg-utils tzdata"
# Tests: PDF reader, a real spreadsheet program, a virtual display and its client tools,
# strace (the order in which a save reaches the disk), the formatter the sources are checked
# with, the zip tools that check backup copies, and two readers of the calendar files: an
# independent iCalendar parser and a calendar program; a PostgreSQL server, which the server
# store's tests start in a throw-away cluster of their own (pg_virtualenv, from postgresql-common).
TESTS="unzip zip libarchive-tools poppler-utils libreoffice-calc-nogui xvfb xauth xdotool strace
  clang-format python3-icalendar khal postgresql"

PACKAGES="$BUILD $RUN"
[ "${1:-}" = "--tests" ] && PACKAGES="$PACKAGES $TESTS"

$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $PACKAGES
