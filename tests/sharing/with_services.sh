#!/usr/bin/env bash
# Runs a command beside the services a user of publishing has: a CalDAV server (Debian's Radicale,
# on loopback, with password authentication and a collection of its own) and the desktop's keyring
# (gnome-keyring's Secret Service in a D-Bus session of its own). Everything stops afterwards.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
radicale_pid=""
cleanup() {
    [ -n "$radicale_pid" ] && kill "$radicale_pid" 2>/dev/null && wait "$radicale_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
port="$(free_port)"
printf 'family:wonderland\n' >"$work/users"
cat >"$work/config" <<CONFIG
[server]
hosts = 127.0.0.1:$port
[auth]
type = htpasswd
htpasswd_filename = $work/users
htpasswd_encryption = plain
[storage]
filesystem_folder = $work/collections
[web]
type = none
[logging]
level = warning
CONFIG
# -C replaces Debian's system configuration, which would turn on TLS and remote_user.
/usr/bin/python3 -m radicale -C "$work/config" >"$work/radicale.log" 2>&1 &
radicale_pid=$!
for _ in $(seq 100); do
    /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 0.2)" 2>/dev/null && break
    sleep 0.1
done

export HIBIMO_CALDAV_URL="http://127.0.0.1:$port/family/year/"
export HIBIMO_CALDAV_USER=family HIBIMO_CALDAV_PASSWORD=wonderland
export HIBIMO_CALDAV_CLIENT="$here/caldav_client.py"
export HIBIMO_CLOSED_PORT_URL="http://127.0.0.1:$(free_port)/family/year/"
"$HIBIMO_CALDAV_CLIENT" "$HIBIMO_CALDAV_URL" family wonderland mkcalendar

# The keyring's own password comes on standard input; a fresh keyring is created unlocked with it.
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- bash -c 'printf keyring | gnome-keyring-daemon --unlock --components=secrets >/dev/null && exec "$@"' \
    with_services "$@"
