#!/usr/bin/env bash
# The Debian package as a user gets it: lintian finds no error, the AppStream
# metadata and desktop entry are valid, and the program unpacked from the
# package answers --version and checks the demo data without a display.
#   package.sh DEB KV_DEMODATA
set -uo pipefail
deb="$1"
generator="$2"
root="$(mktemp -d "${TMPDIR:-/tmp}/kv-package.XXXXXX")"
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

lint="$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | { grep -v '^running with root' || true; })" \
    || fail "lintian: $lint"
[ -z "$lint" ] || echo "lintian: $lint"

depends="$(dpkg-deb -f "$deb" Depends)"
for dep in zip unzip libqt6widgets6 libc6; do
    [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $depends"
done

dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
id=io.github.korvalisedit.KorvalisEdit
for f in bin/korvalisedit share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/korvalisedit.xml share/icons/hicolor/256x256/apps/korvalisedit.png \
         share/man/man1/korvalisedit.1.gz share/doc/korvalisedit/copyright \
         share/doc/korvalisedit/changelog.gz; do
    [ -f "$root/usr/$f" ] || fail "the package has no /usr/$f"
done
report="$(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" 2>&1)" \
    || fail "appstreamcli: $report"
report="$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1)" && [ -z "$report" ] \
    || fail "desktop-file-validate: $report"
man="$(zcat "$root/usr/share/man/man1/korvalisedit.1.gz")"
for word in FILE check json data\\\\-dir KORVALIS_DATA_DIR "EXIT STATUS"; do
    grep -q -- "$word" <<<"$man" || fail "the manual page does not document $word"
done

# The installed program, without a display.
program="$root/usr/bin/korvalisedit"
version="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" --version 2>&1)" \
    || fail "--version: $version"
[ "$version" = "Korvalis Editor $(dpkg-deb -f "$deb" Version)" ] || fail "--version says: $version"
data="$root/demo"
"$generator" "$data" >/dev/null || fail "the demo generator failed"
report="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" --check "$data" 2>&1)" \
    || fail "--check on the demo: $report"
echo "ok: $(basename "$deb"): $version; $(tail -n 1 <<<"$report")"
