#!/usr/bin/env bash
# Builds Glintcast.exe (and nothing else) and runs it under Wine:
#   bash scripts/run.sh [--dir FOLDER] [--vnc]
# The program runs in FOLDER (default build/run), so its recordings go into
# FOLDER/Glintcast_Output and it looks for ffmpeg.exe there.
# With DISPLAY set it shows on that display and records from the user's own sound
# server when one answers (else from a private null sink). Without DISPLAY, or
# with --vnc, it runs in a private Xvfb display of the prefix's desktop size with
# a null sink and pictures that display every few seconds; --vnc also serves that
# display to VNC viewers on 127.0.0.1, behind a password it prints. Ctrl+C ends
# the program and everything this script started (exit code 130); otherwise the
# script ends when the program ends, with its exit code.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLINTCAST_BUILD:-$top/build}
run_dir=$build/run
vnc=0
usage="usage: $0 [--dir FOLDER] [--vnc]"
while [ $# -gt 0 ]; do
  case $1 in
    --dir) run_dir=${2:?$usage}; shift ;;
    --vnc) vnc=1 ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
  shift
done
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
# A Ctrl+C may also have ended a pager or tee that reads our output: the last
# word must not turn the exit code into a broken pipe's.
trap 'trap "" PIPE; say "stopping" || true; exit 130' INT
trap 'trap "" PIPE; say "stopping" || true; exit 143' TERM

if [ -n "${DISPLAY:-}" ] && [ $vnc = 0 ]; then
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
  if [ -n "${DISPLAY:-}" ]; then say "--vnc: a private display rather than DISPLAY $DISPLAY"; fi
  vnc_args=()
  if [ $vnc = 1 ]; then vnc_args=(--vnc); fi
  # The prefix's desktop fills the whole display: its pictures have no black band.
  wine_session_start --sound --size "$wine_desktop_size" "${vnc_args[@]}"
  shot=$build/run-screen.png
  import=$(command -v import-im6.q16 || command -v import)
  setsid bash -c 'while :; do
      "$1" -display "$2" -window root "$3.tmp.png" 2>/dev/null && mv -f "$3.tmp.png" "$3"
      sleep 3
    done' shots "$import" "$DISPLAY" "$shot" </dev/null >/dev/null 2>&1 &
  shots_pid=$!
  say "running in a private Xvfb display $DISPLAY ($wine_desktop_size) with a null sink for sound"
  if [ $vnc = 1 ]; then
    say "VNC: connect a viewer to 127.0.0.1:$vnc_port (VNC display 127.0.0.1:$((vnc_port - 5900)),"
    say "  e.g. vncviewer 127.0.0.1::$vnc_port), password $vnc_password"
    say "  it listens on 127.0.0.1 only; from another machine: ssh -L $vnc_port:127.0.0.1:$vnc_port THIS-MACHINE"
  else
    say "the program opens with message boxes that wait for an answer; to see and answer them,"
    say "  run with --vnc (bash scripts/run.sh --vnc), which serves this display to a VNC viewer"
  fi
  say "a picture of that display is written to $shot every 3 seconds"
  say "(play into the sink with: XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR paplay -d glintcast FILE)"
fi
say "current directory: $run_dir (recordings go into $run_dir/Glintcast_Output)"
say "Ctrl+C stops the program and everything this script started (exit code 130)"

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
