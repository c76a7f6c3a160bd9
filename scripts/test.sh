#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and passes every test: installs the dependencies, builds with warnings as errors,
# runs the whole suite, then runs it again (without benchmarks) under AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails the run).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== build and test (ci preset)"
cmake --preset ci
cmake --build --preset ci
ctest --preset ci -j "$(nproc)"

echo "== core and widget tests under AddressSanitizer and UndefinedBehaviorSanitizer (asan preset)"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan -j "$(nproc)"

echo "== all tests passed"
