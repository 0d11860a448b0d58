# shellcheck shell=bash
# Sourced by the scripts that cross-build (build-windows.sh, build-web.sh) and by
# package.sh, which makes the same Release build natively.

# What a build for users is configured with: Release, without tests, benchmarks,
# sanitizers or fuzzers.
release_options=(-DCMAKE_BUILD_TYPE=Release -DLURKFIELD_TESTS=OFF -DLURKFIELD_BENCH=OFF
                 -DLURKFIELD_SANITIZE=OFF -DLURKFIELD_FUZZ=OFF)

# cross_build_log DIR: the log cross_build writes for DIR.
cross_build_log() {
    echo "$1/build.log"
}

# cross_build DIR TOOLCHAIN WHAT [TARGET...]: configures DIR with the toolchain
# file and the release options, and builds the targets (all when none is named).
# Quiet on success; on an error, or on any compiler warning, prints the log
# (cross_build_log DIR) and exits 1.
cross_build() {
    local dir=$1 toolchain=$2 what=$3 log targets=()
    shift 3
    [[ $# -gt 0 ]] && targets=(--target "$@")
    log=$(cross_build_log "$dir")
    mkdir -p "$dir"
    if ! { cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${release_options[@]}" &&
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
