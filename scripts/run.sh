#!/usr/bin/env bash
# Builds Glintcast.exe (and nothing else) and runs it under Wine:
#   bash scripts/run.sh [--dir FOLDER]
# The program runs in FOLDER (default build/run), so its recordings go into
# FOLDER/Glintcast_Output and it looks for ffmpeg.exe there.
# With DISPLAY set it shows on that display and records from the user's own sound
# server when one answers (else from a private null sink). Without DISPLAY it runs
# in a private Xvfb display with a null sink and pictures that display every few
# seconds. Ctrl+C ends the program and everything this script started; the script
# ends when the program ends, with its exit code.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLINTCAST_BUILD:-$top/build}
run_dir=$build/run
case ${1:-} in
  --dir) run_dir=${2:?usage: $0 [--dir FOLDER]} ;;
  "") ;;
  *) echo "usage: $0 [--dir FOLDER]" >&2; exit 2 ;;
esac
mkdir -p "$run_dir"
run_dir=$(cd "$run_dir" && pwd)

# Only the program and what it needs, not the tests.
"$top/scripts/build.sh" Glintcast
. "$top/scripts/wine-env.sh"
exe=$build/app/Glintcast.exe
say() { printf '[run] %s\n' "$*"; }

shots_pid=""
program_pid=""
stop_everything() {
  trap - INT TERM EXIT
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  if [ -n "$shots_pid" ]; then kill -- -"$shots_pid" 2>/dev/null || true; fi
  # Ends whatever Wine still runs in this prefix (its services, a converter).
  wine_session_stop
}
trap stop_everything EXIT
trap 'say "stopping"; exit 130' INT TERM

if [ -n "${DISPLAY:-}" ]; then
  # The user's sound server (PulseAudio or PipeWire's), found before the session
  # moves XDG_RUNTIME_DIR to a private folder.
  server=$(LC_ALL=C pactl info 2>/dev/null | sed -n 's/^Server String: //p' || true)
  if [ -n "$server" ]; then
    case $server in /*) server=unix:$server ;; esac
    export PULSE_SERVER=$server
    wine_session_start --display
    say "on display $DISPLAY, sound from the sound server at $server"
  else
    wine_session_start --display --sound
    say "on display $DISPLAY; no sound server answered, so sound comes from a private null sink"
    say "(play into it with: XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR paplay -d glintcast FILE)"
  fi
else
  wine_session_start --sound
  shot=$build/run-screen.png
  import=$(command -v import-im6.q16 || command -v import)
  setsid bash -c 'while :; do
      "$1" -display "$2" -window root "$3.tmp.png" 2>/dev/null && mv -f "$3.tmp.png" "$3"
      sleep 3
    done' shots "$import" "$DISPLAY" "$shot" </dev/null >/dev/null 2>&1 &
  shots_pid=$!
  say "no DISPLAY: running in a private Xvfb display $DISPLAY with a null sink for sound"
  say "a picture of that display is written to $shot every 3 seconds"
  say "(play into the sink with: XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR paplay -d glintcast FILE)"
fi
say "current directory: $run_dir (recordings go into $run_dir/Glintcast_Output)"
say "Ctrl+C stops the program"

cd "$run_dir"
"$WINE" "$exe" </dev/null &
program_pid=$!
set +e
wait "$program_pid"
rc=$?
set -e
program_pid=""
say "Glintcast.exe ended with exit code $rc"
exit $rc
