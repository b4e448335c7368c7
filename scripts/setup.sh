#!/usr/bin/env bash
# Installs everything the build, the program and the tests need from Debian's
# packages. Safe to run again: it installs only what is missing and refreshes
# the package lists only when there is something to install.
set -euo pipefail

packages=(
    # build
    build-essential cmake pkg-config ccache file dpkg-dev
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
    # run time
    qt6-translations-l10n fonts-open-sans fonts-dejavu-core qt6-qpa-plugins
    # tests: X server, input, clipboard, validators
    xvfb xauth xdotool xclip x11-xkb-utils x11-utils imagemagick python3
    desktop-file-utils appstream
    # package checks: Debian's checker, the manual page viewer, bash completion
    lintian man-db bash-completion
    # looking at the window as a screen reader does (AT-SPI tree)
    python3-pyatspi at-spi2-core dbus-x11
    # rendering the application icon into PNG sizes
    librsvg2-bin
    # compiling the generated C# against Windows Forms
    mono-mcs libmono-system-windows-forms4.0-cil
    # benchmarks, sanitizers, fuzzing
    libbenchmark-dev clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all ${#packages[@]} packages present"
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi

echo "setup: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
