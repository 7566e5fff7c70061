#!/bin/sh
# licenses.sh PACKAGE QT: the licences/ folder of the Windows zip. The zip carries Qt's DLLs and
# MinGW-w64's runtime beside the program; their terms go with them, each text as Debian's own
# copy on this machine has it, and an index that names each component, its exact version and
# where its source is. The program's own terms (and those of what is linked into it) are the
# zip's copyright.txt.
set -e
package=$1
qt=$2
licenses="$package/licenses"
mkdir -p "$licenses"

version() { dpkg-query -W -f='${Version}' "$1"; }
source_version() { dpkg-query -W -f='${source:Version}' "$1"; }
# a Debian version as snapshot.debian.org spells it in an address
escaped() { printf '%s' "$1" | sed 's/+/%2B/g'; }

gcc_runtime=gcc-mingw-w64-x86-64-posix-runtime
winpthreads=mingw-w64-x86-64-dev
gcc_doc=/usr/share/doc/gcc-mingw-w64-base/copyright
mingw_doc=/usr/share/doc/mingw-w64-common/copyright
qt_doc=/usr/share/doc/libqt6core6/copyright
translations_doc=/usr/share/doc/qt6-translations-l10n/copyright
for file in /usr/share/common-licenses/LGPL-3 /usr/share/common-licenses/GPL-3 "$gcc_doc" "$mingw_doc" "$qt_doc" \
    "$translations_doc"; do
    [ -f "$file" ] || { echo "licenses.sh: $file is missing" >&2; exit 1; }
done

# The runtime DLLs the zip takes from Qt's folder are the files of the Debian packages named
# below (Qt's build copied them from there); a different file would make the index untrue.
gccdir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
for pair in "libstdc++-6.dll $gccdir" "libgcc_s_seh-1.dll $gccdir" \
    "libwinpthread-1.dll /usr/x86_64-w64-mingw32/lib"; do
    set -- $pair
    cmp -s "$qt/bin/$1" "$2/$1" || {
        echo "licenses.sh: $qt/bin/$1 is not Debian's $2/$1; rebuild Qt for Windows" >&2
        exit 1
    }
done

cp /usr/share/common-licenses/LGPL-3 "$licenses/LGPL-3.txt"
cp /usr/share/common-licenses/GPL-3 "$licenses/GPL-3.txt"
cp "$qt_doc" "$licenses/qt6-base-copyright.txt"
cp "$translations_doc" "$licenses/qt6-translations-copyright.txt"
cp "$mingw_doc" "$licenses/mingw-w64-copyright.txt"
# the exception as the GCC packages' copyright file states it, from its title to its last clause
sed -n '/^GCC RUNTIME LIBRARY EXCEPTION$/,/^requirements of the license of GCC\.$/p' "$gcc_doc" \
    > "$licenses/GCC-runtime-library-exception-3.1.txt"
grep -q '^2\. No Weakening of GCC Copyleft\.$' "$licenses/GCC-runtime-library-exception-3.1.txt"
# winpthreads' paragraphs of the mingw-w64 copyright file (its tests left out: not in the DLL),
# and the licences they name
awk -v RS= -v ORS='\n\n' '
    (/^Files: mingw-w64-libraries\/winpthreads\// && !/tests_pthread/) ||
    /^License: (expat|BSD-3-clause|public-domain)\n/' "$mingw_doc" > "$licenses/winpthreads.txt"
[ "$(grep -c '^Files: mingw-w64-libraries/winpthreads' "$licenses/winpthreads.txt")" -ge 4 ]

qt_source=6.4.2+dfsg-10
gcc_version=$(version $gcc_runtime)
gcc_source=$(source_version $gcc_runtime)
# the GCC sources the MinGW compilers were built from: "gcc-12 (= 12.2.0-14+deb12u1)"
gcc_sources=$(dpkg-query -W -f='${Built-Using}' $gcc_runtime | sed -n 's/^gcc-12 (= \(.*\))$/\1/p')
[ -n "$gcc_sources" ] || { echo "licenses.sh: $gcc_runtime names no gcc-12 it was built from" >&2; exit 1; }
mingw_version=$(version $winpthreads)
mingw_source=$(source_version $winpthreads)
cat > "$licenses/README.txt" <<EOF
Tombolix for Windows: the terms of the libraries that come with it
(Tombolix와 함께 들어 있는 라이브러리의 사용 조건)

Tombolix itself, and what is linked into tombolix.exe (Cloudflare's CIRCL, Go's runtime, ICU):
    ../copyright.txt

Qt 6.4.2: Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, Qt6Network.dll, and the plugins in
platforms/, imageformats/, tls/ and styles/
    Built for Windows with MinGW-w64 from Debian's qt6-base $qt_source source package,
    Debian's patches applied (scripts/windows/build-qt-mingw.sh in Tombolix's source builds it).
    Licence: the GNU Lesser General Public License, version 3 (LGPL-3.txt), which is the GNU
    General Public License, version 3 (GPL-3.txt), with the additional permissions it states.
    Tombolix loads these DLLs from its folder: another build of Qt 6.4.2 may replace them.
    Copyright holders, and the terms of the code Qt carries from others (FreeType, HarfBuzz,
    libjpeg, libpng, PCRE2, zlib and more): qt6-base-copyright.txt, Debian's copyright file of
    qt6-base (as libqt6core6 $(version libqt6core6) installs it).
    Source: https://snapshot.debian.org/package/qt6-base/$(escaped $qt_source)/
    (qt6-base_6.4.2+dfsg.orig.tar.xz and qt6-base_$qt_source.debian.tar.xz)

Qt's Korean translation: translations/qtbase_ko.qm
    Debian 12's qt6-translations-l10n $(version qt6-translations-l10n), from the source package
    qt6-translations $(source_version qt6-translations-l10n).
    Terms: qt6-translations-copyright.txt, Debian's copyright file of qt6-translations (the GNU
    General Public License, version 3, GPL-3.txt, with The Qt Company GPL Exception 1.0).
    Source: https://snapshot.debian.org/package/qt6-translations/$(escaped "$(source_version qt6-translations-l10n)")/

The GCC 12.2.0 runtime: libstdc++-6.dll, libgcc_s_seh-1.dll
    Debian 12's $gcc_runtime $gcc_version,
    built from the source package gcc-mingw-w64 $gcc_source with the sources of Debian's
    gcc-12 $gcc_sources.
    Copyright (C) 1986-2019 Free Software Foundation, Inc.
    Licence: the GNU General Public License, version 3 (GPL-3.txt), with the GCC Runtime Library
    Exception, version 3.1 (GCC-runtime-library-exception-3.1.txt), which lets a program that
    GCC compiled carry these libraries on terms of its own.
    Source: https://snapshot.debian.org/package/gcc-mingw-w64/$(escaped "$gcc_source")/
    and https://snapshot.debian.org/package/gcc-12/$(escaped "$gcc_sources")/

winpthreads (MinGW-w64 10.0.0): libwinpthread-1.dll
    Debian 12's $winpthreads $mingw_version, built from the source package mingw-w64
    $mingw_source.
    Terms: winpthreads.txt, its paragraphs of Debian's copyright file of mingw-w64 (the MIT
    licence, there called "expat"; pthread.h and dll_math.c under BSD licences; two files in
    the public domain).
    Source: https://snapshot.debian.org/package/mingw-w64/$(escaped "$mingw_source")/

The MinGW-w64 C runtime: its start-up code and routines, linked into tombolix.exe and each DLL
    The same mingw-w64 $mingw_source.
    Terms: mingw-w64-copyright.txt, Debian's copyright file of mingw-w64 (its first paragraph,
    the Zope Public License 2.1, and mingw-w64-crt/*, in the public domain).
EOF
