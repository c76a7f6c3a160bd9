#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs everything Moonleaf needs to build, test and run, from Debian packages.
# Idempotent: packages already present are left alone; nothing is installed by hand.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # command-line parsing
  libcli11-dev
  # quotation checker; the iCalendar parser that checks moonleaf-cli ics
  python3 python3-icalendar
  # desktop program
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxcb1-dev libxcb-xinput-dev libx11-dev
  # fonts with full Vietnamese coverage (the program's one UI family)
  fonts-dejavu-core fonts-dejavu-extra
  # end-to-end tests of the desktop program
  xvfb xdotool x11-utils imagemagick
  # the validators of the desktop entries (desktop-file-validate) and the metainfo
  # (appstreamcli); the package's dependencies (dpkg-shlibdeps); the manual pages' check
  desktop-file-utils appstream dpkg-dev man-db
  # end-to-end tests of the X11 backends: a window manager and a compositing manager
  openbox xcompmgr
  # the program icon's PNGs, rendered by the build; the contact sheet of the panel's
  # pictures (scripts/contact_sheet.sh)
  librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
