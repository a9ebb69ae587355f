#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (CMAKE_CROSSCOMPILING_EMULATOR).
# Under a full parallel run Wine's loader now and then ends at once with code 1
# before the program has run at all (no output, a few milliseconds). Every test
# program prints at least the test it runs, so a run that ends in failure with
# no output at all is taken as such a start failure and started once more.
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
  /usr/lib/wine/wine64 "$@" >"$out"
  rc=$?
  if [ $rc -eq 0 ] || [ -s "$out" ] || [ $attempt -eq 2 ]; then
    cat "$out"
    exit $rc
  fi
  echo "[wine-run] Wine ended with $rc before the program wrote anything; starting it again" >&2
done
