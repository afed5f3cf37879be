#!/usr/bin/env bash
# Runs the end-to-end tests against a cross-built rainprep.exe under Wine: builds the stand-in
# import tool (for Windows) and the tests (for here), starts a Wine server on a fresh private
# prefix, runs the tests, and stops the server.
#
#   tests/windows/run_wine_tests.sh WINDOWS_BUILD_DIR [JOBS]
set -euo pipefail

source_dir=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$source_dir/../.." && pwd)
build=$(realpath -m "${1:?usage: $0 WINDOWS_BUILD_DIR [JOBS]}")
jobs=${2:-2}
exe=$build/rainprep.exe
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

if [ ! -f "$exe" ]; then
  echo "$0: $exe is missing: build it first (make windows)" >&2
  exit 1
fi

# rainprep.exe must run on a bare Windows: it may import from the system's own DLLs only.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "rainprep.exe imports:" $imports
foreign=$(grep -viE '^(kernel32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+|advapi32|user32|shell32)\.dll$' \
  <<<"$imports" || true)
if [ -n "$foreign" ]; then
  echo "$0: rainprep.exe needs DLLs that a bare Windows lacks:" $foreign >&2
  exit 1
fi

cmake -S "$source_dir" -B "$build/stand-in" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build/stand-in" -j"$jobs"
cmake -S "$source_dir" -B "$build/wine-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRAINPREP_WINDOWS_EXE="$exe" -DRAINPREP_STAND_IN_TOOL="$build/stand-in/asc2dssGrid.exe" \
  >/dev/null
cmake --build "$build/wine-tests" -j"$jobs"

export WINEPREFIX=$build/wine-prefix
export WINEDEBUG=-all
# A server left from an earlier run that was cut short would hold the old prefix.
"$wineserver" -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# The server, and the services the first program starts, outlive the programs that start
# them: started here with their streams on /dev/null, they hold no test's pipes open.
"$wineserver" -p </dev/null >/dev/null 2>&1
trap '"$wineserver" -k 2>/dev/null || true' EXIT
echo "Creating the Wine prefix $WINEPREFIX"
"$wine" cmd /c echo </dev/null >/dev/null 2>&1

ctest --test-dir "$build/wine-tests" --output-on-failure -j"$jobs"
