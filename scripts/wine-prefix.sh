#!/usr/bin/env bash
# Creates the Wine prefix the tests and the program run in: Windows 10, no crash dialog,
# Chinese fonts, caption-button fonts, and a virtual desktop that draws window frames.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$top/scripts/wine-env.sh"

# The stamp is written last; a prefix without it is what an interrupted set-up left.
stamp=$WINEPREFIX/.glintcast-prefix-3
[ -f "$stamp" ] && exit 0
echo "[setup] preparing the Wine prefix $WINEPREFIX"
trap wine_session_stop EXIT
trap 'exit 130' INT TERM

# Wine notes a prefix as made before it makes it, so an interrupted first
# "wineboot --init" leaves a shell that later runs never fill. The build folder's
# own prefix is therefore made again from scratch; one that WINEPREFIX names
# elsewhere is never removed, only finished in place.
if [ -d "$WINEPREFIX" ] && [ "$WINEPREFIX" = "$build/wine" ]; then
  echo "[setup] the prefix is unfinished (an interrupted set-up): making it again"
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi

# Everything runs on a display of its own: a wineserver whose desktop started
# without one breaks later GUI programs. Over an existing prefix the session's
# server is persistent, so nothing here may wait for it to end (wineserver -w).
wine_session_start

mkdir -p "$(dirname "$WINEPREFIX")"
"$WINE" wineboot --init </dev/null >/dev/null 2>&1 || true
if [ ! -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
  echo "[setup] $WINEPREFIX is not a whole Wine prefix: remove it and run the set-up again" >&2
  exit 1
fi

# In the session folder, which the session's stop removes.
reg=$session_dir/settings.reg
cat > "$reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="$wine_desktop_size"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Microsoft YaHei"="WenQuanYi Micro Hei"
"Microsoft YaHei UI"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"
"微软雅黑"="WenQuanYi Micro Hei"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Tahoma"=hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00
"MS Shell Dlg"=hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00
"MS Shell Dlg 2"=hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00
REG
# regedit reads .reg files as UTF-16 when they carry a BOM; the Chinese names need it.
iconv -f UTF-8 -t UTF-16 "$reg" > "$reg.utf16"
"$WINE" regedit /S "$(winepath_of "$reg.utf16")" </dev/null >/dev/null 2>&1

# Debian's Wine does not find fonts-wine's fonts (caption buttons show letters without them).
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
dpkg -L fonts-wine | grep -E '\.(ttf|ttc|fon)$' | while read -r f; do cp -f "$f" "$fonts/"; done

# Ending the server writes the registry out; the stamp only follows settings on disk.
"$WINESERVER" -k 2>/dev/null || true
if ! grep -q '^"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
  echo "[setup] the Wine prefix's settings did not reach $WINEPREFIX/user.reg" >&2
  exit 1
fi
touch "$stamp"
