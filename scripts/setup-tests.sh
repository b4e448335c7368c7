#!/usr/bin/env bash
# Installs what the tests need beyond scripts/setup.sh: the X server and
# tools, the package checks, the benchmarks and sanitizers, and the engines
# that run the generated code. The engines are large (about 2 GB on disk
# with LibreOffice, mingw-w64 and Wine). Installs only what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-missing.sh

packages=(
    # X server, input, clipboard, validators
    xvfb xauth xdotool xclip x11-xkb-utils x11-utils imagemagick python3
    desktop-file-utils appstream
    # package checks: Debian's checker, the manual page viewer, bash completion
    lintian man-db bash-completion
    # looking at the window as a screen reader does (AT-SPI tree)
    python3-pyatspi at-spi2-core dbus-x11
    # rendering the application icon into PNG sizes
    librsvg2-bin
    # benchmarks, sanitizers, fuzzing
    libbenchmark-dev clang libclang-rt-14-dev
    # engines of the generated code: Mono's C# compiler with Windows Forms,
    # mingw-w64 (C99 and C++17 against <windows.h>) and Wine to run it
    mono-mcs libmono-system-windows-forms4.0-cil
    gcc-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-win32
    wine wine64
)
# LibreOffice Basic runs in whichever LibreOffice the machine has; Debian's
# libreoffice-core only where none is found (libreoffice-core-nogui, which
# some machines have, conflicts with it).
if ! command -v soffice >/dev/null 2>&1; then
    packages+=(libreoffice-core)
fi

install_missing setup-tests "${packages[@]}"
