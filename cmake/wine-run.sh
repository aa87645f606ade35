#!/bin/sh
# Runs a Windows program under Wine for ctest. WINEPREFIX and DISPLAY come from the test script.
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
exec wine "$@"
