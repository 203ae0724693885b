#!/usr/bin/env bash
# ./run.sh play   install what is missing, build, and start the game
# ./run.sh test   install what is missing, build, and run every test
#                 (plain build, then again under AddressSanitizer/UBSan,
#                 then the bitmap reader's fuzz run)
# ./run.sh fuzz   fuzz the bitmap reader for about a minute (clang, libFuzzer)
set -euo pipefail
cd "$(dirname "$0")"

play_packages=(cmake g++ make qt6-base-dev libgl-dev fonts-noto-cjk)
test_packages=(xvfb xdotool imagemagick libx11-dev)
fuzz_packages=(clang libclang-rt-14-dev)
jobs=${JOBS:-2}

install() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {  # build DIR [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@"
    cmake --build "$dir" -j "$jobs"
}

# libFuzzer with AddressSanitizer and UBSan on the bitmap reader, seeded with
# crops of our pictures and hand-made samples. Fails on a crash, a sanitizer
# report, pixels that differ from the reference reading, an input slower
# than 10 s, or an allocation beyond the reader's 64 MiB cap.
fuzz() {
    local dir=build-fuzz
    cmake -S tests/fuzz -B "$dir" -DCMAKE_CXX_COMPILER=clang++
    cmake --build "$dir" -j "$jobs"
    rm -rf "$dir/seeds" "$dir/corpus"
    mkdir -p "$dir/corpus"
    "$dir/fuzz_seeds" "$dir/GF" "$dir/seeds"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$dir/fuzz_bitmap" -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 \
        -rss_limit_mb=1024 -malloc_limit_mb=65 -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$dir/" "$dir/corpus" "$dir/seeds"
}

case "${1:-}" in
play)
    install "${play_packages[@]}"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
    exec ./build/velmoria
    ;;
test)
    install "${play_packages[@]}" "${test_packages[@]}" "${fuzz_packages[@]}"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
    (cd build && ctest --output-on-failure -j "$jobs")
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DVELMORIA_SANITIZE=ON
    (cd build-asan && ctest --output-on-failure -j "$jobs")
    fuzz  # on its own, after every other test
    ;;
fuzz)
    install "${play_packages[@]}" "${fuzz_packages[@]}"
    fuzz
    ;;
*)
    echo "usage: $0 play|test|fuzz" >&2
    exit 2
    ;;
esac
