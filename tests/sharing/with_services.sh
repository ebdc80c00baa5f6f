#!/usr/bin/env bash
# Runs a command beside the services a user of publishing has: a CalDAV server (Debian's Radicale,
# on loopback, with password authentication and a collection of its own) and the desktop's keyring
# (gnome-keyring's Secret Service in a D-Bus session of its own). Everything stops afterwards.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
servers=()
cleanup() {
    for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
printf 'family:wonderland\n' >"$work/users"
wait_port() {
    for _ in $(seq 100); do
        /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $1), 0.2)" 2>/dev/null && return
        sleep 0.1
    done
}
# A Radicale on loopback; extra lines go into its [server] section.
start_radicale() {
    local name="$1" port="$2" server_extra="${3:-}"
    cat >"$work/$name.config" <<CONFIG
[server]
hosts = 127.0.0.1:$port
$server_extra
[auth]
type = htpasswd
htpasswd_filename = $work/users
htpasswd_encryption = plain
[storage]
filesystem_folder = $work/$name
[web]
type = none
[logging]
level = warning
CONFIG
    # -C replaces Debian's system configuration, which would turn on TLS and remote_user.
    /usr/bin/python3 -m radicale -C "$work/$name.config" >"$work/$name.log" 2>&1 &
    servers+=($!)
    wait_port "$port"
}
port="$(free_port)"
start_radicale plain "$port"
# A server whose certificate nobody vouches for: publishing must refuse it.
tls_port="$(free_port)"
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -days 2 -keyout "$work/key.pem" \
    -out "$work/cert.pem" 2>/dev/null
start_radicale tls "$tls_port" "ssl = True
certificate = $work/cert.pem
key = $work/key.pem"

# A second kind of server, without authentication, with its default calendar.
xandikos_port="$(free_port)"
xandikos --defaults -d "$work/xandikos" -l 127.0.0.1 -p "$xandikos_port" >"$work/xandikos.log" 2>&1 &
servers+=($!)
wait_port "$xandikos_port"
export HIBIMO_XANDIKOS_ADDRESS="http://127.0.0.1:$xandikos_port"

export HIBIMO_CALDAV_URL="http://127.0.0.1:$port/family/year/"
export HIBIMO_CALDAV_USER=family HIBIMO_CALDAV_PASSWORD=wonderland
export HIBIMO_CALDAV_CLIENT="$here/caldav_client.py"
export HIBIMO_UNTRUSTED_URL="https://127.0.0.1:$tls_port/family/year/"
export HIBIMO_CLOSED_PORT_URL="http://127.0.0.1:$(free_port)/family/year/"
"$HIBIMO_CALDAV_CLIENT" "$HIBIMO_CALDAV_URL" family wonderland mkcalendar

# The keyring's own password comes on standard input; a fresh keyring is created unlocked with it.
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# HIBIMO_NO_KEYRING=1: a desktop without any keyring (no D-Bus session at all).
if [ "${HIBIMO_NO_KEYRING:-}" = 1 ]; then
    env -u DBUS_SESSION_BUS_ADDRESS -u DISPLAY "$@"
else
    dbus-run-session -- bash -c 'printf keyring | gnome-keyring-daemon --unlock --components=secrets >/dev/null && exec "$@"' \
        with_services "$@"
fi
