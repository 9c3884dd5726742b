#!/usr/bin/env bash
# The installer under Wine, in a fresh prefix: a silent install puts the
# bundle into Program Files with a Start-menu entry, the nine item types
# and an uninstall entry; the installed program (its own DLLs only) checks
# a demo game in C:\ProgramData clean; a silent uninstall takes away all
# of it and nothing of the user's or the game's.
#   installer.sh SETUP.exe [KV_DEMODATA.exe]   (after wine-env.sh's set-up)
set -uo pipefail
setup="$(realpath "$1")"
demo="${2:-}"
fail() { echo "FAIL: $*"; exit 1; }
export WINEPREFIX="$build/wineprefix-install" WINEARCH=win64 WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
rm -rf "$WINEPREFIX"
$WINE wineboot --init >/dev/null 2>&1
trap '/usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
c="$WINEPREFIX/drive_c"
inst="$c/Program Files/KorvalisEdit"
lnk="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Korvalis Editor.lnk"
q() { env -u WINEPATH $WINE reg query "$@" 2>/dev/null | tr -d '\r'; }
value() { q "$1" /v "$2" | sed -n "s/.*$2 *REG_[A-Z_]* *//p"; }

env -u WINEPATH $WINE "$setup" /S || fail "the installer exited with $?"
/usr/lib/wine/wineserver -w
[ -f "$inst/korvalisedit.exe" ] || fail "no korvalisedit.exe in Program Files"
for f in zip.exe unzip.exe uninstall.exe platforms/qwindows.dll imageformats/qjpeg.dll \
         Qt6Core.dll libstdc++-6.dll licenses/qt/LGPL-3.0-only.txt; do
    [ -f "$inst/$f" ] || fail "not installed: $f"
done
[ -f "$lnk" ] || fail "no Start-menu entry"
for ext in kva kve kvg kvp kvn kvm kvt kvl kvs; do
    [ "$(q "HKLM\\Software\\Classes\\.$ext" /ve | sed -n 's/.*REG_SZ *//p')" = "KorvalisEdit.$ext" ] ||
        fail ".$ext is not registered"
    q "HKLM\\Software\\Classes\\KorvalisEdit.$ext\\shell\\open\\command" /ve |
        grep -qF 'korvalisedit.exe" "%1"' || fail ".$ext does not open with the editor"
done
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KorvalisEdit'
[ "$(value "$key" DisplayName)" = "Korvalis Editor" ] || fail "uninstall entry: no name"
[ -n "$(value "$key" DisplayVersion)" ] || fail "uninstall entry: no version"
[ -n "$(value "$key" Publisher)" ] || fail "uninstall entry: no publisher"
[ "$(( $(value "$key" EstimatedSize) ))" -gt 1000 ] || fail "uninstall entry: no size"

# The installed program, started as the Start-menu entry starts it.
if [ -n "$demo" ]; then
    $WINE "$demo" 'C:\ProgramData' >/dev/null || fail "the demo generator failed"
    report="$(cd "$inst" && env -u WINEPATH $WINE korvalisedit.exe --check 'C:\ProgramData\Korvalis' | tr -d '\r')" ||
        fail "--check of the demo game: $report"
    echo "$report" | tail -n 1 | grep -qE ' checked: 0 errors, 0 warnings$' || fail "--check: $report"
fi

# What the user keeps in the folder and the game's data outlive the program.
echo mine > "$inst/notes.txt"
env -u WINEPATH $WINE "$inst/uninstall.exe" /S || fail "the uninstaller exited with $?"
/usr/lib/wine/wineserver -w
for _ in $(seq 50); do [ -f "$inst/uninstall.exe" ] || break; sleep 0.2; done
left="$(cd "$inst" && find . -mindepth 1 | sort)"
[ "$left" = "./notes.txt" ] || fail "left behind in Program Files: $left"
[ -f "$lnk" ] && fail "the Start-menu entry is still there"
for k in .kva KorvalisEdit.kva .kvs KorvalisEdit.kvs 'Applications\korvalisedit.exe'; do
    q "HKLM\\Software\\Classes\\$k" >/dev/null && fail "still registered: $k"
done
q "$key" >/dev/null && fail "the uninstall entry is still there"
if [ -n "$demo" ]; then
    [ -f "$c/ProgramData/Korvalis/Korvalis.ini" ] || fail "the uninstaller touched the game's data"
fi
echo "ok: installed, checked the demo game, uninstalled"
