#!/usr/bin/env bash
# The portable Windows folder, its zip and the installer.
#   scripts/win/bundle.sh SDK BUILD DIST VERSION
# The folder holds what a Qt deployment needs (the DLLs found by walking
# the imports, the platform, style and JPEG plugins), the MinGW runtime,
# zip.exe and unzip.exe, and the licences of what it ships.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
sdk="$1"; build="$2"; dist="$3"; version="$4"
name="KorvalisEdit-$version-win64"
out="$dist/$name"
cross=x86_64-w64-mingw32
qt="$sdk/qt"
gccdir="$(dirname "$($cross-g++-posix -print-libgcc-file-name)")"
sysroot=/usr/$cross/lib

rm -rf "$out"
mkdir -p "$out/platforms" "$out/imageformats" "$out/styles" "$out/licenses"
cp "$build/app/korvalisedit.exe" "$out/"
cp "$qt/plugins/platforms/qwindows.dll" "$out/platforms/"
cp "$qt/plugins/imageformats/qjpeg.dll" "$out/imageformats/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$out/styles/"
cp "$sdk/infozip/zip.exe" "$sdk/infozip/unzip.exe" "$out/"

# Every DLL imported that is not part of Windows, from Qt, GCC's runtime
# folder or the MinGW sysroot, until nothing new turns up.
find_dll()
{
    local d
    for d in "$qt/bin" "$gccdir" "$sysroot"; do
        [ -f "$d/$1" ] && { echo "$d/$1"; return 0; }
    done
    return 1
}
while :; do
    new=0
    while read -r dll; do
        [ -f "$out/$dll" ] && continue
        if src="$(find_dll "$dll")"; then cp "$src" "$out/"; new=1; fi
    done < <(find "$out" -name '*.exe' -o -name '*.dll' | while read -r f; do
                 $cross-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'; done | sort -u)
    [ $new = 1 ] || break
done
find "$out" \( -name '*.exe' -o -name '*.dll' \) -exec $cross-strip --strip-unneeded {} +

# Licences: Qt and its bundled libraries, GCC's runtime libraries and
# MinGW-w64's, Info-ZIP.
cp -r "$qt/licenses" "$out/licenses/qt"
cp -r "$sdk/infozip/licenses" "$out/licenses/infozip"
mkdir -p "$out/licenses/mingw-w64"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$out/licenses/mingw-w64/gcc.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$out/licenses/mingw-w64/mingw-w64.txt"
cat > "$out/README.txt" <<TXT
Korvalis Editor $version for Windows (64 bit)

Start korvalisedit.exe. The editor works on the game installed in
C:\\ProgramData\\Korvalis. zip.exe and unzip.exe, which it uses for item
archives, are in this folder. The licences of what this folder ships are
in licenses\\.
TXT
sed -i 's/$/\r/' "$out/README.txt"

(cd "$dist" && rm -f "$name.zip" && zip -qr -X "$name.zip" "$name")

# The uninstaller removes exactly these, deepest first.
files="$dist/$name-files.nsh"
(cd "$out" &&
 find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
 find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') > "$files"
makensis -V2 -DBUNDLE="$out" -DFILES="$files" -DVERSION="$version" \
    -DICON="$build/resources/korvalisedit.ico" \
    -DOUTFILE="$dist/KorvalisEdit-$version-setup.exe" "$top/resources/windows/korvalisedit.nsi"
ls -l "$dist/$name.zip" "$dist/KorvalisEdit-$version-setup.exe"
