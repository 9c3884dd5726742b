#!/usr/bin/env bash
# Builds the Windows cross SDK once: Qt (qtbase, from Debian's source package
# of the same version as the host Qt) and zip.exe/unzip.exe (from Debian's
# Info-ZIP source packages), into a cache folder outside the checkout named
# by the versions and this recipe. Prints the folder last.
#   scripts/win/sdk.sh            KV_WIN_SDK_ROOT overrides ~/.cache/korvalisedit
# A cache is used only when it holds the stamp written after its last step.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
ver() { dpkg-query -W -f='${Version}' "$1"; }
qtver="$(ver qt6-base-dev-tools)"
# The Info-ZIP sources are pinned: their checksums below are the gate.
zipver=3.0-13+deb12u1
unzipver=6.0-28+deb12u1
# Bump when a step below changes what the SDK holds; the patch and the
# toolchain file count by their contents.
revision=1
recipe="r$revision-$(cat "$here/qtbase-mingw-no-direct2d.patch" \
    "$top/cmake/mingw-w64-x86_64.cmake" | sha256sum | cut -c1-8)"
root="${KV_WIN_SDK_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/korvalisedit}"
sdk="$root/win64-qt$qtver-zip$zipver-unzip$unzipver-$recipe"
if [ -f "$sdk/.complete" ]; then
    echo "$sdk"
    exit 0
fi

mkdir -p "$root"
work="$(mktemp -d "$root/.building-XXXXXX")"
trap 'rm -rf "$work"' EXIT
partial="$work/sdk"
mkdir -p "$partial" "$work/src/lists/partial"
log() { printf '== %s (%s)\n' "$1" "$(date +%T)" >&2; }

# Source entries for the suites this machine's apt names, in a private apt
# configuration: the machine's own is left alone. apt checks every download
# against the signed index.
for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list; do
    [ -f "$f" ] || continue
    case "$f" in
    *.sources) sed 's/^Types: *deb$/Types: deb-src/' "$f"; echo ;;
    *) sed -n 's/^deb /deb-src /p' "$f" > "$work/src/extra.list" ;;
    esac
done > "$work/src/src.sources"
A=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/src"
   -o Dir::State::Lists="$work/src/lists" -o APT::Sandbox::User=root)
log "Fetching sources"
apt-get "${A[@]}" -qq update
cd "$work"
apt-get "${A[@]}" -qq source --download-only "qt6-base=$qtver"
# Mirrors have been seen to miss one file of a security update's source
# (its .dsc, or the unchanged orig tarball): ask for both versions and let
# the checksums decide.
apt-get "${A[@]}" -qq source --download-only "zip=$zipver" "unzip=$unzipver" 2>/dev/null || true
apt-get "${A[@]}" -qq source --download-only "zip=${zipver%+*}" "unzip=${unzipver%+*}" 2>/dev/null || true
sha256sum -c --quiet <<'SUM'
f0e8bb1f9b7eb0b01285495a2699df3a4b766784c1765a8f1aeedf63c0806369  zip_3.0.orig.tar.gz
5decc93eb91c383152c0268c89bf5eaeca6615844d5d5a1342b2d0402ef7fd56  zip_3.0-13+deb12u1.debian.tar.xz
036d96991646d0449ed0aa952e4fbe21b476ce994abc276e49d30e686708bd37  unzip_6.0.orig.tar.gz
defefe4900f2065b9f067652645fe7e5d99421566565d8b743cc7c5636deb4fe  unzip_6.0-28+deb12u1.debian.tar.xz
SUM

unpack_debian() # ORIG DEBIAN DIR: the upstream tarball with Debian's patches
{
    mkdir "$3"
    tar xf "$1" -C "$3" --strip-components=1
    tar xf "$2" -C "$3"
    while read -r p; do
        case "$p" in ''|'#'*) continue ;; esac
        patch -d "$3" -p1 -s < "$3/debian/patches/${p%% *}"
    done < "$3/debian/patches/series"
}

log "Info-ZIP"
unpack_debian zip_3.0.orig.tar.gz zip_3.0-13+deb12u1.debian.tar.xz zip
unpack_debian unzip_6.0.orig.tar.gz unzip_6.0-28+deb12u1.debian.tar.xz unzip
# Both define macros (CR, __G) that MinGW's headers use as names, so
# windows.h goes first; no i386 assembler on x86_64.
cross=x86_64-w64-mingw32
first="-DWIN32_LEAN_AND_MEAN= -include windows.h"
{
    make -C zip -f win32/makefile.gcc CC=$cross-gcc RC=$cross-windres \
        LOC="-DNO_ASM $first" OBJA= CRCA_O= CRCAUO= zip.exe
    make -C unzip -f win32/Makefile.gcc CC=$cross-gcc AR=$cross-ar RC=$cross-windres \
        NOASM=1 CC_CPU_OPT= LOCAL_UNZIP="$first" unzip.exe
} >infozip-build.log 2>&1 || { tail -40 infozip-build.log >&2; exit 1; }
mkdir -p "$partial/infozip/licenses"
cp zip/zip.exe unzip/unzip.exe "$partial/infozip/"
$cross-strip --strip-unneeded "$partial/infozip/zip.exe" "$partial/infozip/unzip.exe"
cp zip/LICENSE "$partial/infozip/licenses/zip.txt"
cp unzip/LICENSE "$partial/infozip/licenses/unzip.txt"

log "Qt $qtver source"
dpkg-source --no-check -x qt6-base_"$qtver".dsc qtbase >/dev/null
patch -d qtbase -p1 -s < "$here/qtbase-mingw-no-direct2d.patch"

log "Qt configure"
# Only what the editor and its tests use; the bundled third-party code
# (Debian keeps libjpeg, libpng, zlib, pcre2, freetype, harfbuzz) instead of
# the build machine's Linux libraries.
cmake -S qtbase -B qt-build -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$partial/qt" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_MANUAL_TESTS=OFF -DQT_BUILD_MINIMAL_STATIC_TESTS=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_direct2d1_1=OFF \
    -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_system_libb2=OFF >qt-configure.log 2>&1 || { tail -40 qt-configure.log >&2; exit 1; }

log "Qt build (about 20 minutes on two idle cores)"
cmake --build qt-build -j"$(nproc)" >qt-build.log 2>&1 || { tail -40 qt-build.log >&2; exit 1; }
cmake --install qt-build >/dev/null
# The licences of Qt and of the third-party code built into it, for the
# bundles.
mkdir -p "$partial/qt/licenses"
cp qtbase/LICENSES/* "$partial/qt/licenses/"
mkdir -p "$partial/qt/licenses/3rdparty"
(cd qtbase/src/3rdparty &&
 find . \( -iname 'LICENSE*' -o -iname 'COPYING*' \) -type f \
     -exec cp --parents {} "$partial/qt/licenses/3rdparty/" \;)

printf 'qt6-base %s\nzip %s\nunzip %s\nrecipe %s\n' "$qtver" "$zipver" "$unzipver" "$recipe" \
    > "$partial/.complete"
rm -rf "$sdk"
mv "$partial" "$sdk"
log "SDK ready"
echo "$sdk"
