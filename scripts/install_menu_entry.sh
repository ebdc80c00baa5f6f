#!/usr/bin/env bash
# Puts the calendar into the desktop's applications menu for this user: the desktop entry into
# $XDG_DATA_HOME/applications (default ~/.local/share/applications), starting the given program, and
# the icon into the user's icon theme folder. Usage: install_menu_entry.sh <installed program>
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath -m "$1")"
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
applications="$data_home/applications"
icons="$data_home/icons/hicolor/scalable/apps"
mkdir -p "$applications" "$icons"

# Exec takes the path in double quotes, where \ " ` $ need a backslash; the value's own escaping then
# doubles every backslash, and a literal % is written %%.
quoted=$(printf '%s' "$program" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
tryexec=$(printf '%s' "$program" | sed -e 's/\\/\\\\/g')
while IFS= read -r line; do
    case "$line" in
    Exec=*) printf 'Exec="%s"\nTryExec=%s\n' "$quoted" "$tryexec" ;;
    *) printf '%s\n' "$line" ;;
    esac
done <"$here/data/hibimo.desktop" >"$applications/hibimo.desktop.new"
mv "$applications/hibimo.desktop.new" "$applications/hibimo.desktop"
install -m 644 "$here/data/hibimo.svg" "$icons/hibimo.svg"

# Menus pick the entry up by themselves; refreshing the caches where the tools exist makes it immediate.
command -v update-desktop-database >/dev/null && update-desktop-database -q "$applications" || true
command -v gtk-update-icon-cache >/dev/null && [ -f "$data_home/icons/hicolor/index.theme" ] &&
    gtk-update-icon-cache -q -t "$data_home/icons/hicolor" || true
echo "Menu entry: $applications/hibimo.desktop"
