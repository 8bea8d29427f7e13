#!/usr/bin/env bash
set -euo pipefail
src=$1
work=$2
mkdir -p "$work"
deb=$(QX_RELEASE_DIR="$work/build" "$src/scripts/package" | tail -n 1)
echo "package: $deb"

stage="$work/root"
rm -rf "$stage"
mkdir -p "$stage"
dpkg-deb -x "$deb" "$stage"

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in usr/bin/qxbeta usr/bin/qxr usr/include/qxcompress.h \
         usr/share/applications/qxbeta.desktop usr/share/icons/hicolor/scalable/apps/qxbeta.svg \
         usr/share/man/man1/qxr.1.gz usr/share/doc/qxbeta/copyright; do
  [ -e "$stage/$f" ] || fail "missing $f"
done
libdir=$(dirname "$(find "$stage/usr/lib" -name 'libqxcompress.so.*' -type f | head -n 1)")
[ -n "$libdir" ] && [ -e "$libdir/libqxcompress.so" ] || fail "missing libqxcompress.so"
[ -e "$libdir/pkgconfig/qxcompress.pc" ] || fail "missing pkg-config file"
[ -e "$libdir/cmake/qxcompress/qxcompressConfig.cmake" ] || fail "missing CMake package"
dpkg-deb -f "$deb" Depends | grep -q libqt6 || fail "Qt 6 runtime not declared"

export LD_LIBRARY_PATH="$libdir"
"$stage/usr/bin/qxr" --help | grep -q pack || fail "qxr --help"
head -c 200000 /dev/urandom > "$work/random.bin"
seq 1 40000 > "$work/text.txt"
rm -rf "$work/out" && mkdir -p "$work/out"
"$stage/usr/bin/qxr" pack "$work/text.txt" "$work/text.qxr"
"$stage/usr/bin/qxr" unpack "$work/text.qxr" "$work/out/"
cmp "$work/text.txt" "$work/out/text.txt" || fail "round trip of the text"
# Random bytes do not pack: the archive is a plain copy, written into an existing file.
"$stage/usr/bin/qxr" pack "$work/random.bin" "$work/random.qxr"
: > "$work/out/random.bin"
"$stage/usr/bin/qxr" unpack "$work/random.qxr" "$work/out/random.bin"
cmp "$work/random.bin" "$work/out/random.bin" || fail "round trip of the plain copy"

# A program of another team finds the library through pkg-config.
cat > "$work/user.c" <<'C'
#include <qxcompress.h>
int main(void) { return lfTailleCompacte(0, "/nonexistent") == -1 ? 0 : 1; }
C
PKG_CONFIG_SYSROOT_DIR="$stage" PKG_CONFIG_LIBDIR="$libdir/pkgconfig" \
  sh -c 'cc "$1" -o "$2" $(pkg-config --cflags --libs qxcompress)' _ "$work/user.c" "$work/user"
"$work/user" || fail "program linked with pkg-config"

lintian --fail-on error --suppress-tags dir-or-file-in-opt "$deb"
echo "package test passed"
