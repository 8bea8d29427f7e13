#!/usr/bin/env bash
# The Debian packages as a tester and another team get them: built by
# scripts/package from a release tree of their own, lintian-clean, installed
# together with dpkg into a scratch root, hardened, and usable from there.
set -euo pipefail
src=$1
work=$2
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

mapfile -t debs < <(QX_RELEASE_DIR="$work/build" "$src/scripts/package" | grep '\.deb$')
printf 'package: %s\n' "${debs[@]}"
[ ${#debs[@]} -eq 3 ] || fail "expected three packages"
deb_of() { printf '%s\n' "${debs[@]}" | grep "/$1_" || fail "no package $1"; }
field() { dpkg-deb -f "$(deb_of "$1")" "$2"; }

version=$(field qxbeta Version)
field qxbeta Depends | grep -q "libqxcompress5 (= $version)" || fail "qxbeta does not need its own library version"
field qxbeta Depends | grep -q libqt6widgets6 || fail "Qt 6 runtime not declared"
field qxbeta Recommends | grep -qx xdg-utils || fail "xdg-utils not recommended"
field libqxcompress-dev Depends | grep -q "libqxcompress5 (= $version)" || fail "-dev not tied to its library"
field libqxcompress5 Depends | grep -q libc6 || fail "library's dependencies not computed"
# The library's linker cache is refreshed by the trigger alone, not by maintainer scripts.
lib_control=$(dpkg-deb --ctrl-tarfile "$(deb_of libqxcompress5)" | tar -t | sed 's|^\./||' | grep . | sort | xargs)
[ "$lib_control" = "control md5sums shlibs symbols triggers" ] || fail "library control files: $lib_control"

# Errors and warnings fail; informational tags are only shown.
lintian --fail-on error,warning --display-info "${debs[@]}"

stage="$work/root"
rm -rf "$stage"
mkdir -p "$stage/var/lib/dpkg/info" "$stage/var/lib/dpkg/updates"
: > "$stage/var/lib/dpkg/status"
# The scratch root has no libc or Qt; every file of the three must install side by side.
dpkg --root="$stage" --force-depends --force-not-root -i "${debs[@]}" >/dev/null 2>"$work/dpkg.log" \
  || { cat "$work/dpkg.log"; fail "dpkg -i"; }
owner() { dpkg --root="$stage" -S "$1" 2>/dev/null | cut -d: -f1; }

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
libdir=/usr/lib/$multiarch
expected=(
  qxbeta:/usr/bin/qxbeta qxbeta:/usr/bin/qxr qxbeta:/usr/share/qxbeta/aide.html
  qxbeta:/usr/share/applications/qxbeta.desktop qxbeta:/usr/share/qxbeta/qxbeta-autostart.desktop
  qxbeta:/usr/share/icons/hicolor/scalable/apps/qxbeta.svg qxbeta:/usr/share/doc/qxbeta/copyright
  libqxcompress5:$libdir/libqxcompress.so.5 libqxcompress5:/usr/share/doc/libqxcompress5/copyright
  libqxcompress-dev:/usr/include/qxcompress.h libqxcompress-dev:$libdir/libqxcompress.so
  libqxcompress-dev:$libdir/pkgconfig/qxcompress.pc
  libqxcompress-dev:$libdir/cmake/qxcompress/qxcompressConfig.cmake
  libqxcompress-dev:/usr/share/doc/libqxcompress-dev/copyright
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("qxbeta:/usr/share/icons/hicolor/${size}x${size}/apps/qxbeta.png")
done
# Every manual page kept in packaging/man, in its language's directory.
while IFS= read -r page; do
  lang=$(dirname "$page")
  [ "$lang" = . ] && lang="" || lang="$lang/"
  expected+=("qxbeta:/usr/share/man/${lang}man${page##*.}/$(basename "$page").gz")
done < <(cd "$src/packaging/man" && find . -type f -name '*.[1-9]' -printf '%P\n')
for entry in "${expected[@]}"; do
  package=${entry%%:*} path=${entry#*:}
  [ -e "$stage$path" ] || fail "missing $path"
  [ "$(owner "$path")" = "$package" ] || fail "$path is not in $package"
done
[ "$(readlink "$stage$libdir/libqxcompress.so")" = libqxcompress.so.5 ] || fail "development link"
[ "$(objdump -p "$stage$libdir/libqxcompress.so.5" | awk '$1 == "SONAME" { print $2 }')" = libqxcompress.so.5 ] \
  || fail "SONAME"

# Stack protector, fortified calls, read-only relocations bound at start, PIE.
# Not control-flow marks: Debian 12's own start files have none, so no binary
# linked here carries them (its /usr/bin/ls neither). The library hands read,
# memcpy and memset only buffers whose size is known at run time, so the
# compiler has no call to fortify there and hardening-check would find "only
# unprotected functions": that the release tree compiled every file with
# fortification stands for it.
elf() { file -b "$1" | grep -q '^ELF'; }
while IFS= read -r binary; do
  elf "$binary" || continue
  case $binary in
    *.so.*) hardening-check --nocfprotection --nofortify "$binary" ;;
    *) hardening-check --nocfprotection "$binary" ;;
  esac || fail "hardening of ${binary#"$stage"}"
done < <(find "$stage/usr" -type f \( -perm -u+x -o -name '*.so.*' \))
commands=$(grep -c '"command":' "$work/build/compile_commands.json")
fortified=$(grep '"command":' "$work/build/compile_commands.json" | grep -c -- '-D_FORTIFY_SOURCE=2')
[ "$commands" -gt 0 ] && [ "$commands" -eq "$fortified" ] || fail "not every file fortified"

export LD_LIBRARY_PATH="$stage$libdir"
qxr="$stage/usr/bin/qxr"
"$qxr" --help | grep -q pack || fail "qxr --help"
head -c 200000 /dev/urandom > "$work/random.bin"
seq 1 40000 > "$work/text.txt"
rm -rf "$work/out" && mkdir -p "$work/out"
"$qxr" pack "$work/text.txt" "$work/text.qxr"
"$qxr" unpack "$work/text.qxr" "$work/out/"
cmp "$work/text.txt" "$work/out/text.txt" || fail "round trip of the text"
# Random bytes do not pack: the archive is a plain copy, written into an existing file.
"$qxr" pack "$work/random.bin" "$work/random.qxr"
: > "$work/out/random.bin"
"$qxr" unpack "$work/random.qxr" "$work/out/random.bin"
cmp "$work/random.bin" "$work/out/random.bin" || fail "round trip of the plain copy"

# A program of another team finds the library through pkg-config, and through CMake.
user="$work/user"
rm -rf "$user" && mkdir -p "$user"
cat > "$user/user.c" <<'C'
#include <qxcompress.h>
int main(void) { return lfTailleCompacte(0, "/nonexistent") == -1 ? 0 : 1; }
C
PKG_CONFIG_SYSROOT_DIR="$stage" PKG_CONFIG_LIBDIR="$stage$libdir/pkgconfig" \
  sh -c 'cc -Wall -Werror "$1" -o "$2" $(pkg-config --cflags --libs qxcompress)' _ "$user/user.c" "$user/user"
"$user/user" || fail "program linked with pkg-config"
cat > "$user/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(user C)
find_package(qxcompress 5 REQUIRED)
add_executable(user user.c)
target_link_libraries(user PRIVATE qxcompress::qxcompress)
CMAKE
cmake -S "$user" -B "$user/build" -DCMAKE_PREFIX_PATH="$stage/usr" >/dev/null
cmake --build "$user/build" >/dev/null
"$user/build/user" || fail "program linked with the CMake package"
echo "package test passed"
