#!/usr/bin/env bash
# Install what is missing, check the code's layout (.clang-format), build,
# set up the CUPS PDF printer and run the
# whole test suite with ctest.
#
#   ./test.sh                  everything, then the fuzz targets (build-fuzz/,
#                              KELVANE_FUZZ_SECONDS each, default 45)
#   ./test.sh -R cp932         extra arguments go to ctest
#   ./test.sh --setup-only     only install packages and set up CUPS
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/common.sh
source scripts/cups.sh
source scripts/fuzz.sh
source scripts/format.sh

setup_only=0
if [ "${1:-}" = "--setup-only" ]; then
    setup_only=1
    shift
fi

kv_install_missing
if [ "$setup_only" -eq 1 ]; then
    kv_cups_setup
    exit 0
fi

kv_format_check
kv_build
kv_cups_setup   # exports KELVANE_CUPS_PDF_DIR when printing works

kv_say "running the test suite"
ctest --test-dir "$KV_BUILD_DIR" --output-on-failure -j2 "$@" </dev/null

# Then every reader under the fuzzer; with arguments only the tests asked for
# run.
if [ "$#" -eq 0 ]; then
    kv_fuzz_build
    kv_fuzz_run
fi
