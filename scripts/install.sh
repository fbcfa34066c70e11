# Installing the program folder.  Source this file; do not run it.
#
#   kv_install_folder DEST APP TOOL DATA   the program, the tools (TOOL and the
#                                          kelvane-issue beside it) and the delivered files
#   kv_install_menu_entry DEST APPS        the desktop's menu entry in the folder APPS

# The delivered files are brought up to date. Styles the user may have
# changed or saved under a delivered name are never overwritten, and the
# user's own files (register, settings, histories, master lists, holidays,
# current layout) are not among the delivered ones, so they stay as they
# are. On the first installation the A4 qualified invoice (適格簡易請求書)
# becomes the current layout, so that a receipt a business customer can
# deduct its tax against can be printed on the first day.
kv_install_folder() {
    local dest="$1" app="$2" tool="$3" data="$4"
    mkdir -p "$dest/style" || return 1
    install -m 755 "$app" "$dest/kelvane" || return 1
    install -m 755 "$tool" "$dest/kelvane-render" || return 1
    # The batch tool is built beside the renderer.
    local issue
    issue="$(dirname "$tool")/kelvane-issue"
    if [ -x "$issue" ]; then install -m 755 "$issue" "$dest/kelvane-issue" || return 1; fi
    find "$data" -mindepth 1 -maxdepth 1 ! -name style -exec cp -R {} "$dest/" \; || return 1
    cp -R -n "$data/style/." "$dest/style/" || return 1
    if [ ! -e "$dest/cardtemp.dat" ]; then
        cp "$data/style/qualified_invoice.rcd" "$dest/cardtemp.dat" || return 1
    fi
}

kv_install_menu_entry() {
    local dest="$1" apps="$2"
    mkdir -p "$apps" || return 1
    cat > "$apps/kelvane.desktop.part" <<DESKTOP || return 1
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
    mv "$apps/kelvane.desktop.part" "$apps/kelvane.desktop"
}
