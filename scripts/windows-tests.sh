#!/usr/bin/env bash
# Cross-builds the logic libraries and their tests for 64-bit Windows with
# MinGW-w64 and runs every test under Wine. The desktop program and the
# command-line program (both need Qt) are not part of this build.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
vx_install_packages cmake ninja-build googletest g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64

# One Wine prefix for the run, and one Wine server kept alive across the
# tests, so that each test program does not start its own.
export WINEPREFIX="$PWD/build-win/wineprefix"
export WINEDEBUG=-all
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
mkdir -p "$WINEPREFIX"
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# A new prefix is set up before the first test program runs, not while
# building lists that program's tests.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
"$wine" wineboot --init >/dev/null 2>&1 || true

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset mingw-cross "${launcher[@]}" >/dev/null
# Building lists each test program's tests, which runs it under Wine.
cmake --build build-win
# Wine now and then fails to start a program (no output, within
# milliseconds); a test that fails is run once more before it counts.
ctest --test-dir build-win -j2 --output-on-failure --timeout 300 --repeat until-pass:2
