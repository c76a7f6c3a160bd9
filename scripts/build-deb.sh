#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: installs the dependencies, builds the release preset and packs
# what it installs with CPack (dpkg-shlibdeps works out the package's dependencies). Prints
# the path of the .deb on standard output; install it with
#   apt-get install ./build/release/moonleaf_<version>_<architecture>.deb
# Extra arguments go to the configure step, e.g.
#   scripts/build-deb.sh -DMOONLEAF_PACKAGE_MAINTAINER="Name <name@example.org>"
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >&2
cmake --preset release "$@" >&2
cmake --build --preset release >&2
rm -f build/release/moonleaf_*.deb
(cd build/release && cpack -G DEB) >&2

deb=$(ls build/release/moonleaf_*.deb)
echo "$PWD/$deb"
