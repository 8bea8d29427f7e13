#!/bin/sh
# Installs the build tree into a staging prefix with cmake --install, builds
# the C contract program against the installed package (CMake package, and
# once more by hand through pkg-config) and runs it.
# Usage: c_contract_test.sh BUILD_DIR SOURCE_DIR WORK_DIR C_FLAGS
set -eu
build=$1 source=$2 work=$3 cflags=$4
rm -rf "$work"
mkdir -p "$work/files"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$source" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_C_FLAGS="$cflags" >/dev/null
cmake --build "$work/build" >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name 'libqxcompress.so' | head -n 1)")
PKG_CONFIG_PATH="$libdir/pkgconfig" cc $cflags -std=c99 -Wall -Wextra -Werror -o "$work/c_contract_pc" \
  "$source/c_contract.c" $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --define-prefix --cflags --libs qxcompress) \
  -Wl,-rpath,"$libdir"
"$work/c_contract_pc" "$work/files" >/dev/null
rm -rf "$work/files" && mkdir "$work/files"
exec "$work/build/c_contract" "$work/files"
