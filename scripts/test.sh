#!/usr/bin/env bash
# Sets up the program and the test engines, builds and runs every test.
# Exits non-zero on any failure and ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The test engines and tools: Debian's packages, then PowerShell as a .NET
# tool.
bash scripts/setup-tests.sh
bash scripts/setup-powershell.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)"
cd build
# The Debian package, which the package tests check, install and start.
cpack -G DEB
cd ..

# Unit and widget tests once more under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run. The tests of the real
# program under an X server (end-to-end, package, app_x11_) stay with the main
# build: the X keyboard library reads past a server-supplied buffer in strndup,
# which AddressSanitizer reports there before any code of ours runs. Leaks inside system libraries
# (fontconfig and the like) are suppressed in scripts/lsan-suppressions.txt.
# The engine tests (PowerShell, the VB compiler, mingw-w64 with Wine,
# LibreOffice) stay with the main build too: they check how the engines take
# the generated code, and the generators run under the sanitizers in the
# other core tests.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
if [ "${VELTRANO_SKIP_SANITIZE:-0}" != 1 ]; then
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELTRANO_SANITIZE=ON \
        -DVELTRANO_BUILD_BENCH=OFF
    cmake --build build-asan --parallel "$(nproc)"
    (cd build-asan && ctest --output-on-failure --parallel "$(nproc)" -LE 'e2e|package' \
        -E '^(e2e_|package_|desktop_file_|metainfo_|app_x11_|tst_powershellruns$|tst_vbnetcompiles$|tst_ccompiles$|tst_libreofficeruns$)')
fi

# libFuzzer targets, built with clang, each run for a bounded time from its
# checked-in seed corpus; new inputs go to build-fuzz, never into the seeds.
if [ "${VELTRANO_SKIP_FUZZ:-0}" != 1 ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELTRANO_FUZZ=ON -DVELTRANO_BUILD_TESTS=OFF -DVELTRANO_BUILD_BENCH=OFF
    cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_definitionfile fuzz_generators \
        fuzz_codereader
    for target in definitionfile generators codereader; do
        mkdir -p "build-fuzz/corpus/$target" build-fuzz/artifacts
        # A target's dictionary, where it has one, holds the words of its input.
        dictionary=()
        if [ -f "fuzz/$target.dict" ]; then
            dictionary=(-dict="fuzz/$target.dict")
        fi
        "build-fuzz/fuzz/fuzz_$target" -max_total_time="${VELTRANO_FUZZ_SECONDS:-30}" \
            -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "${dictionary[@]}" \
            -artifact_prefix="build-fuzz/artifacts/$target-" \
            "build-fuzz/corpus/$target" "fuzz/corpus/$target"
    done
fi

cd build
ctest --output-on-failure --parallel "$(nproc)"
