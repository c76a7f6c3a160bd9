#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and runs Moonleaf: installs the dependencies, builds the release preset and shows
# today's day view in the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >&2
cmake --preset release >&2
cmake --build --preset release >&2

exec build/release/src/moonleaf-cli day "$@"
