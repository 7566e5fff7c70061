#!/bin/sh
# make windows: Tombolix for 64-bit Windows, cross-built here with MinGW against Qt 6.4.2 for
# Windows, in build-win/, and its portable package Tombolix-1.01-win64.zip.
set -e
root=$(pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tombolix
qt=$cache/qt6-mingw
# ICU for Windows, static (scripts/windows/build-icu-mingw.sh), named by its Debian source package
icu=$cache/icu-72.1-3+deb12u1-mingw

# MinGW with posix threads, Wine to run the tests, a Korean font for them, the host's Qt (its
# tools build the Windows one), Qt's Korean translation, which the package carries, and Go with
# CIRCL, cross-built by cgo with the same MinGW for the beacon's BLS check; for building ICU, a
# host compiler for its configure, Debian's ICU tools, and what fetches and patches its source.
sh scripts/install-deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    mingw-w64-x86-64-dev wine64 wine fonts-nanum qt6-base-dev qt6-base-dev-tools qt6-translations-l10n \
    cmake ninja-build xz-utils zip golang-go golang-github-cloudflare-circl-dev \
    g++ make icu-devtools curl ca-certificates patch
if [ "$(id -u)" = 0 ]; then
    update-alternatives --set x86_64-w64-mingw32-g++ /usr/bin/x86_64-w64-mingw32-g++-posix >/dev/null
    update-alternatives --set x86_64-w64-mingw32-gcc /usr/bin/x86_64-w64-mingw32-gcc-posix >/dev/null
fi

# Qt for Windows: unpacked from the archive made for us, or built from Debian's source package.
if [ ! -x "$qt/bin/qt-cmake" ]; then
    archive=""
    # ../shared beside this checkout, or beside the checkout a clone of it came from (CI's)
    origin=$(git -C "$root" config --get remote.origin.url 2>/dev/null || true)
    for candidate in "${TOMBOLIX_QT_MINGW_ARCHIVE:-}" "$root/../shared/windows/qt6-mingw.tar.xz" \
        "${origin:+$origin/../shared/windows/qt6-mingw.tar.xz}"; do
        if [ -n "$candidate" ] && [ -f "$candidate" ]; then
            archive=$candidate
            break
        fi
    done
    mkdir -p "$cache"
    if [ -n "$archive" ]; then
        echo "Unpacking $archive into $cache"
        tar -C "$cache" -xJf "$archive"
    else
        echo "No Qt for Windows archive: building it (about 12 minutes)"
        PREFIX="$qt" bash scripts/windows/build-qt-mingw.sh
    fi
fi

# ICU for Windows: built from Debian's source package when missing (its BUILDINFO is written last)
if [ ! -f "$icu/BUILDINFO" ]; then
    echo "No ICU for Windows in $icu: building it (a few minutes)"
    PREFIX="$icu" WORK="$root/build-win/icu" bash scripts/windows/build-icu-mingw.sh
fi

# Qt's toolchain file looks for Windows libraries in its own prefix and in these
"$qt/bin/qt-cmake" -G Ninja -S . -B build-win -DCMAKE_BUILD_TYPE=Release \
    -DQT_ADDITIONAL_PACKAGES_PREFIX_PATH="$icu" \
    -DTOMBOLIX_WERROR="${TOMBOLIX_WERROR:-OFF}" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/wine > "$cache/configure-win.log" 2>&1 || { tail -30 "$cache/configure-win.log"; exit 1; }
cmake --build build-win -j"$(nproc)"

# The portable package: the program, what it loads, and nothing to install.
package=build-win/package/Tombolix-1.01-win64
rm -rf build-win/package
mkdir -p "$package/platforms" "$package/imageformats" "$package/tls" "$package/styles" "$package/translations"
x86_64-w64-mingw32-strip -o "$package/tombolix.exe" build-win/app/tombolix.exe
cp build-win/app/tombolix_help.html build-win/app/tombolix.portable "$package/"
# a participant checks a public draw with it, without Tombolix
cp tools/verify-draw.py build-win/app/tombolix-verify.html "$package/"
# the terms of what the program holds: its own, and CIRCL's, Go's and ICU's, whose code is linked
# into it
cp packaging/linux/copyright "$package/copyright.txt"
# and beside them, in licenses/, the terms of the libraries the zip carries: Qt's, its Korean
# translation's, the GCC runtime's and MinGW-w64's, with an index
sh scripts/windows/licenses.sh "$package" "$qt"
# the libraries without their debugging symbols (a third of the size)
stripped() { x86_64-w64-mingw32-strip --strip-unneeded -o "$2" "$1"; }
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6Network libstdc++-6 libgcc_s_seh-1 libwinpthread-1; do
    stripped "$qt/bin/$dll.dll" "$package/$dll.dll"
done
stripped "$qt/plugins/platforms/qwindows.dll" "$package/platforms/qwindows.dll"
stripped "$qt/plugins/imageformats/qjpeg.dll" "$package/imageformats/qjpeg.dll"
stripped "$qt/plugins/tls/qschannelbackend.dll" "$package/tls/qschannelbackend.dll"
stripped "$qt/plugins/styles/qwindowsvistastyle.dll" "$package/styles/qwindowsvistastyle.dll"
cp /usr/share/qt6/translations/qtbase_ko.qm "$package/translations/"
rm -f Tombolix-1.01-win64.zip
(cd build-win/package && zip -q -r -9 "$root/Tombolix-1.01-win64.zip" Tombolix-1.01-win64)
echo "Tombolix-1.01-win64.zip: $(du -k Tombolix-1.01-win64.zip | cut -f1) KiB, unpacked $(du -sk "$package" | cut -f1) KiB"
