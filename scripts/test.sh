#!/usr/bin/env bash
# Sets up, builds and runs every test. Exits non-zero on any failure and ends
# with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)"
cd build
# The Debian package, which the package tests check, install and start.
cpack -G DEB
ctest --output-on-failure --parallel "$(nproc)"
