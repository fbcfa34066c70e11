# Fuzzing helpers for test.sh.  Source after scripts/common.sh.
#
#   kv_fuzz_build   configure and build build-fuzz/ with clang, the address
#                   and undefined-behaviour sanitizers and libFuzzer: only
#                   the fuzz targets and the libraries they link
#   kv_fuzz_run     run every fuzz target from its corpus (ctest -L fuzz),
#                   KELVANE_FUZZ_SECONDS each (default 45), two at a time
#
# A finding (crash, leak, undefined behaviour, failed check) fails the run;
# the input that caused it is kept in build-fuzz/tests/fuzz/fuzz-findings/.

KV_FUZZ_DIR="$KV_ROOT/build-fuzz"
KV_FUZZ_SECONDS="${KELVANE_FUZZ_SECONDS:-45}"

kv_fuzz_build() {
    command -v clang++ >/dev/null 2>&1 || kv_die "clang++ not found: the fuzz targets need clang"
    local cache="$KV_FUZZ_DIR/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache"; then
        rm -rf "$cache" "$KV_FUZZ_DIR/CMakeFiles"
    fi
    kv_say "configuring the fuzz targets (clang, ASan + UBSan + libFuzzer)"
    cmake -S "$KV_ROOT" -B "$KV_FUZZ_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DKELVANE_TESTS=OFF -DKELVANE_BENCH=OFF -DKELVANE_FUZZ=ON \
        -DKELVANE_FUZZ_SECONDS="$KV_FUZZ_SECONDS" \
        || kv_die "cmake configure of the fuzz targets failed"
    kv_say "building the fuzz targets with $(nproc) jobs"
    cmake --build "$KV_FUZZ_DIR" -j"$(nproc)" --target kelvane_fuzz \
        || kv_die "build of the fuzz targets failed"
}

kv_fuzz_run() {
    kv_say "running the fuzz targets, ${KV_FUZZ_SECONDS} s each"
    ctest --test-dir "$KV_FUZZ_DIR" -L fuzz --output-on-failure -j2 </dev/null
}
