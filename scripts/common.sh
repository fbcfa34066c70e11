# Shared helpers for run.sh and test.sh.  Source this file; do not run it.
#
#   kv_install_missing   install every package of packages.txt not yet installed
#   kv_build             configure (Ninja, Release) and build into build/

# The repository root: the folder above this file.
KV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KV_BUILD_DIR="$KV_ROOT/build"
KV_PACKAGES_FILE="$KV_ROOT/packages.txt"

kv_say()  { printf '[kelvane] %s\n' "$*"; }
kv_warn() { printf '[kelvane] WARNING: %s\n' "$*" >&2; }
kv_die()  { printf '[kelvane] ERROR: %s\n' "$*" >&2; exit 1; }

# Run a command as root: directly when we are root, else through sudo.
# Without a terminal on standard input sudo must not ask for a password.
kv_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        if [ -t 0 ]; then
            sudo "$@"
        else
            sudo -n "$@"
        fi
    else
        kv_warn "not root and sudo is not installed: cannot run '$*'"
        return 1
    fi
}

# The package names of packages.txt, one a line, comments and blanks removed.
kv_package_list() {
    [ -r "$KV_PACKAGES_FILE" ] || kv_die "cannot read $KV_PACKAGES_FILE"
    sed -e 's/#.*//' -e 's/[[:space:]]//g' "$KV_PACKAGES_FILE" | grep -v '^$'
}

kv_is_installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

kv_install_missing() {
    command -v dpkg-query >/dev/null 2>&1 || kv_die "dpkg-query not found: this needs Debian"
    local missing=() pkg
    while IFS= read -r pkg; do
        kv_is_installed "$pkg" || missing+=("$pkg")
    done < <(kv_package_list)

    if [ "${#missing[@]}" -eq 0 ]; then
        kv_say "all packages of packages.txt are installed"
        return 0
    fi
    kv_say "installing missing packages: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
        kv_die "missing packages (${missing[*]}); run as root or install sudo"
    fi
    kv_as_root apt-get update || kv_die "apt-get update failed"
    kv_as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}" </dev/null \
        || kv_die "apt-get install failed for: ${missing[*]}"
}

kv_build() {
    # A build folder made with another generator cannot be reused by
    # cmake -G Ninja: drop its cache (only the cache, the objects stay).
    local cache="$KV_BUILD_DIR/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache"; then
        kv_warn "build/ was configured with another generator; reconfiguring with Ninja"
        rm -rf "$cache" "$KV_BUILD_DIR/CMakeFiles"
    fi
    kv_say "configuring (Ninja, Release)"
    cmake -S "$KV_ROOT" -B "$KV_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        || kv_die "cmake configure failed"
    kv_say "building with $(nproc) jobs"
    cmake --build "$KV_BUILD_DIR" -j"$(nproc)" || kv_die "build failed"
}
