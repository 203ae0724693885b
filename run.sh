#!/usr/bin/env bash
# ./run.sh play   install what is missing, build, and start the game
# ./run.sh test   install what is missing, build, and run every test
#                 (plain build, then again under AddressSanitizer/UBSan)
set -euo pipefail
cd "$(dirname "$0")"

play_packages=(cmake g++ make qt6-base-dev libgl-dev fonts-noto-cjk)
test_packages=(xvfb xdotool imagemagick libx11-dev openbox xterm x11-utils)
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

case "${1:-}" in
play)
    install "${play_packages[@]}"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
    exec ./build/velmoria
    ;;
test)
    install "${play_packages[@]}" "${test_packages[@]}"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
    (cd build && ctest --output-on-failure -j "$jobs")
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DVELMORIA_SANITIZE=ON
    (cd build-asan && ctest --output-on-failure -j "$jobs")
    ;;
*)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
