#!/bin/bash
# make-prefix.sh PREFIX: a quiet 64-bit Wine prefix for Orvane: no Gecko/Mono attempts, Wine's
# TrueType fonts (Marlett, Tahoma) where programs find them, and one virtual desktop for every
# process so that windows get Wine-drawn captions and frames without a window manager.
# Uses a transient wineserver only and waits for it to end.
set -u
PFX="$1"
rm -rf "$PFX.new"; mkdir -p "$(dirname "$PFX")"
export WINEPREFIX="$PFX.new" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winealsa.drv,winepulse.drv,wineoss.drv="
unset DISPLAY
# wineboot under a persistent server leaves two services.exe behind: transient server only
wineboot -i >/dev/null 2>&1 || { echo "make-prefix: wineboot failed" >&2; exit 1; }
wineserver -w
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 || exit 1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 || exit 1
wineserver -w
rm -rf "$PFX" && mv "$PFX.new" "$PFX" && touch "$PFX/.orv-ready"
