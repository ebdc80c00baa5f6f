#!/usr/bin/env bash
# The applications-menu entry: the delivered desktop file and the one the run command installs for the
# user, read by the desktop's own validator, and the installed entry starting the installed program.
# Usage: check_menu_entry.sh <source dir>
set -uo pipefail
source="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

desktop-file-validate "$source/data/hibimo.desktop" && pass "the delivered entry is valid" ||
    fail "desktop-file-validate: data/hibimo.desktop"

# A program folder whose name needs every kind of quoting the Exec key knows.
program="$work/My \"Hibimo\" \$HOME 100% \\ \`x\`/hibimo"
XDG_DATA_HOME="$work/share" "$source/scripts/install_menu_entry.sh" "$program" >/dev/null ||
    fail "the installer failed"
entry="$work/share/applications/hibimo.desktop"
desktop-file-validate "$entry" && pass "the installed entry is valid" || fail "desktop-file-validate: $entry"

# Exec as the desktop reads it: the value's escapes, then the quoting of the argument, then %%.
exec_path=$(sed -n 's/^Exec=//p' "$entry" | sed -e 's/\\\\/\\/g' -e 's/^"//' -e 's/"$//' \
    -e 's/\\\(.\)/\1/g' -e 's/%%/%/g')
[ "$exec_path" = "$program" ] && pass "Exec starts the installed program" ||
    fail "Exec reads as '$exec_path', not '$program'"

for line in 'Type=Application' 'Name=Hibimo' 'Categories=Office;Calendar;' 'Icon=hibimo'; do
    grep -qxF "$line" "$entry" && pass "$line" || fail "no line $line"
done
# Japanese name and a comment: a line whose value has a byte outside ASCII, and one comment line.
LC_ALL=C grep -q '^Name\[ja\]=.*[^ -~]' "$entry" && pass "Name[ja] in Japanese" || fail "no Japanese Name[ja]"
grep -q '^Comment=.' "$entry" && pass "a Comment" || fail "no Comment"
cmp -s "$source/data/hibimo.svg" "$work/share/icons/hicolor/scalable/apps/hibimo.svg" &&
    pass "the icon is in the user's icon theme folder" || fail "the icon was not installed"

echo "menu entry failures: $failures"
[ "$failures" -eq 0 ]
