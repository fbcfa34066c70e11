# The code's layout, checked by test.sh.  Source after scripts/common.sh.
#
#   kv_format_check   fail, naming the files, when a C++ file of src/,
#                     tests/ or bench/ is not as .clang-format lays it out
#   kv_format_apply   lay every such file out (for a developer, not CI)

kv_format_files() {
    git -C "$KV_ROOT" ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
        'bench/*.cpp' 'bench/*.h'
}

kv_format_check() {
    command -v clang-format >/dev/null 2>&1 || kv_die "clang-format not found (packages.txt)"
    local f bad=()
    while IFS= read -r f; do
        clang-format --dry-run -Werror "$KV_ROOT/$f" >/dev/null 2>&1 || bad+=("$f")
    done < <(kv_format_files)
    if [ "${#bad[@]}" -gt 0 ]; then
        kv_warn "not laid out as .clang-format says (scripts/format.sh: kv_format_apply):"
        printf '  %s\n' "${bad[@]}" >&2
        return 1
    fi
    kv_say "every C++ file is laid out as .clang-format says"
}

kv_format_apply() {
    local f
    while IFS= read -r f; do clang-format -i "$KV_ROOT/$f"; done < <(kv_format_files)
}
