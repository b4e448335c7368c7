#!/usr/bin/env bash
# Installs what building and running the program need from Debian's
# packages, and nothing else: the test engines and tools come from
# scripts/setup-tests.sh. Installs only what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-missing.sh

packages=(
    # build, and the Debian package CPack makes
    build-essential cmake pkg-config ccache file dpkg-dev
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
    # run time
    qt6-translations-l10n fonts-open-sans fonts-dejavu-core qt6-qpa-plugins
)

install_missing setup "${packages[@]}"
