# Sourced by the scripts that cross-build (build-windows.sh, build-web.sh).
# cross_build DIR TOOLCHAIN WHAT [TARGET...]: configures DIR with the toolchain
# file as a Release build without tests, benchmarks, sanitizers or fuzzers, and
# builds the targets (all when none is named). Quiet on success; on an error, or
# on any compiler warning, prints the log (DIR/WHAT's log) and exits 1.
cross_build() {
    local dir=$1 toolchain=$2 what=$3 log targets=()
    shift 3
    [[ $# -gt 0 ]] && targets=(--target "$@")
    log=$dir/build.log
    mkdir -p "$dir"
    if ! { cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
              -DLURKFIELD_TESTS=OFF -DLURKFIELD_BENCH=OFF -DLURKFIELD_SANITIZE=OFF -DLURKFIELD_FUZZ=OFF &&
           cmake --build "$dir" -j2 "${targets[@]}"; } >"$log" 2>&1; then
        cat "$log" >&2
        echo "FAILED: $what (log: $log)" >&2
        exit 1
    fi
    if grep -q 'warning:' "$log"; then
        grep -B2 -A6 'warning:' "$log" >&2
        echo "FAILED: $what has warnings (log: $log)" >&2
        exit 1
    fi
}
