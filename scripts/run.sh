#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and runs Moonleaf: installs the dependencies, builds the release preset, and starts
# the desktop calendar when there is a display. Without one it shows today's day view in the
# terminal instead, and says how to start the panel.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >&2
cmake --preset release >&2
cmake --build --preset release >&2

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/src/app/moonleaf "$@"
fi
build/release/src/cli/moonleaf-cli day
echo "moonleaf: no display here; on a desktop, scripts/run.sh (or build/release/src/app/moonleaf) starts the calendar panel" >&2
