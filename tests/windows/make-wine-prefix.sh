#!/bin/sh
# Makes the Wine prefix the Windows tests run in (WINEPREFIX is set by the caller). Windows are
# left unmanaged: with no window manager on the test display, Wine would otherwise wait two
# seconds for one each time a window goes.
set -e
wineboot --init
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wineserver --wait
