#!/bin/sh
# Exports the sample scene with the Linux tool (libT3dExport.so) and with the Windows program
# (T3dExport.dll under Wine) and requires the two maps to be identical byte for byte.
# usage: compare-sample-export.sh LINUX_TOOL WINE WINDOWS_PROGRAM WORK_DIR
set -eu
tool=$1 wine=$2 program=$3 work=$4

if [ -z "$tool" ] || [ ! -x "$tool" ]; then
  echo "the Linux tool is not built: '$tool' (build the dev preset first)" >&2
  exit 1
fi
rm -rf "$work"
mkdir -p "$work"
"$tool" --sample --exact -q -o "$work/linux.t3d"
# The Windows program runs beside its DLLs; its output path is relative to the shared directory.
(cd "$work" && "$wine" "$program" windows.t3d) >/dev/null

[ -s "$work/linux.t3d" ] || { echo "the Linux export is empty" >&2; exit 1; }
if cmp "$work/linux.t3d" "$work/windows.t3d"; then
  echo "identical: $(wc -c <"$work/linux.t3d") bytes, $(grep -c '^Begin Actor' "$work/linux.t3d") actors"
else
  diff "$work/linux.t3d" "$work/windows.t3d" | head -20 >&2
  exit 1
fi
