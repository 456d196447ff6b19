#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Concurrent, Test, the windows
# platform plugin, bundled jpeg/png/zlib/freetype/harfbuzz/pcre2) and libexif
# 0.6.24 for x86_64-w64-mingw32 from Debian 12's own source packages, into
# PREFIX. About 45-60 minutes on 2 cores.
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
apt-get source --download-only "${O[@]}" qt6-base=6.4.2+dfsg-10 libexif >/dev/null
rm -rf qtbase-everywhere-src-6.4.2 libexif-libexif-0_6_24-release build
tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
tar xf libexif_0.6.24.orig.tar.gz

# Debian's tarball drops the Wintab header (so tablet input through Wintab is
# left out), and with OpenGL off the dynamic-GL branch must not be compiled.
patch -d qtbase-everywhere-src-6.4.2 -p0 < "$here/qt6-mingw-plugin.patch"

# The project's own toolchain file; the prefix being built is where the
# finished libraries will be found.
export KELVANE_QT_MINGW=$prefix
cmake -S qtbase-everywhere-src-6.4.2 -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_xml=OFF -DFEATURE_concurrent=ON -DFEATURE_testlib=ON -DFEATURE_icu=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
nice cmake --build build --parallel 2
cmake --install build

cd libexif-libexif-0_6_24-release
autoreconf -fi >/dev/null
./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --prefix="$prefix" \
  --disable-nls --disable-docs --enable-shared --disable-static >/dev/null
make -C libexif -j2 >/dev/null && make -C libexif install >/dev/null && make install-pkgconfigDATA >/dev/null
echo "Qt 6.4.2 and libexif for x86_64-w64-mingw32 installed in $prefix"
