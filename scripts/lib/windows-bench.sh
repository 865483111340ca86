# The set-up that both Windows benchmarks share (scripts/bench-windows, scripts/bench --windows); sourced after
# common.sh. Both print their progress with log().

log() { echo "$*" >&2; }

# build_windows_bench TARGET...: the installation generator from the Linux benchmarks' build, and TARGETs built as
# scripts/build-windows builds the program (MinSizeRel) with the Windows benchmark added. Sets `generate`, `winbuild`.
build_windows_bench() {
    log "building"
    cmake -S "$ROOT" -B "$ROOT/build/bench" -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF \
        -DVANTREL_BUILD_BENCH=ON >/dev/null
    cmake --build "$ROOT/build/bench" -j"$JOBS" --target vantrel_generate >/dev/null
    winbuild="$ROOT/build/bench-windows"
    cmake -S "$ROOT" -B "$winbuild" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel -DVANTREL_BUILD_GUI=OFF -DVANTREL_BUILD_BENCH=ON -DVANTREL_BUILD_TESTS=OFF >/dev/null
    cmake --build "$winbuild" -j"$JOBS" --target "$@" >/dev/null
    generate="$ROOT/build/bench/bench/vantrel_generate"
}

# start_bench_wine DISPLAY: a scratch 32-bit Wine prefix with the design's fonts, on a virtual display of its own
# (":N" as given by --display, or a free one when DISPLAY is empty).
start_bench_wine() {
    wine_scratch
    [ -z "$1" ] || export VANTREL_TEST_DISPLAY="${1#:}"
    start_xvfb || exit 1
    wineserver -p
    log "preparing a Wine prefix in $WINEPREFIX (display $DISPLAY)"
    wine cmd /c echo >/dev/null 2>&1 || { log "Wine does not start"; exit 1; }
    wine_fonts
}
