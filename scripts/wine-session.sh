# Sourced by the test and run scripts: a private Wine prefix, and for tests a private X display.
# Wine settings every call needs: 32-bit prefix, quiet, no .NET/HTML prompts, a UTF-8 locale so
# non-ASCII file names survive (the ANSI code page stays 1252).
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8

# Creates the prefix once: Wine's own fonts (else dialog units and glyphs come out wrong), no
# window-manager emulation (else every hidden window costs a 2 s wait), no crash dialog (else a
# crash hangs until a timeout).
ensure_wine_prefix() {
    export WINEPREFIX=$1
    [ -f "$WINEPREFIX/.velquor-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.velquor-ready"
}

# Starts Xvfb on the first free display from :91 and exports DISPLAY.
start_private_display() {
    local number=91
    while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do number=$((number + 1)); done
    Xvfb ":${number}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":${number}"
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

# Keeps one wine server running for the whole session, so each program start is quick.
start_wine_server() {
    wineserver -p
    wine wineboot >/dev/null 2>&1 </dev/null
}

stop_wine_session() {
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    return 0
}
