#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Concurrent, Test, the windows
# platform plugin, bundled png/zlib/freetype/harfbuzz/pcre2; optimised for
# size), libjpeg-turbo 2.1.5 with its SIMD code (a static library linked into
# Qt's JPEG plugin) and libexif 0.6.24 for x86_64-w64-mingw32, from Debian
# 12's own source packages, into PREFIX. About 45-60 minutes on 2 cores.
# Needs nasm besides the Windows leg's packages.
# Usage: build-qt6-mingw.sh PREFIX [WORKDIR]
set -euo pipefail
prefix=${1:?usage: build-qt6-mingw.sh PREFIX [WORKDIR]}
work=${2:-$(mktemp -d /tmp/qt6-mingw-XXXX)}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
mkdir -p "$work/lists/partial" && cd "$work"

# Source packages from the same archive, without touching the system's
# package lists.
sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > src.sources
O=(-o Dir::Etc::SourceList="$work/src.sources" -o Dir::Etc::SourceParts=/dev/null -o Dir::State::Lists="$work/lists")
apt-get update "${O[@]}" >/dev/null
apt-get source --download-only "${O[@]}" qt6-base=6.4.2+dfsg-10 libexif libjpeg-turbo=1:2.1.5-2 >/dev/null
rm -rf qtbase-everywhere-src-6.4.2 libexif-libexif-0_6_24-release libjpeg-turbo-2.1.5 build jpeg-build jpeg-install
tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
tar xf libexif_0.6.24.orig.tar.gz
tar xf libjpeg-turbo_2.1.5.orig.tar.gz
# Debian's own patches, in Debian's order; among them the fix to the x86-64
# SIMD dispatcher that sets up each thread's SIMD choice before every use.
tar xf libjpeg-turbo_2.1.5-2.debian.tar.xz -C libjpeg-turbo-2.1.5
grep -Ev '^[[:space:]]*(#|$)' libjpeg-turbo-2.1.5/debian/patches/series | while read -r p; do
    patch -d libjpeg-turbo-2.1.5 -p1 < "libjpeg-turbo-2.1.5/debian/patches/$p" >/dev/null
done

# Debian's tarball drops the Wintab header (so tablet input through Wintab is
# left out), and with OpenGL off the dynamic-GL branch must not be compiled.
patch -d qtbase-everywhere-src-6.4.2 -p0 < "$here/qt6-mingw-plugin.patch"

# The project's own toolchain file; the prefix being built is where the
# finished libraries will be found.
export KELVANE_QT_MINGW=$prefix

# libjpeg-turbo with its SIMD code (NASM; SSE2 and AVX2 are chosen at run
# time), as a static library for Qt's JPEG plugin: the libjpeg v8 API with
# arithmetic coding, as Qt's bundled copy has it. REQUIRE_SIMD fails the
# build rather than fall back to the plain C code. Only the library, its
# headers and its licence go into the prefix.
cmake -S libjpeg-turbo-2.1.5 -B jpeg-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$work/jpeg-install" -DCMAKE_ASM_NASM_COMPILER=/usr/bin/nasm \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DWITH_JPEG8=ON \
  -DWITH_ARITH_DEC=ON -DWITH_ARITH_ENC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DWITH_12BIT=OFF >/dev/null
nice cmake --build jpeg-build --parallel 2 >/dev/null
cmake --install jpeg-build >/dev/null
mkdir -p "$prefix/lib" "$prefix/include" "$prefix/doc/libjpeg-turbo"
cp jpeg-install/lib/libjpeg.a "$prefix/lib/"
cp jpeg-install/include/{jpeglib,jerror,jmorecfg,jconfig}.h "$prefix/include/"
cp libjpeg-turbo-2.1.5/{LICENSE.md,README.ijg} "$prefix/doc/libjpeg-turbo/"

# Qt: the JPEG plugin links the libjpeg-turbo above, named by path so that
# nothing of the host's can be picked; the release build is optimised for
# size (-Os).
cmake -S qtbase-everywhere-src-6.4.2 -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_xml=OFF -DFEATURE_concurrent=ON -DFEATURE_testlib=ON -DFEATURE_icu=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=ON -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
  -DJPEG_INCLUDE_DIR:PATH="$prefix/include" -DJPEG_LIBRARY_RELEASE:FILEPATH="$prefix/lib/libjpeg.a" \
  -DFEATURE_optimize_size=ON
# Stop here rather than build a Qt that quietly took another libjpeg, or none.
grep -q '^FEATURE_system_jpeg:BOOL=ON$' build/CMakeCache.txt
grep -Eq '^QT_FEATURE_system_jpeg:INTERNAL=(ON|TRUE|1)$' build/CMakeCache.txt
grep -qx "JPEG_LIBRARY_RELEASE:FILEPATH=$prefix/lib/libjpeg.a" build/CMakeCache.txt
grep -Eq '^QT_FEATURE_optimize_size:INTERNAL=(ON|TRUE|1)$' build/CMakeCache.txt
nice cmake --build build --parallel 2
cmake --install build

cd libexif-libexif-0_6_24-release
autoreconf -fi >/dev/null
./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --prefix="$prefix" \
  --disable-nls --disable-docs --enable-shared --disable-static >/dev/null
make -C libexif -j2 >/dev/null && make -C libexif install >/dev/null && make install-pkgconfigDATA >/dev/null
echo "Qt 6.4.2 and libexif for x86_64-w64-mingw32 installed in $prefix"
