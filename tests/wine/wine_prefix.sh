#!/bin/sh
# The Wine prefix of the wine tests: "make" makes a fresh one at $2 (once per
# run); "end" ends every process still running in it and removes it.
set -eu
export WINEPREFIX="$2" WINEDEBUG=-all
case "$1" in
make)
  rm -rf "$WINEPREFIX"
  wineboot -i
  wineserver -w
  ;;
end)
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k || true
    wineserver -w || true
    rm -rf "$WINEPREFIX"
  fi
  ;;
*)
  echo "usage: wine_prefix.sh make|end PREFIX" >&2
  exit 64
  ;;
esac
