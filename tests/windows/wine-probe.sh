#!/bin/sh
# Tries Wine, the way the tests will use it: makes the prefix the first time (without the
# installers that would ask for .NET or a browser engine), then starts a trivial program in it.
# Writes "ok", or the reason it failed, to STATUS_FILE; exits 77 (skipped) when Wine cannot run.
# usage: wine-probe.sh STATUS_FILE WINE   (WINEPREFIX and the rest of Wine's setting in the environment)
set -u
status=$1 wine=$2
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# fail EXIT_CODE WHAT SECONDS: the reason is Wine's own last line, or that it did not finish.
fail() {
  reason=$(grep -v '^[[:space:]]*$' "$log" | tail -n 1)
  if [ "$1" -eq 124 ]; then reason="$2 had not finished after $3 s"
  elif [ -z "$reason" ]; then reason="$2 failed with exit code $1"; fi
  echo "$reason" >"$status"
  echo "Wine cannot run the Windows test programs on this machine: $reason"
  exit 77
}

rm -f "$status"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  rm -rf "$WINEPREFIX"
  timeout 300 "$wine" wineboot -i >"$log" 2>&1 ||
    { code=$?; wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"; fail $code "wineboot" 300; }
  # The prefix is complete once the server has written it out.
  timeout 120 wineserver -w >/dev/null 2>&1
fi
timeout 120 "$wine" cmd /c exit 0 >"$log" 2>&1 || fail $? "a trivial program (cmd /c exit 0)" 120
echo ok >"$status"
echo "Wine runs Windows programs here: $("$wine" --version 2>/dev/null)"
