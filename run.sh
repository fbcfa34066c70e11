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
[ -x "$app" ] || kv_die "the build did not make $app"
install -m 755 "$app" "$dest/kelvane"
install -m 755 "$tool" "$dest/kelvane-render"
# The delivered files are brought up to date; styles the user may have
# changed or saved under a delivered name are never overwritten, and the
# user's own files (register, settings, histories, master lists, holidays,
# current layout) are not among the delivered ones, so they stay as they are.
mkdir -p "$dest/style"
find "$KV_ROOT/data" -mindepth 1 -maxdepth 1 ! -name style -exec cp -R {} "$dest/" \;
cp -R -n "$KV_ROOT/data/style/." "$dest/style/"
# On the first installation the A4 receipt is the current layout, so that a
# receipt can be printed on the first day; later the user's own stays.
[ -e "$dest/cardtemp.dat" ] || cp "$KV_ROOT/data/style/a4_receipt.rcd" "$dest/cardtemp.dat"

# The desktop's menu entry, for this user only.
apps="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$apps"
cat > "$apps/kelvane.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=ネムリカ
GenericName=領収書の作成と印刷
Comment=領収書を入力・印刷し、発行リストに記録します
Exec="$dest/kelvane"
Path=$dest
Icon=$dest/kelvane.png
Terminal=false
Categories=Office;Finance;
DESKTOP
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
