#!/usr/bin/env bash
# End to end: the installed program in a real X window (Xvfb + openbox), driven like a user would.
# Usage: run_e2e.sh <build dir> <source dir>. Leaves screenshots in <build dir>/e2e/.
set -uo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
out="$build/e2e"
mkdir -p "$out"
work="$(mktemp -d)"
folder="$work/Hibimo"
failures=0
pids=()

cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
export DISPLAY="$display"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

cmake --install "$build" --prefix "$folder" >/dev/null || { echo "install failed"; exit 1; }

start_program() {
    # libfaketime preloaded straight into the program (the faketime command would stand between it and
    # the signals sent to it); "@" starts the clock there and lets it run, so Qt's timers work.
    (cd "$work" && LD_PRELOAD="$libfaketime" FAKETIME="@2024-12-15 10:00:00" exec "$folder/hibimo" \
        >"$out/program.log" 2>&1) &
    program=$!
}

# Presses Enter in every message box (titles "Hibimo" or "...年分作成...") until none shows for a while.
answer_messages() {
    local quiet=0
    for _ in $(seq 100); do
        local w
        w=$(xdotool search --onlyvisible --name '^Hibimo$|年分作成' 2>/dev/null | head -n 1)
        if [ -n "$w" ]; then
            xdotool windowactivate --sync "$w" key Return 2>/dev/null
            quiet=0
        else
            quiet=$((quiet + 1))
            [ "$quiet" -ge 10 ] && return 0
        fi
        sleep 0.2
    done
}

# The first window whose title matches, waiting up to about five seconds.
wait_window() {
    local w
    for _ in $(seq 50); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
    return 1
}
main_window() { wait_window '^Hibimoyomi$'; }

close_program() {
    wmctrl -F -c Hibimoyomi
    for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}

year_file_text() { iconv -f CP932 -t UTF-8 "$folder/HB$1.hbd"; }

# Clicks a point given in twips of the main window's client area.
click_twips() {
    local win="$1" x="$2" y="$3" clicks="${4:-1}"
    xdotool mousemove --window "$win" $((x / 15)) $((y / 15)) click --repeat "$clicks" --delay 80 1
}

# ---- 1. First start in an empty program folder.
start_program
answer_messages
win=$(main_window)
[ -n "$win" ] && pass "the main window opened" || fail "no main window"
sleep 0.5
import -window root "$out/first-start.png"
kill -0 "$program" 2>/dev/null && pass "the program runs" || fail "the program ended early"

# ---- 2. A second start on the same folder is refused and touches nothing.
before=$(ls -l --time-style=full-iso "$folder" | md5sum)
(cd "$work" && "$folder/hibimo" >"$out/second.log" 2>&1) &
second=$!
sleep 1
w=$(xdotool search --onlyvisible --name '^Hibimo$' | head -n 1)
[ -n "$w" ] && xdotool windowactivate --sync "$w" key Return
for _ in $(seq 50); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second" 2>/dev/null && { fail "the second start did not end"; kill "$second"; } || pass "a second start ends"
[ "$(ls -l --time-style=full-iso "$folder" | md5sum)" = "$before" ] && pass "the second start touched no file" || fail "the second start changed files"

# ---- 3. Closing through the close box writes the year and the settings.
close_program && pass "closed through the close box" || fail "the program did not end on close"
printf '"%s/Default.ccf"\r\n"ver 10392"\r\n"Dummy"\r\n"Dummy"\r\n"Dummy"\r\n' "$folder" >"$work/expected.ini"
cmp -s "$work/expected.ini" "$folder/Hibimo.ini" && pass "Hibimo.ini names Default.ccf" || fail "Hibimo.ini differs"
year_file_text 2024 | grep -q '^"01010元日"' && pass "HB2024.hbd holds the delivered holidays" || fail "HB2024.hbd lacks 元日"
[ "$(year_file_text 2024 | grep -c '^"T[23]')" = 744 ] && pass "HB2024.hbd has 744 line records" || fail "HB2024.hbd line records"
[ -f "$folder/HB2025.hbd" ] && pass "HB2025.hbd made for January's cells" || fail "HB2025.hbd missing"

# ---- 4. Edit a day: double-click 20 December's public line, type, O K; the note reaches the file.
start_program
answer_messages
win=$(main_window)
sleep 0.5
# 20 December 2024: a Friday in the third week row (cell 19: column 5, row 2).
click_twips "$win" $((1665 + 1200 * 5 + 500)) $((1020 + 1050 * 2 + 140)) 2
dialog=$(wait_window '^Hbmメモ入力$')
if [ -n "$dialog" ]; then
    xdotool windowactivate --sync "$dialog"
    xdotool type --delay 100 'Party'
    xdotool key Return
    sleep 0.3
    xdotool key Return
    sleep 0.5
    import -window root "$out/day-edited.png"
    year_file_text 2024 | grep -q '^"T2PubL1220Party"' && pass "the day note is in HB2024.hbd" || fail "the day note is not in the file"
else
    fail "the memo dialog did not open"
fi
import -window "$win" "$out/calendar.png"

# ---- 5. SIGTERM ends the program like the close box.
rm -f "$folder/Hibimo.ini"
kill -TERM "$program"
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "SIGTERM did not end the program" || pass "SIGTERM ended the program"
cmp -s "$work/expected.ini" "$folder/Hibimo.ini" && pass "SIGTERM wrote Hibimo.ini" || fail "SIGTERM did not write Hibimo.ini"

if [ -x "$source/tests/e2e/more_e2e.sh" ]; then
    source "$source/tests/e2e/more_e2e.sh"
fi

echo "e2e failures: $failures"
[ "$failures" -eq 0 ]
