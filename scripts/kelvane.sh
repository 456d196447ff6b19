#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian 12 machine for Kelvane, builds it, and runs it or its tests.
#   scripts/kelvane.sh run    install what is missing, build, start the program
#   scripts/kelvane.sh test   install what is missing, build, run every test:
#                             the suite with its end-to-end tests, the suite
#                             again under sanitizers, the fuzz targets, and the
#                             Debian package (scripts/package.sh), and the
#                             Windows leg (scripts/windows.sh) when a Qt for
#                             Windows is at hand;
#                             KELVANE_SKIP_SANITIZERS=1, KELVANE_SKIP_FUZZ=1,
#                             KELVANE_SKIP_PACKAGE=1 and KELVANE_SKIP_WINDOWS=1
#                             leave those out
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-tools-dev qt6-l10n-tools libglib2.0-dev libexif-dev libseccomp-dev
                libxcb1-dev zlib1g-dev shared-mime-info fonts-dejavu-core)
# The image plugins many desktops have, so that the tests and the fuzzers
# see every format the decoding helper may meet.
test_packages=(qt6-image-formats-plugins libqt6svg6 python3 xvfb xdotool twm openbox imagemagick chromium desktop-file-utils appstream util-linux fuse3
               clang libclang-rt-14-dev python3-pyatspi python3-fusepy at-spi2-core dbus-daemon orca weston qt6-wayland
               qt6-translations-l10n fonts-droid-fallback)
package_packages=(dpkg-dev debhelper lintian man-db)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() { # build_dir, extra cmake arguments...
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DKELVANE_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" --parallel
}

case "${1:-}" in
run)
    install_missing "${build_packages[@]}"
    build build -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCH=OFF
    exec ./build/src/kelvane
    ;;
test)
    install_missing "${build_packages[@]}" "${test_packages[@]}" "${package_packages[@]}"
    build build -DKELVANE_E2E_TESTS=ON
    (cd build && ctest --output-on-failure --timeout 300)
    if [ -z "${KELVANE_SKIP_SANITIZERS:-}" ]; then
        echo "== The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer =="
        build build-asan -DCMAKE_BUILD_TYPE=Debug -DKELVANE_SANITIZE=ON -DKELVANE_BUILD_BENCH=OFF \
            -DKELVANE_E2E_TESTS=ON
        (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0" \
            ctest --output-on-failure --timeout 600)
    fi
    if [ -z "${KELVANE_SKIP_FUZZ:-}" ]; then
        echo "== Fuzzing: each target for ${KELVANE_FUZZ_SECONDS:-30} seconds =="
        bash scripts/fuzz.sh "${KELVANE_FUZZ_SECONDS:-30}"
    fi
    if [ -z "${KELVANE_SKIP_PACKAGE:-}" ] && command -v dpkg-buildpackage >/dev/null \
        && command -v lintian >/dev/null; then
        echo "== The Debian package: build, lintian, install, check, remove =="
        # The unit tests have just run twice; the package's own build of
        # them (dh_auto_test) is left out here to keep the command short.
        DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" bash scripts/package.sh
    fi
    if [ -n "${KELVANE_SKIP_WINDOWS:-}" ]; then
        echo "== Windows leg skipped: KELVANE_SKIP_WINDOWS is set =="
    elif [ -n "${KELVANE_QT_MINGW:-}" ] || [ -f "$root/../shared/toolchains/qt6-mingw-6.4.2-simd.tar.xz" ]; then
        echo "== Windows: cross-build, unit tests under Wine, installer and zip =="
        bash scripts/windows.sh all
    else
        echo "== Windows leg skipped: no Qt for Windows (set KELVANE_QT_MINGW, or provide ../shared/toolchains/) =="
    fi
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
