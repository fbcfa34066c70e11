#!/usr/bin/env bash
# Installing over a program folder in use: the program, the delivered files
# and the menu entry are brought up to date, the user's files stay byte for
# byte, and a style the user changed is not overwritten.
#
#   install_test.sh ROOT APP TOOL
set -euo pipefail
root="$1" app="$2" tool="$3"
source "$root/scripts/install.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dest="$work/Kelvane"
fail() { echo "FAIL: $*" >&2; exit 1; }

# A first installation.
kv_install_folder "$dest" "$app" "$tool" "$root/data" || fail "first installation"
for f in kelvane kelvane-render cleardata.rcd tax_table.htm dialog.ico kelvane.png \
         style/a4_receipt.rcd style/a5_receipt.rcd style/a5_vertical_receipt.rcd \
         style/qualified_invoice.rcd cardtemp.dat; do
    [ -e "$dest/$f" ] || fail "$f was not installed"
done
cmp -s "$dest/cardtemp.dat" "$root/data/style/qualified_invoice.rcd" ||
    fail "the first layout is not the qualified invoice"

# The shop's own files, a changed style, then the next installation.
user_files="regidata.klv kelvane.conf kelvane.ini atesaki_1.DAT topic2.DAT SDAYLIST.DAT display.dat cardtemp.dat"
for f in $user_files; do printf 'the shop'"'"'s %s\r\n' "$f" > "$dest/$f"; done
printf 'my own a4\r\n' > "$dest/style/a4_receipt.rcd"
echo stale > "$dest/tax_table.htm"
(cd "$dest" && sha256sum $user_files style/a4_receipt.rcd) > "$work/before"
kv_install_folder "$dest" "$app" "$tool" "$root/data" || fail "second installation"
(cd "$dest" && sha256sum -c --quiet "$work/before") || fail "the user's files changed"
cmp -s "$dest/tax_table.htm" "$root/data/tax_table.htm" || fail "a delivered file was not updated"

# The menu entry starts the installed program.
kv_install_menu_entry "$dest" "$work/applications" || fail "menu entry"
entry="$work/applications/kelvane.desktop"
grep -qx "Exec=\"$dest/kelvane\"" "$entry" || fail "the menu entry does not start $dest/kelvane"
grep -qx "Icon=$dest/kelvane.png" "$entry" || fail "the menu entry has no icon"
grep -qx "Name=ネムリカ" "$entry" || fail "the menu entry has no name"
echo "install_test: ok"
