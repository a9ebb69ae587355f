#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (CMAKE_CROSSCOMPILING_EMULATOR).
# Wine's output goes into files, copied out when the program has ended: whatever
# Wine starts from the program inherits its descriptors and may outlive it (the
# desktop's explorer.exe, which stays until the desktop has been unused for a
# second, so during a parallel run for minutes), and ctest waits until nothing
# holds its pipes any more.
# Under a full parallel run Wine's loader now and then ends at once with code 1
# before the program has run at all (no output, a few milliseconds). Every test
# program prints at least the test it runs, so a run that ends in failure with
# no output at all is taken as such a start failure and started once more.
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
err=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  /usr/lib/wine/wine64 "$@" >"$out" 2>"$err"
  rc=$?
  cat "$err" >&2
  if [ $rc -eq 0 ] || [ -s "$out" ] || [ $attempt -eq 2 ]; then
    cat "$out"
    exit $rc
  fi
  echo "[wine-run] Wine ended with $rc before the program wrote anything; starting it again" >&2
done
