#!/usr/bin/env bash
# Install what is missing, build, install the program folder ~/Kelvane and
# start ネムリカ.  Without a display, render the sample layout to a PDF
# instead.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/common.sh
source scripts/install.sh

kv_install_missing
kv_build

dest="$HOME/Kelvane"
app="$KV_BUILD_DIR/src/app/kelvane"
tool="$KV_BUILD_DIR/src/tools/kelvane-render"
sample="$KV_ROOT/data/style/sample.rcd"

[ -x "$tool" ] || kv_die "the build did not make $tool"

[ -x "$app" ] || kv_die "the build did not make $app"
kv_say "installing into $dest"
kv_install_folder "$dest" "$app" "$tool" "$KV_ROOT/data" || kv_die "could not install into $dest"
apps="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
kv_install_menu_entry "$dest" "$apps" || kv_die "could not write the menu entry into $apps"
kv_say "menu entry: $apps/kelvane.desktop"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    [ -x "$dest/kelvane" ] || kv_die "the build did not make the program $app"
    exec "$dest/kelvane" "$@"
fi

kv_say "no display (neither \$DISPLAY nor \$WAYLAND_DISPLAY is set); rendering the sample receipt off screen"
export QT_QPA_PLATFORM=offscreen
pdf="$dest/sample-receipt.pdf"
"$dest/kelvane-render" --preview --zoom 100 "$sample" "$pdf" \
    || kv_die "kelvane-render could not render $sample"
kv_say "サンプルの領収書ができました / sample receipt written: $pdf"
