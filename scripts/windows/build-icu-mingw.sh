#!/bin/bash
# build-icu-mingw.sh -- cross-build ICU 72.1 (Debian's icu 72.1-3+deb12u1 source package, with
# all of Debian's patches) for x86_64-w64-mingw32 on Debian 12: the release and the patches of the
# libicu72 that the Linux program uses, so that both normalise alike.
#
# Result: $PREFIX (relocatable: static libraries and headers) with
#   include/unicode/   the headers of ICU's common library
#   lib/libicuuc.a     the common library (Unicode's normal forms; NFC's data is compiled in)
#   lib/libicudt.a     a data library holding only nfkc.nrm, the one data item that
#                      normalisation loads, in place of ICU's 30 MB one; ICU finds it linked in,
#                      with no file beside the program. An ICU service that needs any other item
#                      fails on Windows with U_MISSING_RESOURCE_ERROR or U_FILE_ACCESS_ERROR.
#   LICENSE, BUILDINFO ICU's licence; what was built from what
# Users of the headers define U_STATIC_IMPLEMENTATION (the libraries are not DLLs).
#
# Only ICU's common library is compiled, for Windows. ICU's configure wants a build tree for
# this machine (--with-cross-build); building common alone reads nothing from it but its
# config/icucross.{mk,inc}, so that tree is configured, not compiled. The data library is made
# with Debian's icu-devtools of the same source package (icupkg, genccode).
#
# Usage:  build-icu-mingw.sh       (with write access to $PREFIX; packages via install-deps.sh)
# Env:    SRCPKG_DIR  where the source package's two files are, or are downloaded to [$WORK/src]
#         WORK        scratch dir (source tree, build trees, logs)  [$TMPDIR/icu-mingw-build]
#         PREFIX      install prefix      [$XDG_CACHE_HOME/tombolix/icu-72.1-3+deb12u1-mingw]
#         JOBS        parallel jobs                                    [the processors: nproc]
# Every heavy step runs under `nice -n 19`.
set -euo pipefail

HERE=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
VER=72.1
DEBVER=72.1-3+deb12u1
ORIG_SHA256=a2d2d38217092a7ed56635e34467f92f976b370e20182ad325edea6681a71d68
DEBTAR_SHA256=bd6b27fc0a18f6044a47cd96c7d687720b95e4f592718bf8e34c6391b7753a1d
WORK=${WORK:-${TMPDIR:-/tmp}/icu-mingw-build}
SRCPKG_DIR=${SRCPKG_DIR:-$WORK/src}
PREFIX=${PREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/tombolix/icu-$DEBVER-mingw}
JOBS=${JOBS:-$(nproc)}
HOST=x86_64-w64-mingw32
NICE="nice -n 19"
# the data package's name as ICU 72 looks it up (little-endian, ASCII), and its symbol
DATA_NAME=icudt72l
DATA_ENTRY=icudt72

log() { printf '[%s] %s\n' "$(date +%T)" "$*"; }
# a step's output goes to its log; on failure, the end of the log is shown
run() {
    local name=$1
    shift
    "$@" > "$WORK/logs/$name.log" 2>&1 || {
        tail -40 "$WORK/logs/$name.log" >&2
        echo "failed: $name (log: $WORK/logs/$name.log)" >&2
        exit 1
    }
}

# ---- 0. host packages ---------------------------------------------------------------------
# MinGW with posix threads (as Qt for Windows is built), a host compiler for ICU's configure,
# Debian's ICU tools for the data library, and what fetches and patches the source
sh "$HERE/../install-deps.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev g++ make icu-devtools curl ca-certificates patch \
    xz-utils
tools_ver=$(dpkg-query -W -f='${Version}' icu-devtools)
case "$tools_ver" in "$VER"-*) ;; *) echo "icu-devtools is $tools_ver, need $VER" >&2; exit 1;; esac
linux_ver=$(dpkg-query -W -f='${Version}' libicu72 2>/dev/null || echo none)
if [[ $linux_ver != "$DEBVER" ]]; then
    log "note: the Linux build's libicu72 is $linux_ver; this builds $DEBVER"
fi

# ---- 1. the source package, checked -------------------------------------------------------
ORIG=$SRCPKG_DIR/icu_$VER.orig.tar.gz
DEBTAR=$SRCPKG_DIR/icu_$DEBVER.debian.tar.xz
mkdir -p "$SRCPKG_DIR" "$WORK/logs"
# Debian's archive keeps a security update in the main pool from its point release on, and in
# the security archive before that.
fetch() {
    local file=$1 sha256=$2 part=$SRCPKG_DIR/$1.part dir fetched=""
    if [[ -f $SRCPKG_DIR/$file ]] && echo "$sha256  $SRCPKG_DIR/$file" | sha256sum -c --status; then
        return
    fi
    for dir in http://deb.debian.org/debian/pool/main/i/icu \
        http://deb.debian.org/debian-security/pool/updates/main/i/icu; do
        log "fetching $dir/$file"
        rm -f "$part"
        if curl -fsSL --retry 3 -o "$part" "$dir/${file//+/%2B}"; then
            fetched=yes
            break
        fi
    done
    if [[ -z $fetched ]]; then
        echo "$file is in neither pool of Debian's archive: if Debian has replaced $DEBVER with a" \
            "newer revision, name that one here (DEBVER and both SHA-256), and in windows.sh" >&2
        exit 1
    fi
    if ! echo "$sha256  $part" | sha256sum -c --status; then
        echo "$file: SHA-256 $(sha256sum "$part" | cut -d' ' -f1), expected $sha256" >&2
        rm -f "$part"
        exit 1
    fi
    mv "$part" "$SRCPKG_DIR/$file"
}
fetch "icu_$VER.orig.tar.gz" "$ORIG_SHA256"
fetch "icu_$DEBVER.debian.tar.xz" "$DEBTAR_SHA256"

# ---- 2. unpack, apply every patch of Debian's series (its security fixes among them) -------
SRC=$WORK/icu
rm -rf "$SRC" "$WORK/host" "$WORK/cross" "$WORK/data" "$WORK/stage"
start=$(date +%s)
log "unpacking"
tar -C "$WORK" -xzf "$ORIG"
tar -C "$SRC" -xJf "$DEBTAR"
applied=()
while read -r patch opts || [[ -n $patch ]]; do
    [[ -z $patch || $patch == \#* ]] && continue
    # quilt's series: a patch, then patch's options if any (-p1 when none)
    strip=-p1
    [[ $opts == *-p* ]] && strip=$(grep -o -- '-p[0-9]*' <<< "$opts")
    patch -d "$SRC" "$strip" --forward --batch --no-backup-if-mismatch -s < "$SRC/debian/patches/$patch"
    applied+=("$patch")
    log "applied $patch"
done < "$SRC/debian/patches/series"
((${#applied[@]})) || { echo "no patch in Debian's series" >&2; exit 1; }

# ---- 3. configure: this machine's tree, then the Windows one -------------------------------
common_opts=(--disable-tests --disable-samples --disable-extras --disable-layoutex --disable-icuio
    --disable-tools)
mkdir -p "$WORK/host" "$WORK/cross"
log "configuring"
(cd "$WORK/host" && run configure-host $NICE "$SRC/source/configure" "${common_opts[@]}")
run icucross make -C "$WORK/host" config/icucross.mk config/icucross.inc
(cd "$WORK/cross" && run configure-cross $NICE "$SRC/source/configure" --host=$HOST \
    --with-cross-build="$WORK/host" --enable-static --disable-shared --with-data-packaging=static \
    "${common_opts[@]}" --prefix="$PREFIX" CC=$HOST-gcc-posix CXX=$HOST-g++-posix \
    AR=$HOST-ar RANLIB=$HOST-ranlib)

# ---- 4. build the common library ----------------------------------------------------------
log "building ICU's common library with $JOBS jobs"
mkdir -p "$WORK/cross/lib" "$WORK/cross/bin"
run build-common $NICE make -C "$WORK/cross/common" -j"$JOBS"
built=$(date +%s)

# ---- 5. the data library: nfkc.nrm alone, as ICU's static data packaging makes it ----------
log "making the data library"
mkdir -p "$WORK/data"
echo nfkc.nrm > "$WORK/data/list.txt"
run icupkg icupkg -tl -s "$SRC/source/data/in" -a "$WORK/data/list.txt" new "$WORK/data/$DATA_NAME.dat"
[[ $(icupkg -l "$WORK/data/$DATA_NAME.dat") == nfkc.nrm ]] || { echo "data package: wrong items" >&2; exit 1; }
run genccode genccode -a gcc-mingw64 -e $DATA_ENTRY -d "$WORK/data" "$WORK/data/$DATA_NAME.dat"
$HOST-gcc-posix -c -o "$WORK/data/${DATA_NAME}_dat.o" "$WORK/data/${DATA_NAME}_dat.S"
$HOST-ar rcs "$WORK/data/libicudt.a" "$WORK/data/${DATA_NAME}_dat.o"

# ---- 6. install into a staging copy, check it links, then put it in place -----------------
STAGE=$WORK/stage
mkdir -p "$STAGE/lib"
run install-headers make -C "$WORK/cross/common" install-headers includedir="$STAGE/include"
# MinGW's names for static libraries, which CMake's FindICU looks for
cp "$WORK/cross/lib/libsicuuc.a" "$STAGE/lib/libicuuc.a"
cp "$WORK/data/libicudt.a" "$STAGE/lib/libicudt.a"
cp "$SRC/LICENSE" "$STAGE/LICENSE"
cat > "$WORK/data/check.cpp" <<'CPP'
#include <unicode/unorm2.h>
int main() {
    UErrorCode status = U_ZERO_ERROR;
    const UChar ligature[] = {0xFB01};
    UChar out[4];
    int32_t n = unorm2_normalize(unorm2_getNFKCInstance(&status), ligature, 1, out, 4, &status);
    return U_SUCCESS(status) && n == 2 && out[0] == 'f' && out[1] == 'i' ? 0 : 1;
}
CPP
run link-check $HOST-g++-posix -DU_STATIC_IMPLEMENTATION -I"$STAGE/include" -o "$WORK/data/check.exe" \
    "$WORK/data/check.cpp" -L"$STAGE/lib" -licuuc -licudt -static
{
    echo "ICU $VER for $HOST, static, built $(date -u +%F) by build-icu-mingw.sh"
    echo "source: Debian's icu $DEBVER source package"
    echo "  icu_$VER.orig.tar.gz sha256 $ORIG_SHA256"
    echo "  icu_$DEBVER.debian.tar.xz sha256 $DEBTAR_SHA256"
    echo "patches (debian/patches/series): ${applied[*]}"
    echo "compiler: $($HOST-g++-posix --version | head -1)"
    echo "libicudt.a: $DATA_NAME.dat holding nfkc.nrm (source/data/in), genccode of icu-devtools $tools_ver"
    echo "compile users with -DU_STATIC_IMPLEMENTATION"
} > "$STAGE/BUILDINFO"
rm -rf "$PREFIX"
mkdir -p "$(dirname "$PREFIX")"
mv "$STAGE" "$PREFIX"

end=$(date +%s)
log "unpack, configure, build: $((built - start)) s, total: $((end - start)) s"
# the trees are not needed once the prefix is made (the logs and the downloads stay)
rm -rf "$SRC" "$WORK/host" "$WORK/cross"
du -sh "$PREFIX"
