# Sourced by scripts/windows: the Wine set-up of every step (a private
# 64-bit prefix, no Mono or Gecko prompts, quiet) and the Windows PATH that
# finds the Qt DLLs, the MinGW runtime and zip.exe/unzip.exe.
# Needs $sdk (the cross SDK) and $build (the Windows build folder).
export WINEPREFIX="${KV_WINEPREFIX:-$build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
gccdir="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
export WINEPATH="$(winpath "$sdk/qt/bin");$(winpath "$gccdir");$(winpath /usr/x86_64-w64-mingw32/lib);$(winpath "$sdk/infozip")"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Makes the prefix once. Wine hands no QT_* variable of the Linux
# environment to Windows programs, so the tests' ones go into the prefix's
# user environment, which every Windows process reads.
wine_prefix()
{
    [ -f "$WINEPREFIX/.kv-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    $WINE wineboot --init >/dev/null 2>&1
    local reg=(QT_QPA_PLATFORM offscreen
               QT_QPA_FONTDIR 'Z:\usr\share\wine\fonts'
               QT_LOGGING_RULES 'qt.qpa.*=false'
               # Without a console (standard output is CTest's pipe) Qt
               # would log to the debugger only.
               QT_FORCE_STDERR_LOGGING 1)
    for ((i = 0; i < ${#reg[@]}; i += 2)); do
        $WINE reg add 'HKCU\Environment' /v "${reg[i]}" /d "${reg[i+1]}" /f >/dev/null 2>&1
    done
    $WINESERVER -w
    touch "$WINEPREFIX/.kv-ready"
}
