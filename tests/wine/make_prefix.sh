#!/bin/sh
# A fresh Wine prefix at $1 for the wine tests, made once per run.
set -eu
rm -rf "$1"
WINEPREFIX="$1" WINEDEBUG=-all wineboot -i
WINEPREFIX="$1" wineserver -w
