#!/usr/bin/env bash
# Installs the PowerShell that tst_powershellruns runs generated code in:
# PowerShell 7.6.10 as a .NET tool from NuGet, into build/tools/powershell.
# The version is named because the newest one served (7.7.0) fails there.
# Does nothing where it is installed already; without the .NET SDK it says
# so, and the test skips with that reason.
set -euo pipefail
cd "$(dirname "$0")/.."
tools=$PWD/build/tools
target=$tools/powershell
if [ -x "$target/pwsh" ]; then
    exit 0
fi
if ! command -v dotnet >/dev/null; then
    echo "setup-powershell: dotnet is missing, so PowerShell is not installed" >&2
    exit 0
fi
# Private home and package folders under build/, no telemetry, no update
# checks, no first-run messages.
export HOME=$tools/home DOTNET_CLI_HOME=$tools/home NUGET_PACKAGES=$tools/home/.nuget/packages
export DOTNET_CLI_TELEMETRY_OPTOUT=1 DOTNET_NOLOGO=1 DOTNET_SKIP_FIRST_TIME_EXPERIENCE=1
export POWERSHELL_TELEMETRY_OPTOUT=1 POWERSHELL_UPDATECHECK=Off
mkdir -p "$HOME"
chmod 700 "$HOME"
dotnet tool install PowerShell --version 7.6.10 --tool-path "$target"
# The two copies of the package (42 MB each) are not needed to run it.
rm -f "$target"/.store/powershell/7.6.10/powershell/7.6.10/*.nupkg
