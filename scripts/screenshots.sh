#!/usr/bin/env bash
# Pictures every dialog of the program, one PNG each, into OUTDIR:
#   bash scripts/screenshots.sh OUTDIR
# Builds the two programs it runs (and what they need), then runs
# dialog_gallery.exe inside a private Xvfb display; the program shows each dialog
# in turn and pictures the screen around it with ImageMagick's import; the three
# converter tools (audiomux.png, mkvmux.png, rgbtoyuv420p.png) with a recording's
# files filled in. main.png is the real Glintcast.exe's main window, after its
# opening messages have been answered and its about box closed (the session has a
# null sink, so the sound lists are filled as on a machine with sound).
# Exits non-zero when a dialog could not be pictured.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
mkdir -p "$1"
out=$(cd "$1" && pwd)
"$top/scripts/build.sh" dialog_gallery main_window_picture
. "$top/scripts/wine-env.sh"
# The real ImageMagick program: a stand-in of the same name may come first on PATH.
import=$(command -v import-im6.q16 || command -v import)

trap wine_session_stop EXIT
wine_session_start --sound
"$WINE" "$build/tests/gallery/dialog_gallery.exe" "$import" "$out" </dev/null
"$WINE" "$build/tests/program/main_window_picture.exe" "$build/app/Glintcast.exe" "$import" "$out/main.png" \
  </dev/null | tr -d '\r'
ls "$out"/*.png
