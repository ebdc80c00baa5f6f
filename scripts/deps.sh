#!/usr/bin/env bash
# Installs the Debian 12 packages the calendar needs to build, run and be tested. Safe to run again:
# nothing is installed when everything is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libnova-dev
    qtkeychain-qt6-dev # the publishing password in the desktop's keyring
    libgtest-dev libgmock-dev
    libical-dev
    libicu-dev # the Japanese eras (和暦) from ICU's Japanese calendar
    fonts-ipafont-gothic
    qt6-translations-l10n libqt6svg6
)
if [ "${1:-}" = "--test" ]; then
    packages+=(clang libclang-rt-14-dev xvfb xauth x11-utils openbox xdotool wmctrl imagemagick faketime poppler-utils)
    packages+=(python3-icalendar) # a second reader of the exported iCalendar files
    packages+=(desktop-file-utils) # validates the applications-menu entry
    # Publishing is tested beside a real CalDAV server, a second client and a real keyring.
    packages+=(radicale python3-caldav gnome-keyring dbus-daemon openssl)
    packages+=(xandikos) # a second CalDAV server, for finding calendars from the server's address
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
