#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows leg: cross-builds Kelvane with MinGW-w64, runs its unit tests
# under Wine, and makes the installer and the portable zip.
#   scripts/windows.sh [all]   everything below, in this order
#   scripts/windows.sh build   the program and its tests, and the deploy folder
#   scripts/windows.sh test    build, then the unit tests under Wine, the
#                              installer, and the road of one page with it
#   scripts/windows.sh package build, then the installer and the zip
#   scripts/windows.sh bench [N]  build, then the benchmark's cold, exif and
#                              cache cases on N pictures (default 100, or
#                              KELVANE_BENCH_COUNT) under Wine and with a
#                              Linux release build (build-bench/), one line
#                              per case side by side; run by hand, not by CI
# Qt for Windows comes from KELVANE_QT_MINGW (a prefix), else from the
# prebuilt copy in ../shared/toolchains/, else it is built from Debian's
# source packages into ~/.cache/kelvane/ (about an hour).
# Output goes to build-win/: build/, deploy/kelvane/, test-results/, dist/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
out=$root/build-win
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kelvane
# Qt optimised for size, its JPEG plugin linked with libjpeg-turbo's SIMD code.
prebuilt=$root/../shared/toolchains/qt6-mingw-6.4.2-simd.tar.xz
prebuilt_sha256=d7be9f0c19e79cd2e5eca6ebc63bf66e5e4be05f9802f7949b29ca48146391f6
version=$(sed -n 's/^project(Kelvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The host's lrelease compiles the translations; Debian's Qt translations are
# deployed beside the program.
packages=(cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n
          g++-mingw-w64-x86-64-posix wine64 nsis zip)
# The road under Wine: a private X server, real input and screenshots.
road_packages=(python3 xvfb xdotool imagemagick)

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

# Sets qt to a Qt prefix for MinGW-w64.
find_qt() {
    if [ -n "${KELVANE_QT_MINGW:-}" ]; then
        qt=$KELVANE_QT_MINGW
        [ -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ] || { echo "KELVANE_QT_MINGW=$qt holds no Qt 6" >&2; exit 1; }
        return
    fi
    if [ -f "$prebuilt" ]; then
        qt=$cache/qt6-mingw-$prebuilt_sha256/qt6-mingw
        if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
            echo "Unpacking the prebuilt Qt for Windows into $cache"
            echo "$prebuilt_sha256  $prebuilt" | sha256sum --check --quiet
            local into=$cache/qt6-mingw-$prebuilt_sha256
            rm -rf "$into.part" && mkdir -p "$into.part"
            tar xf "$prebuilt" -C "$into.part"
            rm -rf "$into" && mv "$into.part" "$into"
        fi
        return
    fi
    qt=$cache/qt6-mingw-built/qt6-mingw
    if [ ! -f "$qt/.complete" ]; then
        echo "No prebuilt Qt for Windows: building one from Debian's sources into $qt (about an hour)"
        install_missing autoconf automake libtool autopoint gettext dpkg-dev nasm
        rm -rf "$qt" && mkdir -p "$cache/qt6-mingw-built/work"
        bash scripts/windows/build-qt6-mingw.sh "$qt" "$cache/qt6-mingw-built/work"
        touch "$qt/.complete"
    fi
}

build() {
    install_missing "${packages[@]}"
    find_qt
    export KELVANE_QT_MINGW=$qt
    # CMake keeps the Qt it found first: another Qt takes a build of its own.
    if [ -f "$out/build/CMakeCache.txt" ] && [ "$(cat "$out/build/.qt-prefix" 2>/dev/null)" != "$qt" ]; then
        echo "Another Qt for Windows than the last build's: building afresh"
        rm -rf "$out/build"
    fi
    mkdir -p "$out/build" && echo "$qt" > "$out/build/.qt-prefix"
    # A compiler cache, where the machine has one, for builds run again.
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$out/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DKELVANE_QT_MINGW="$qt" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_BENCH=ON -DKELVANE_WERROR=ON \
        "${launcher[@]}" >/dev/null
    nice cmake --build "$out/build" --parallel 2
    deploy "$out/deploy/kelvane" "$out/build/kelvane.exe"
    # The tests run beside the same DLLs, with the offscreen platform too.
    deploy "$out/build" ""
    cp "$qt/plugins/platforms/qoffscreen.dll" "$out/build/platforms/"
}

# The figures of one board_refresh case: the summary line's fields, then the
# settled rate, pictures a second until every slot shows its picture.
bench_figures() { # summary line
    local line=$1 images first settled
    images=$(sed -E 's/.* images=([0-9]+).*/\1/' <<<"$line")
    first=$(sed -E 's/.* images_per_s=([0-9.]+).*/\1/' <<<"$line")
    settled=$(sed -E 's/.* settled_s=([0-9.]+).*/\1/' <<<"$line")
    awk -v n="$images" -v f="$first" -v s="$settled" 'BEGIN { printf "%.1f %.1f", f, (s > 0 ? n / s : 0) }'
}

# The benchmark's file-heavy cases under Wine and on Linux from the same
# tree, on the same machine, one after the other.
run_bench() { # picture count
    local count=$1 linux=$root/build-bench launcher=()
    [[ $count =~ ^[1-9][0-9]*$ ]] || { echo "bench: the count must be a number of pictures, not '$count'" >&2; return 2; }
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCH=ON \
        "${launcher[@]}" >/dev/null
    nice cmake --build "$linux" --target board_refresh kelvane-decoder --parallel 2
    local results=$out/bench-results
    rm -rf "$results" && mkdir -p "$results"
    local name
    for name in cold exif cache; do
        QT_QPA_PLATFORM=offscreen "$linux/bench/board_refresh" --case "$name" --count "$count" \
            >"$results/linux-$name.txt" 2>&1 || true
    done
    # The benchmark runs beside the DLLs users get, without symbols: under
    # Wine a helper loads an unstripped libstdc++ (23.7 MB) in 0.07 s more,
    # and every helper loads it again.
    local beside=$out/bench-run
    rm -rf "$beside" && deploy "$beside" ""
    cp "$out/build/board_refresh.exe" "$out/build/kelvane-decoder.exe" "$beside/"
    cp "$qt/plugins/platforms/qoffscreen.dll" "$beside/platforms/"
    find "$beside" -type f \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
    start_wine
    for name in cold exif cache; do
        (cd "$beside" && QT_QPA_PLATFORM=offscreen timeout 1800 "$wine" ./board_refresh.exe -platform offscreen \
            --case "$name" --count "$count" >"$results/wine-$name.txt" 2>&1) || true
    done
    "$wineserver" -k 2>/dev/null || true
    echo "board_refresh on $count pictures, pictures a second: first board / settled (logs in $results)"
    printf '%-6s %22s | %22s | %s\n' case Linux Wine "Linux/Wine, settled"
    local status=0
    for name in cold exif cache; do
        local l w
        l=$(grep -E "^board_refresh: case=$name " "$results/linux-$name.txt" || true)
        w=$(grep -E "^board_refresh: case=$name " "$results/wine-$name.txt" || true)
        if [ -z "$l" ] || [ -z "$w" ]; then
            echo "$name: no figures, see the logs"
            status=1
            continue
        fi
        local lf ls wf ws
        read -r lf ls <<<"$(bench_figures "$l")"
        read -r wf ws <<<"$(bench_figures "$w")"
        printf '%-6s %10s / %9s | %10s / %9s | %s\n' "$name" "$lf" "$ls" "$wf" "$ws" \
            "$(awk -v a="$ls" -v b="$ws" 'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }')"
    done
    # The cold case also decodes pictures whole, the naive way: JPEG decoding
    # itself, where the two builds' libjpeg-turbo differ most.
    local ln wn
    ln=$(grep -oE 'naive_images_per_s=[0-9.]+' "$results/linux-cold.txt" | cut -d= -f2 || true)
    wn=$(grep -oE 'naive_images_per_s=[0-9.]+' "$results/wine-cold.txt" | cut -d= -f2 || true)
    if [ -n "$ln" ] && [ -n "$wn" ]; then
        printf '%-6s %22s | %22s | %s\n' naive "$ln whole" "$wn whole" \
            "$(awk -v a="$ln" -v b="$wn" 'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }')"
    fi
    return $status
}

# Puts the program (when given), the DLLs and the plugins it loads in a folder.
deploy() { # folder, program
    local dir=$1 program=$2
    local gcc=/usr/lib/gcc/x86_64-w64-mingw32/12-posix mingw=/usr/x86_64-w64-mingw32/lib
    [ -n "$program" ] && rm -rf "$dir"
    mkdir -p "$dir/platforms" "$dir/imageformats" "$dir/styles" "$dir/translations"
    # The program decodes every picture in its helper, which starts with the
    # minimal platform: it shows nothing.
    [ -n "$program" ] && cp "$program" "$(dirname "$program")/kelvane-decoder.exe" "$dir/"
    cp "$qt"/bin/{Qt6Core,Qt6Gui,Qt6Widgets,Qt6Concurrent,libexif-12}.dll "$dir/"
    cp "$gcc/libstdc++-6.dll" "$gcc/libgcc_s_seh-1.dll" "$mingw/libwinpthread-1.dll" "$dir/"
    cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qminimal.dll" "$dir/platforms/"
    cp "$qt/plugins/imageformats/qjpeg.dll" "$qt/plugins/imageformats/qgif.dll" "$dir/imageformats/"
    cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$dir/styles/"
    # Qt's own texts (standard buttons, a text box's menu) in each language
    # the program speaks, where Qt has them; qt.conf below makes this folder
    # Qt's translations folder.
    local ts code
    for ts in "$root"/translations/kelvane_*.ts; do
        code=$(basename "$ts" .ts)
        code=${code#kelvane_}
        if [ -f "/usr/share/qt6/translations/qtbase_$code.qm" ]; then
            cp "/usr/share/qt6/translations/qtbase_$code.qm" "$dir/translations/"
        fi
    done
    # Qt looks for its plugins and translations beside the program, not in
    # the prefix it was built for.
    printf '[Paths]\nPrefix=.\nPlugins=.\n' > "$dir/qt.conf"
    # What users get carries no symbols: libstdc++ alone is 23.7 MB with them.
    # The tests keep theirs for their stack traces.
    if [ -n "$program" ]; then
        find "$dir" -type f \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
    fi
}

# One Wine prefix for the whole run, private to it.
start_wine() {
    wine=/usr/lib/wine/wine64
    wineserver=/usr/lib/wine/wineserver
    # Wine would otherwise add menu entries and MIME types to the user's own
    # desktop folders (and so change what GIO finds in the Linux tests):
    # no menu builder, and a home of its own.
    export WINEPREFIX=$out/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    export HOME=$out/winehome XDG_DATA_HOME=$out/winehome/.local/share XDG_CONFIG_HOME=$out/winehome/.config
    rm -rf "$WINEPREFIX" "$HOME" && mkdir -p "$HOME"
    "$wine" wineboot --init >/dev/null 2>&1
}

run_tests() {
    cp "$qt/bin/Qt6Test.dll" "$out/build/"
    local results=$out/test-results
    rm -rf "$results" && mkdir -p "$results"
    start_wine
    local failed=0 total_pass=0 total_fail=0 total_skip=0
    for exe in "$out"/build/tst_*.exe; do
        local name
        name=$(basename "$exe" .exe)
        local file=$results/$name.txt
        # A results file: Wine's console output does not survive a pipe.
        # Tests without a GUI take no -platform option; the environment
        # names the platform too.
        local log=$results/$name.log
        QT_QPA_PLATFORM=offscreen timeout 300 "$wine" "$exe" -platform offscreen -o "Z:${file//\//\\},txt" \
            >"$log" 2>&1 || true
        if grep -q "Unknown option: '-platform'" "$log"; then
            QT_QPA_PLATFORM=offscreen timeout 300 "$wine" "$exe" -o "Z:${file//\//\\},txt" >"$log" 2>&1 || true
        fi
        local totals
        totals=$(grep -E '^Totals:' "$file" 2>/dev/null || true)
        if [ -z "$totals" ]; then
            echo "FAIL $name: no results (crashed or timed out)"
            failed=1
            continue
        fi
        local pass fail skip
        read -r pass fail skip < <(echo "$totals" | sed -E 's/Totals: ([0-9]+) passed, ([0-9]+) failed, ([0-9]+) skipped.*/\1 \2 \3/')
        total_pass=$((total_pass + pass)); total_fail=$((total_fail + fail)); total_skip=$((total_skip + skip))
        if [ "$fail" -ne 0 ]; then
            echo "FAIL $name: $totals"
            grep -E '^FAIL!' -A2 "$file" | head -20
            failed=1
        else
            echo "ok   $name: $totals"
        fi
    done
    "$wineserver" -k 2>/dev/null || true
    run_dpi_tests "$results" || failed=1
    echo "Windows unit tests under Wine: $total_pass passed, $total_fail failed, $total_skip skipped (results in $results)"
    return $failed
}

# The window's place as Windows has it, which the offscreen platform cannot
# show: on the Windows platform, in a private X server of 1280 x 1024, at
# 96, 144 and 192 DPI.
run_dpi_tests() { # results folder
    install_missing xvfb
    local display=:$((100 + RANDOM % 400)) failed=0 dpi
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    local xvfb=$!
    sleep 1
    for dpi in 96 144 192; do
        "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        "$wineserver" -w
        local file=$1/tst_window-$dpi-dpi.txt
        DISPLAY=$display QT_QPA_PLATFORM=windows timeout 120 "$wine" "$out/build/tst_window.exe" -platform windows \
            centredOnTheFrameTheSystemDraws -o "Z:${file//\//\\},txt" >/dev/null 2>&1 || true
        if grep -q '^Totals: 3 passed, 0 failed' "$file" 2>/dev/null; then
            echo "ok   window centred on its frame at $dpi DPI"
        else
            echo "FAIL window centred on its frame at $dpi DPI"
            grep -E '^FAIL!' -A2 "$file" 2>/dev/null | head -5
            failed=1
        fi
        "$wineserver" -k 2>/dev/null || true
    done
    "$wine" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
    kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true
    return $failed
}

package() {
    local dist=$out/dist
    rm -rf "$dist" && mkdir -p "$dist"
    (cd "$out/deploy" && zip -qr "$dist/kelvane-$version-portable.zip" kelvane)
    nsis_lists "$out/deploy/kelvane"
    makensis -V2 -DVERSION="$version" -DDEPLOY="$out/deploy/kelvane" -DICON="$root/data/icons/kelvane.ico" \
        -DOUTFILE="$dist/kelvane-$version-setup.exe" "$root/scripts/windows/kelvane.nsi"
    echo "Windows packages in $dist:"
    local f
    for f in "$dist"/*; do
        megabytes "$(basename "$f")" "$(stat -c %s "$f")"
    done
    megabytes "installed" "$(du -sb "$out/deploy/kelvane" | cut -f1)"
    # A download of 10 MB or more is a Qt that lost its size optimisation.
    local zip_bytes
    zip_bytes=$(stat -c %s "$dist/kelvane-$version-portable.zip")
    if ((zip_bytes >= 10000000)); then
        echo "FAIL the portable zip is $zip_bytes bytes; it must stay under 10 MB" >&2
        return 1
    fi
    # The JPEG plugin must carry libjpeg-turbo's SIMD code (AVX2, chosen at
    # run time), so that a later Qt cannot lose it unnoticed.
    local simd
    simd=$(x86_64-w64-mingw32-objdump -d "$out/deploy/kelvane/imageformats/qjpeg.dll" | grep -c 'ymm' || true)
    if ((simd == 0)); then
        echo "FAIL imageformats/qjpeg.dll has no AVX2 (ymm) instructions: libjpeg-turbo without SIMD" >&2
        return 1
    fi
    echo "  qjpeg.dll: $simd AVX2 (ymm) instructions"
}

megabytes() { # name, bytes
    awk -v n="$1" -v b="$2" 'BEGIN { printf "  %-32s %6.1f MB\n", n, b / 1e6 }'
}

# Whether a shortcut (.lnk) starts its program in the user's Pictures.
starts_in_pictures() { # .lnk file
    python3 - "$1" <<'EOF'
import re, struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 0x14)[0]
at = 0x4C
if flags & 0x1:  # the target's item list
    at += 2 + struct.unpack_from("<H", data, at)[0]
if flags & 0x2:  # the link information
    at += struct.unpack_from("<I", data, at)[0]
start_in = ""
for flag in (0x4, 0x8, 0x10):  # name, relative path, working folder
    if flags & flag:
        count = struct.unpack_from("<H", data, at)[0]
        if flag == 0x10:
            start_in = data[at + 2:at + 2 + 2 * count].decode("utf-16-le").rstrip("\0")
        at += 2 + 2 * count
if not re.fullmatch(r"C:\\users\\[^\\]+\\Pictures", start_in, re.I):
    sys.exit(f"  the shortcut starts in {start_in!r}")
EOF
}

# Whether every image of an .ico is in the file (the installer's icon).
holds_icon() { # file, .ico
    python3 - "$1" "$2" <<'EOF'
import struct, sys
data, ico = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read()
count = struct.unpack_from("<H", ico, 4)[0]
images = [struct.unpack_from("<II", ico, 6 + 16 * i + 8) for i in range(count)]
sys.exit(0 if count and all(ico[at:at + size] in data for size, at in images) else 1)
EOF
}

holds_all() { # file, text...
    local file=$1 text; shift
    for text in "$@"; do grep -aqF -- "$text" "$file" || return 1; done
}

no_debug_sections() { # folder
    ! find "$1" \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-objdump -h {} + | grep -q ' \.debug_'
}

# Installs silently into the Wine prefix, starts the installed program,
# uninstalls silently, and checks what each step left.
check_installer() {
    start_wine
    local user=$WINEPREFIX/drive_c/users/$(id -un)
    [ -d "$user" ] || user=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
    local installed=$user/AppData/Local/Programs/Kelvane
    local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane'
    local ini=$user/AppData/Roaming/Kelvane.INI
    local fail=0
    check() { # description, command...
        local what=$1; shift
        if "$@"; then echo "ok   installer: $what"; else echo "FAIL installer: $what"; fail=1; fi
    }
    timeout 120 "$wine" "$out/dist/kelvane-$version-setup.exe" /S
    "$wineserver" -w
    check "every deployed file installed" \
        bash -c "diff <(cd '$out/deploy/kelvane' && find . -type f | sort) <(cd '$installed' && find . -type f ! -name uninstall.exe | sort)"
    local lnk="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kelvane.lnk"
    check "Start-menu shortcut" test -f "$lnk"
    check "shortcut starts in the user's Pictures" starts_in_pictures "$lnk"
    check "installer carries the program's icon" holds_icon "$out/dist/kelvane-$version-setup.exe" "$root/data/icons/kelvane.ico"
    check "Apps entry names a publisher" bash -c "'$wine' reg query '$key' /v Publisher 2>/dev/null | grep -q 'The Kelvane developers'"
    check "program's manifest: as invoker, Windows 10 and 11, long paths, per-monitor DPI" holds_all "$installed/kelvane.exe" \
        'level="asInvoker"' 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"' '>true</longPathAware>' \
        '>PerMonitorV2</dpiAwareness>'
    check "program and DLLs carry no symbols" no_debug_sections "$installed"
    check "uninstaller registered" bash -c "'$wine' reg query '$key' /v QuietUninstallString 2>/dev/null | grep -q 'uninstall.exe\" /S'"
    check "installed program starts" bash -c "timeout 60 '$wine' '$installed/kelvane.exe' --version 2>/dev/null | grep -q 'Kelvane $version'"
    mkdir -p "$(dirname "$ini")"
    printf '[Defaults]\r\nFilesDir=C:\\Pictures\\\r\n' > "$ini"
    timeout 120 "$wine" "$installed/uninstall.exe" /S
    "$wineserver" -w
    check "uninstall removes the program's folder" test ! -e "$installed"
    check "uninstall removes the shortcut" test ! -e "$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kelvane.lnk"
    check "uninstall removes the registration" bash -c "! '$wine' reg query '$key' >/dev/null 2>&1"
    check "uninstall keeps the user's INI" test -f "$ini"
    "$wineserver" -k 2>/dev/null || true
    return $fail
}

# The road of one page on Windows: the silent install, the installed program
# driven by real clicks and keys on a private X server, the page, the browser
# and the settings it leaves, and the silent uninstall.
run_road() {
    install_missing "${road_packages[@]}"
    start_wine
    # No Wine process may outlive the set-up without a display to show on.
    "$wineserver" -w
    local started=$SECONDS
    if timeout 300 python3 "$root/tests/e2e/wine_road.py" --wine "$wine" --wineserver "$wineserver" \
        --setup "$out/dist/kelvane-$version-setup.exe" --recorder "$out/build/argumentrecorder.exe" \
        --source "$root" --output "$out"; then
        echo "ok   Windows road of one page under Wine ($((SECONDS - started)) s)"
    else
        echo "FAIL Windows road of one page under Wine"
        "$wineserver" -k 2>/dev/null || true
        return 1
    fi
}

# The installer's file lists, made from the deploy folder: what is installed
# is exactly what is removed.
nsis_lists() { # deploy folder
    local dir=$1
    local install=$dir.files.nsh uninstall=$dir.uninstall.nsh
    : > "$install"
    : > "$uninstall"
    local sub
    while IFS= read -r sub; do
        sub=${sub#.}
        sub=${sub#/}
        local win=${sub//\//\\}
        printf 'SetOutPath "$INSTDIR%s"\n' "${win:+\\$win}" >> "$install"
        local f
        for f in "$dir${sub:+/$sub}"/*; do
            [ -f "$f" ] || continue
            printf 'File "%s"\n' "$f" >> "$install"
            printf 'Delete "$INSTDIR\\%s%s"\n' "${win:+$win\\}" "$(basename "$f")" >> "$uninstall"
        done
    done < <(cd "$dir" && find . -type d | sort)
    # Folders last, deepest first; RMDir leaves one that is not empty.
    (cd "$dir" && find . -mindepth 1 -type d | sort -r) | while IFS= read -r sub; do
        sub=${sub#./}
        printf 'RMDir "$INSTDIR\\%s"\n' "${sub//\//\\}" >> "$uninstall"
    done
}

case "${1:-all}" in
build) build ;;
test) build; run_tests; package; run_road ;;
package) build; package; check_installer ;;
bench) build; run_bench "${2:-${KELVANE_BENCH_COUNT:-100}}" ;;
all) build; run_tests; package; run_road; check_installer ;;
*) echo "usage: $0 [all|build|test|package|bench [N]]" >&2; exit 2 ;;
esac
