#!/usr/bin/env bash
# The tests that print on the real cups-pdf queue, run without the queue:
# under CI they must fail and say why; elsewhere they pass or skip, and a
# skip says why.
#
#   cups_gate_test.sh BINARY:GTEST_FILTER...
set -u

status=0
fail() {
    printf 'FAIL: %s\n' "$1"
    [ -z "${2:-}" ] || printf '%s\n' "$2" | sed 's/^/    /'
    status=1
}

for target in "$@"; do
    bin="${target%%:*}"
    filter="${target#*:}"
    name="$(basename "$bin") $filter"
    run() {
        env -u KELVANE_CUPS_PDF_DIR -u PRINTER -u CI QT_QPA_PLATFORM=offscreen "$@" \
            "$bin" --gtest_filter="$filter" 2>&1
    }

    if out="$(run CI=true)"; then
        fail "$name passes under CI although the queue is not set up" "$out"
    elif ! grep -q '^\[ RUN      \]' <<<"$out"; then
        fail "$name: the filter runs no test" "$out"
    elif ! grep -q 'CUPS could not be set up' <<<"$out"; then
        fail "$name fails under CI without saying that the queue is missing" "$out"
    fi

    if ! out="$(run)"; then
        fail "$name fails outside CI without the queue" "$out"
    elif ! grep -q '^\[ RUN      \]' <<<"$out"; then
        fail "$name: the filter runs no test" "$out"
    elif awk '/: Skipped$/ { getline reason; if (reason !~ /[^ ]/) bad = 1 } END { exit !bad }' \
        <<<"$out"; then
        fail "$name skips without a line saying why" "$out"
    fi
done
[ "$status" -eq 0 ] && printf 'ok: %d printing tests fail under CI without the queue and skip elsewhere\n' "$#"
exit "$status"
