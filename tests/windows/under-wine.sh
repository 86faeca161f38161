#!/bin/sh
# Runs COMMAND when the Wine probe found that this machine runs Windows programs; otherwise says
# why not and exits 77, which the tests take as skipped.
# usage: under-wine.sh STATUS_FILE COMMAND [ARGUMENT...]
status=$1
shift
if [ "$(cat "$status" 2>/dev/null)" != ok ]; then
  echo "skipped: Wine cannot run Windows programs on this machine:" \
    "$(cat "$status" 2>/dev/null || echo "the probe did not run")"
  exit 77
fi
exec "$@"
