#!/usr/bin/env bash
# Install what is missing, build, install the program folder ~/Kelvane and
# start ネムリカ.  Without a display, render the sample layout to a PDF
# instead.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/common.sh

kv_install_missing
kv_build

dest="$HOME/Kelvane"
app="$KV_BUILD_DIR/src/app/kelvane"
tool="$KV_BUILD_DIR/src/tools/kelvane-render"
sample="$KV_ROOT/data/style/sample.rcd"

[ -x "$tool" ] || kv_die "the build did not make $tool"

kv_say "installing into $dest"
mkdir -p "$dest"
if [ -x "$app" ]; then
    install -m 755 "$app" "$dest/kelvane"
fi
install -m 755 "$tool" "$dest/kelvane-render"
# The delivered files are brought up to date; styles the user may have
# changed or saved under a delivered name are never overwritten.
mkdir -p "$dest/style"
find "$KV_ROOT/data" -mindepth 1 -maxdepth 1 ! -name style -exec cp -R {} "$dest/" \;
cp -R -n "$KV_ROOT/data/style/." "$dest/style/"
# On the first installation the A4 receipt is the current layout, so that a
# receipt can be printed on the first day; later the user's own stays.
[ -e "$dest/cardtemp.dat" ] || cp "$KV_ROOT/data/style/a4_receipt.rcd" "$dest/cardtemp.dat"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    if [ -x "$app" ]; then
        exec "$dest/kelvane" "$@"
    fi
    kv_say "the main window is not built yet; rendering the sample receipt instead"
else
    kv_say "no display (neither \$DISPLAY nor \$WAYLAND_DISPLAY is set); rendering the sample receipt off screen"
    export QT_QPA_PLATFORM=offscreen
fi

pdf="$dest/sample-receipt.pdf"
"$dest/kelvane-render" --preview --zoom 100 "$sample" "$pdf" \
    || kv_die "kelvane-render could not render $sample"
kv_say "サンプルのレシートができました / sample receipt written: $pdf"
