#!/usr/bin/env bash
# ./run.sh play   install what is missing, build, and start the game
# ./run.sh test   install what is missing, build, and run every test
#                 (plain build, then again under AddressSanitizer/UBSan,
#                 then the bitmap reader's fuzz run)
# ./run.sh fuzz   fuzz the bitmap reader for about a minute (clang, libFuzzer)
# ./run.sh bench  install what is missing, build a Release into build-bench/,
#                 and print start-up, memory and instruction figures
# ./run.sh package
#                 install what is missing, build a hardened Release in
#                 build-package/ and make velmoria_<version>-1_<arch>.deb there
# ./run.sh check-package
#                 install the packager's tools and check that package
#                 (dist/check-package.sh)
# ./run.sh check-clean-install [bookworm|trixie]
#                 as root: install that package into fresh minimal Debian
#                 roots and play it there (dist/check-clean-install.sh)
set -euo pipefail
cd "$(dirname "$0")"

play_packages=(cmake g++ make qt6-base-dev qt6-tools-dev qt6-l10n-tools libgl-dev libxcb1-dev libfontconfig-dev
    fonts-noto-cjk)
test_packages=(qt6-base-private-dev xvfb xdotool imagemagick openbox xterm x11-utils wmctrl dbus-daemon at-spi2-core
    python3-pyatspi orca libglib2.0-bin
    sway wtype qt6-wayland)
fuzz_packages=(clang libclang-rt-dev)
package_packages=(dpkg-dev file)
bench_packages=(xvfb valgrind libx11-dev libxdamage-dev dbus-daemon)
check_packages=(dpkg-dev file lintian desktop-file-utils appstream x11-utils xvfb xdotool imagemagick dbus-daemon)
clean_packages=(mmdebstrap git xvfb openbox xdotool wmctrl)
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
# hand-made samples. Fails on a crash, a sanitizer report, a header check
# that disagrees with the reader, an input slower than 10 s, or an
# allocation beyond the reader's 64 MiB cap.
fuzz() {
    local dir=build-fuzz
    cmake -S tests/fuzz -B "$dir" -DCMAKE_CXX_COMPILER=clang++
    cmake --build "$dir" -j "$jobs"
    rm -rf "$dir/seeds" "$dir/corpus"
    mkdir -p "$dir/corpus"
    "$dir/fuzz_seeds" "$dir/seeds"
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
package)
    install "${play_packages[@]}" "${package_packages[@]}"
    # Debian's hardening flags; the preprocessor's (fortify) go to the
    # compiler as well, since CMake has no CPPFLAGS of its own.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    cppflags=$(dpkg-buildflags --get CPPFLAGS)
    cxxflags=$(dpkg-buildflags --get CXXFLAGS)
    ldflags=$(dpkg-buildflags --get LDFLAGS)
    build build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        "-DCMAKE_CXX_FLAGS=$cppflags $cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"
    rm -f build-package/velmoria_*.deb
    (cd build-package && cpack -G DEB)
    ls build-package/velmoria_*.deb
    ;;
check-package)
    install "${check_packages[@]}"
    exec dist/check-package.sh "${@:2}"
    ;;
check-clean-install)
    install "${clean_packages[@]}"
    exec dist/check-clean-install.sh "${@:2}"
    ;;
bench)
    install "${play_packages[@]}" "${bench_packages[@]}"
    build build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELMORIA_BENCH=ON
    exec bash bench/bench.sh build-bench
    ;;
*)
    echo "usage: $0 play|test|fuzz|bench|package|check-package|check-clean-install" >&2
    exit 2
    ;;
esac
