#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang into build-fuzz and runs each one on
# a scratch copy of its seed corpus (fuzz/corpus/<target>), so the tree is
# never changed.
#   scripts/fuzz.sh [seconds]   60 when not given
# The fuzzing lasts as long as six targets of `seconds` each did, whatever
# the number of targets: they share that time evenly.
# KELVANE_FUZZ_JOBS sets how many targets run at once (default: the number of
# processors, at most 2). Inputs that crash, take too long or take too much
# memory are kept in build-fuzz/artifacts. The exit status is non-zero when
# a target failed or could not run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [seconds]" >&2
    exit 2
fi
build=$root/build-fuzz
targets=(fuzz_replaceall fuzz_profile fuzz_page fuzz_nametest fuzz_jpegbounds fuzz_exif fuzz_pictureloader fuzz_decodeanswer)
# Longest input per target; each target also turns away inputs beyond its own
# bounds, so these only keep the fuzzer from wasting runs on them.
declare -A max_len=([fuzz_replaceall]=4096 [fuzz_profile]=4096 [fuzz_page]=4096 [fuzz_nametest]=256 [fuzz_jpegbounds]=4096 [fuzz_exif]=8192 [fuzz_pictureloader]=16384 [fuzz_decodeanswer]=16384)
# Time (s) and memory (MB) an input may take before it counts as a finding.
# The picture loader promises about a second a decode and bounds its memory,
# so its limits are tight; the others only catch hangs.
declare -A timeout=([fuzz_pictureloader]=2)
declare -A rss_limit=([fuzz_pictureloader]=1024)
jobs=${KELVANE_FUZZ_JOBS:-$(nproc)}
((jobs > 2)) && jobs=2
((jobs < 1)) && jobs=1
# Rounds of `jobs` targets at a time: six targets took this many.
rounds_before=$(((6 + jobs - 1) / jobs))
rounds=$(((${#targets[@]} + jobs - 1) / jobs))
per_target=$((seconds * rounds_before / rounds))
((per_target < 1)) && per_target=1

echo "== Building the fuzz targets (clang) in $build"
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKELVANE_FUZZ=ON -DKELVANE_WERROR=ON -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCH=OFF >/dev/null
# Pictures are decoded in the helper, which the loader finds in the build.
cmake --build "$build" --parallel 2 --target "${targets[@]}" kelvane-decoder

# The targets write files on every run: keep them in memory when possible.
scratch_base=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_base=/dev/shm
scratch=$(mktemp -d "$scratch_base/kelvane-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
artifacts=$build/artifacts
mkdir -p "$artifacts"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

# Runs one target; its log and exit status go to the scratch folder.
run_target() {
    local target=$1 work=$scratch/$1
    mkdir -p "$work/corpus" "$work/artifacts" "$work/tmp"
    cp -R "$root/fuzz/corpus/$target/." "$work/corpus/"
    local status=0
    TMPDIR=$work/tmp "$build/fuzz/$target" "$work/corpus" \
        -max_total_time="$per_target" -max_len="${max_len[$target]}" -timeout="${timeout[$target]:-10}" \
        -rss_limit_mb="${rss_limit[$target]:-2048}" \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/" >"$work/log" 2>&1 || status=$?
    echo "$status" >"$work/status"
}

echo "== Fuzzing ${#targets[@]} targets for ${per_target} s each, $jobs at a time"
running=0
for target in "${targets[@]}"; do
    if ((running >= jobs)); then
        wait -n || true
        ((running--))
    fi
    run_target "$target" &
    ((++running))
done
wait

failed=0
total_runs=0
for target in "${targets[@]}"; do
    work=$scratch/$target
    status=$(cat "$work/status" 2>/dev/null || echo 1)
    runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$work/log" | tail -n 1)
    if [ -z "$runs" ]; then
        runs=$(sed -n 's/^#\([0-9][0-9]*\).*/\1/p' "$work/log" | tail -n 1)
    fi
    runs=${runs:-0}
    found=("$work"/artifacts/*)
    [ -e "${found[0]}" ] || found=()
    crashes=${#found[@]}
    echo "$target: runs=$runs crashes=$crashes"
    total_runs=$((total_runs + runs))
    if [ "$status" -ne 0 ] || [ "$crashes" -gt 0 ]; then
        failed=$((failed + 1))
        echo "---- $target failed (exit status $status); the end of its log:"
        tail -n 80 "$work/log"
        for input in "${found[@]}"; do
            cp "$input" "$artifacts/$target-$(basename "$input")"
            echo "---- input kept as $artifacts/$target-$(basename "$input"), reproduce with:"
            echo "     $build/fuzz/$target $artifacts/$target-$(basename "$input")"
            od -A d -c "$input" | head -n 40
        done
        echo "----"
    fi
done

echo "== fuzz: ${#targets[@]} targets, $total_runs runs, $failed failed"
[ "$failed" -eq 0 ]
