#!/bin/sh
# make windows-test: every test executable of the Windows build, run by Wine without a display
# (Qt's offscreen platform), ending with CTest's summary.
set -e
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tombolix
export WINEPREFIX="$cache/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no offer to install Mono or Gecko
# Wine hands the program only the variables it knows: WINEQT_X arrives as QT_X.
export WINEPATH="$(winepath -w "$cache/qt6-mingw/bin" 2>/dev/null)"
export WINEQT_QPA_PLATFORM=offscreen
export WINEQT_FORCE_STDERR_LOGGING=1
export WINEQT_QPA_FONTDIR="$(winepath -w /usr/share/fonts/truetype/nanum 2>/dev/null)"
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
# Started here, not by the first test: a server started inside ctest holds its output.
wineserver -p >/dev/null 2>&1 </dev/null &
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
cd build-win
ctest --output-on-failure --timeout 300
