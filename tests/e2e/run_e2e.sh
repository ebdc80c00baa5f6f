#!/usr/bin/env bash
# End to end: the installed program in a real X window (Xvfb + openbox), driven like a user would.
# Usage: run_e2e.sh <build dir> <source dir>. Leaves screenshots in <build dir>/e2e/.
set -uo pipefail
# xdotool matches Japanese window titles only in a UTF-8 locale; a bare CI shell may have none.
export LC_ALL=C.UTF-8
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
# Runs a check until it holds, for up to five seconds (a slow machine may still be writing or painting).
eventually() {
    for _ in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
pass() { echo "ok: $*"; }

# Xvfb picks a free display itself and names it on fd 3: guessing a number from the lock files can
# land on a display that another server on this machine already answers (its abstract socket has no
# lock file). -noreset: by default Xvfb resets when its last client leaves, and a client connecting
# during the reset (openbox right after the probe below) is refused.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$out/xvfb.log" 2>&1 &
pids+=($!)
x_answers() { xdpyinfo >/dev/null 2>&1; }
# Xvfb names the display once it listens; starting may take a while on a busy machine.
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$out/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
eventually x_answers || { echo "Xvfb on $DISPLAY does not answer:"; cat "$out/xvfb.log"; exit 1; }

: >"$out/openbox.log"
start_wm() {
    openbox --sm-disable "$@" >>"$out/openbox.log" 2>&1 &
    wm=$!
    pids+=($wm)
    for _ in $(seq 150); do
        wmctrl -m >/dev/null 2>&1 && return 0
        kill -0 "$wm" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
if ! start_wm; then
    echo "openbox did not take $DISPLAY at first (running: $(kill -0 "$wm" 2>/dev/null && echo yes || echo no)); once more"
    kill "$wm" 2>/dev/null
    start_wm --replace || {
        echo "openbox did not start on $DISPLAY; its output:"
        cat "$out/openbox.log"
        echo "root window: $(xprop -root _NET_SUPPORTING_WM_CHECK 2>&1)"
        command -v openbox wmctrl xdotool
        exit 1
    }
fi

cmake --install "$build" --prefix "$folder" >/dev/null || { echo "install failed"; exit 1; }

# start_program [program folder] [today]
start_program() {
    # libfaketime preloaded straight into the program (the faketime command would stand between it and
    # the signals sent to it); "@" starts the clock there and lets it run, so Qt's timers work.
    (cd "$work" && LD_PRELOAD="$libfaketime" FAKETIME="@${2:-2024-12-15} 10:00:00" exec "${1:-$folder}/hibimo" \
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

# Whether the input has a matching line. It reads all of it: "grep -q" stops at the first match, and
# under pipefail the writer's broken pipe would then count as a failure.
has() { grep -c "$@" >/dev/null; }

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
year_file_text 2024 | has '^"01010元日"' && pass "HB2024.hbd holds the delivered holidays" || fail "HB2024.hbd lacks 元日"
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
    note_saved() { year_file_text 2024 | has '^"T2PubL1220Party"'; }
    eventually note_saved && pass "the day note is in HB2024.hbd" || fail "the day note is not in the file"
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


# ---- 6. The holiday list: [国], add a red day, close, [反映], 更　新: 20 May shows it in red.
start_program
answer_messages
win=$(main_window)
sleep 0.5
click_twips "$win" 350 6765 # [国]
if holy=$(wait_window '^Holiday$'); then
    xdotool windowactivate --sync "$holy"
    xdotool key ctrl+End Return
    xdotool type --delay 100 '**05/20テスト'
    click_twips "$holy" $((7035 + 660)) 165 # 登録→閉じる
    answer_messages                         # yes, apply it to 2025 too
    year_file_text 2025 | has '^"05200テスト"' && pass "the list reached HB2025.hbd" || fail "HB2025.hbd lacks the new day"
    [ -z "$(xdotool search --onlyvisible --name '^Holiday$')" ] && pass "the holiday list was accepted" \
        || fail "the holiday editor stayed open"
    list_saved() { iconv -f CP932 -t UTF-8 "$folder/HBHolyD.dat" | has '^\*\*05/20テスト'; }
    eventually list_saved && pass "HBHolyD.dat has the new day" \
        || fail "HBHolyD.dat lacks the new day"
else
    fail "the holiday editor did not open"
fi
click_twips "$win" 1222 6765 # [反映]
if renew=$(wait_window 'カレンダー新規作成/更新'); then
    click_twips "$renew" $((6165 + 960)) $((1035 + 180)) # 更　新
    sleep 0.5
    regenerated() { year_file_text 2024 | has '^"05200テスト"' && year_file_text 2024 | has '^"05202#"'; }
    eventually regenerated \
        && pass "regenerated: 20 May is a red day named テスト" || fail "20 May was not regenerated"
else
    fail "the regenerate dialog did not open"
fi
for _ in 1 2 3 4 5 6 7; do click_twips "$win" 255 1960; sleep 0.2; done # month -1, down to May
sleep 0.3
# The number of pixels of a colour in a rectangle (w h x y, in pixels) of a fresh screenshot of $win.
pixels_of() {
    import -window "$win" "$out/$1.png"
    convert "$out/$1.png" -crop "$3x$4+$5+$6" +repage -fill black +opaque "$2" -format '%[fx:mean*w*h]' info: \
        2>/dev/null | cut -d. -f1
}
# 20 May 2024 is cell 22 (row 3, Monday); its day number must be drawn in red.
may_red() { [ "$(pixels_of may-2024 '#FF0000' 77 30 191 257)" -gt 5 ] 2>/dev/null; }
eventually may_red && pass "20 May is shown in red" || fail "20 May is not red"

# ---- 7. Colours: 設定, Sunday digits green, OK, the reminder, Sav; the next start shows them.
click_twips "$win" 397 6240 # 設定
if editor=$(wait_window '^HbmColor$'); then
    click_twips "$editor" 1030 2475 # 日付文字 日曜
    if chooser=$(wait_window '^色の選択 - 日付 日曜$'); then
        xdotool windowactivate --sync "$chooser"
        import -window root "$out/colour-chooser-ja.png"
        xdotool key alt+h ctrl+a
        xdotool type --delay 50 '#00aa00'
        xdotool key Return
        sleep 0.3
    fi
    click_twips "$editor" 5175 135 # OK
    answer_messages                # the reminder
    click_twips "$win" 877 6240    # Sav
    if saver=$(wait_window '^Hibimo$'); then
        xdotool windowactivate --sync "$saver"
        xdotool type --delay 30 "$folder/Green.ccf"
        xdotool key Return
        sleep 0.5
    fi
    green_saved() { iconv -f CP932 -t UTF-8 "$folder/Green.ccf" 2>/dev/null | sed -n 4p | cut -d, -f6 | has '^43520$'; }
    eventually green_saved \
        && pass "Green.ccf holds the green Sunday digits" || fail "Green.ccf missing or wrong"
else
    fail "the colour editor did not open"
fi
close_program || fail "the program did not end"
grep -q 'Green.ccf' "$folder/Hibimo.ini" && pass "Hibimo.ini names Green.ccf" || fail "Hibimo.ini does not name Green.ccf"
start_program
answer_messages
win=$(main_window)
sleep 0.5
# 15 December 2024 (cell 14, a Sunday) is today: green digits on the today colour.
sunday_green() { [ "$(pixels_of green-sundays '#00AA00' 77 30 111 187)" -gt 5 ] 2>/dev/null; }
eventually sunday_green && pass "the restarted calendar shows green Sundays" || fail "Sundays are not green"
close_program || fail "the program did not end"

# ---- 8. A restart with the delivered Default.ccf and a stray byte after the year's last record: no
# message at all, the calendar simply opens.
[ -f "$folder/Default.ccf" ] && pass "Default.ccf was delivered" || fail "no Default.ccf in the folder"
cp "$work/expected.ini" "$folder/Hibimo.ini"
printf '\x81' >>"$folder/HB2024.hbd"
# What a save killed between its temporary and the rename leaves, beside a file that is not ours.
cp "$folder/HB2024.hbd" "$folder/HB2024.hbd.OPBrRV"
echo mine >"$folder/notes.txt.OPBrRV"
start_program
win=$(main_window)
sleep 1
message=$(xdotool search --onlyvisible --name '^Hibimo$|年分作成|異常' 2>/dev/null | head -n 1)
[ -n "$win" ] && [ -z "$message" ] && pass "a restart shows no message" \
    || { fail "a restart showed a message or no window"; import -window root "$out/restart-message.png"; }
[ ! -e "$folder/HB2024.hbd.OPBrRV" ] && [ -f "$folder/notes.txt.OPBrRV" ] \
    && pass "the leftover temporary is gone, the stranger's file kept" || fail "leftover temporaries"
answer_messages
close_program || fail "the program did not end"

# ---- 9. Year 999: one file for the year whether start-up or navigation names it, and the month memo
# typed in December 999 is in it.
old="$work/Old"
cmake --install "$build" --prefix "$old" >/dev/null || fail "install into $old failed"
start_program "$old" 0999-11-15
answer_messages
win=$(main_window)
sleep 0.5
click_twips "$win" 1035 1960 # month +1: December 999
answer_messages              # January 1000 is made for the trailing cells
click_twips "$win" 700 4000  # the month memo
sleep 0.3
xdotool type --delay 100 'Memo999'
sleep 0.3
import -window root "$out/december-0999.png"
close_program || fail "the program did not end"
[ ! -e "$old/HB999.hbd" ] && [ -f "$old/HB0999.hbd" ] && pass "year 999 has the one file HB0999.hbd" \
    || fail "year 999 files: $(cd "$old" && ls HB*.hbd | tr '\n' ' ')"
iconv -f CP932 -t UTF-8 "$old/HB0999.hbd" | has '^"12000Memo999"' && pass "the memo of December 999 is kept" \
    || fail "the memo of December 999 is not in HB0999.hbd"

# ---- 10. A Japanese desktop application: Qt's save dialog in Japanese, the keyboard and the wheel.
start_program
answer_messages
win=$(main_window)
sleep 0.5
click_twips "$win" 877 6240 # Sav
if saver=$(wait_window '^Hibimo$'); then
    sleep 0.5
    import -window root "$out/save-dialog-ja.png" && pass "save dialog: save-dialog-ja.png"
    xdotool windowactivate --sync "$saver" key Escape
    sleep 0.3
    [ -z "$(xdotool search --onlyvisible --name '^Hibimo$')" ] || fail "the save dialog stayed open"
else
    fail "the save dialog did not open"
fi
# Ctrl+Page Down: a year on, as "+1" under the year does; December 2025 and then December 2026 each make
# the next year's file for their January cells, with its message.
for next in 2026 2027; do
    xdotool windowactivate --sync "$win" key ctrl+Next
    answer_messages
    [ -f "$folder/HB$next.hbd" ] && pass "Ctrl+Page Down: HB$next.hbd made" || fail "Ctrl+Page Down did not reach $next"
done
# One notch of the wheel over the grid is one month: undone by the opposite key, the window is as before.
window_shot() { sleep 0.5; import -window "$win" "$out/$1.png"; }
same_shots() { [ "$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1)" = 0 ]; }
grid_x=$((1665 + 1200 * 3 + 500)) grid_y=$((1245 + 1050 * 3 + 200))
window_shot wheel-0
xdotool mousemove --window "$win" $((grid_x / 15)) $((grid_y / 15)) click 5
window_shot wheel-forward
xdotool windowactivate --sync "$win" key Prior
window_shot wheel-1
xdotool mousemove --window "$win" $((grid_x / 15)) $((grid_y / 15)) click 4
window_shot wheel-back
xdotool windowactivate --sync "$win" key Next
window_shot wheel-2
if ! same_shots wheel-0 wheel-forward && same_shots wheel-0 wheel-1 && ! same_shots wheel-0 wheel-back &&
    same_shots wheel-0 wheel-2; then
    pass "the wheel steps a month each way"
else
    fail "the wheel does not step like Page Up / Page Down (see wheel-*.png)"
fi
# The arrows put a visible focus on a day (December 2026 is shown: the walk starts on the 1st), Enter
# opens its public line, F2 its mark, and Escape closes the memo dialog as its close box does.
xdotool windowactivate --sync "$win" key Right Right
window_shot keyboard-focus
xdotool key Return
if dialog=$(wait_window '^Hbmメモ入力$'); then
    xdotool windowactivate --sync "$dialog"
    xdotool type --delay 100 'Keys'
    xdotool key Return
    sleep 0.3
    xdotool key Return
    key_note() { year_file_text 2026 | has '^"T2PubL1202Keys"'; }
    eventually key_note && pass "Enter on 2 December 2026 wrote its public line" || fail "no note from Enter"
else
    fail "Enter opened no memo dialog"
fi
xdotool windowactivate --sync "$win" key F2
if dialog=$(wait_window '^Hbmメモ入力$'); then
    xdotool windowactivate --sync "$dialog"
    xdotool type --delay 100 'X'
    xdotool key Escape
    sleep 0.5
    [ -z "$(xdotool search --onlyvisible --name '^Hbmメモ入力$')" ] && pass "Escape closed the memo dialog" ||
        fail "Escape left the memo dialog open"
    year_file_text 2026 | has '^"12022.*X' && fail "Escape stored the mark" || pass "Escape stored nothing"
else
    fail "F2 opened no memo dialog"
fi
close_program || fail "the program did not end"

# ---- 11. High DPI: at scale factor 2 the window is twice the size and shows what it shows at 1.
# A screen of its own, large enough for the doubled window; no message shows at this start, so it needs
# no window manager, and SIGTERM ends the program as the close box does.
Xvfb -displayfd 4 -screen 0 1600x1200x24 -nolisten tcp -noreset 4>"$work/display2" >"$out/xvfb2.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -s "$work/display2" ] && break; sleep 0.1; done
shot_at_scale() {
    (
        export DISPLAY=":$(head -n 1 "$work/display2")" QT_SCALE_FACTOR="$1"
        (cd "$work" && LD_PRELOAD="$libfaketime" FAKETIME="@2024-12-15 10:00:00" exec "$folder/hibimo" \
            >"$out/program-scale$1.log" 2>&1) &
        local p=$! w
        w=$(wait_window '^Hibimoyomi$') && sleep 1 &&
            xwininfo -id "$w" | sed -n 's/^ *\(Width\|Height\): *//p' | paste -sd x >"$work/size$1" &&
            import -window "$w" "$out/scale$1-window.png"
        kill -TERM "$p"
        for _ in $(seq 100); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    )
}
if [ -s "$work/display2" ]; then
    shot_at_scale 1
    shot_at_scale 2
    [ "$(cat "$work/size1" 2>/dev/null)" = 679x481 ] && pass "scale 1: 679x481" || fail "scale 1: $(cat "$work/size1" 2>/dev/null)"
    [ "$(cat "$work/size2" 2>/dev/null)" = 1358x962 ] && pass "scale 2: 1358x962, scale2-window.png" ||
        fail "scale 2: $(cat "$work/size2" 2>/dev/null), not 1358x962"
    # Halved, the doubled window must look like the plain one: nothing clipped, moved or missing. The
    # blur takes out the glyphs' own rendering at the two sizes: measured, the halved window differs by
    # RMSE 0.026 from the plain one, the next month by 0.09, the plain one cut 80 pixels short by 0.08.
    convert "$out/scale2-window.png" -resize 50% -blur 0x2 "$work/halved.png"
    convert "$out/scale1-window.png" -blur 0x2 "$work/plain.png"
    rmse=$(compare -metric RMSE "$work/halved.png" "$work/plain.png" null: 2>&1 | sed -n 's/.*(\(.*\))/\1/p')
    echo "scale 2 halved against scale 1: RMSE $rmse"
    awk -v r="${rmse:-1}" 'BEGIN { exit !(r < 0.05) }' && pass "scale 2 shows what scale 1 shows" ||
        fail "scale 2 differs from scale 1 (RMSE ${rmse:-?})"
else
    fail "the second X server did not start"
fi

# ---- 12. SIGTERM while the memo dialog is open: the open dialog stores nothing, what was stored stays in
# its own year, and nothing of it reaches the year the shut-down loads (today's, 2024).
start_program
answer_messages
win=$(main_window)
sleep 0.5
click_twips "$win" 255 670 # year -1: December 2023
answer_messages            # 2023 is made
sleep 0.3
# 5 December 2023: a Tuesday in the second week row (cell 9: column 2, row 1).
memo_dialog_on_5_december() {
    click_twips "$win" $((1665 + 1200 * 2 + 500)) $((1020 + 1050 * 1 + 140)) 2
    wait_window '^Hbmメモ入力$'
}
if dialog=$(memo_dialog_on_5_december); then
    xdotool windowactivate --sync "$dialog"
    xdotool type --delay 100 'Y2023'
    xdotool key Return
    sleep 0.3
    xdotool key Return
    stored_2023() { year_file_text 2023 | has '^"T2PubL1205Y2023"'; }
    eventually stored_2023 && pass "the 2023 note is in HB2023.hbd" || fail "the 2023 note is not in HB2023.hbd"
    sleep 0.5
    if dialog=$(memo_dialog_on_5_december); then
        xdotool windowactivate --sync "$dialog"
        xdotool type --delay 100 'Z'
        rm -f "$folder/Hibimo.ini"
        kill -TERM "$program"
        for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$program" 2>/dev/null && fail "SIGTERM with the dialog open did not end the program" \
            || pass "SIGTERM with the dialog open ended the program"
        [ -f "$folder/Hibimo.ini" ] && pass "the shut-down ran" || fail "no Hibimo.ini after SIGTERM"
        year_file_text 2024 | has 'Y2023' && fail "HB2024.hbd holds the 2023 note" \
            || pass "HB2024.hbd holds nothing of 2023"
        year_file_text 2023 | has '^"T2PubL1205Y2023"' && pass "HB2023.hbd keeps what was stored" \
            || fail "HB2023.hbd lost the stored note"
        year_file_text 2023 | has 'Y2023Z' && fail "the open dialog's text was stored" \
            || pass "the open dialog stored nothing"
    else
        fail "the memo dialog did not open again"
    fi
else
    fail "the memo dialog did not open on 5 December 2023"
fi
kill -0 "$program" 2>/dev/null && { kill "$program"; wait "$program" 2>/dev/null; }

# ---- 13. Export: Alt+E, tick 祝日・休日 (Alt+H), Enter, a file name in the save dialog; the file is iCalendar.
share="$work/Share"
cmake --install "$build" --prefix "$share" >/dev/null || fail "install into $share failed"
start_program "$share"
answer_messages
win=$(main_window)
sleep 0.5
import -window "$win" "$out/export-button.png"
xdotool windowactivate --sync "$win" key alt+e
if dialog=$(wait_window '^予定の書き出し'); then
    sleep 0.3
    import -window "$dialog" "$out/export-dialog.png"
    xdotool windowactivate --sync "$dialog" key alt+h
    sleep 0.3
    xdotool key Return
    if saver=$(wait_window '^Hibimo$'); then
        xdotool windowactivate --sync "$saver"
        xdotool type --delay 30 "$work/family"
        xdotool key Return
        answer_messages
    fi
    ics="$work/family.ics"
    [ -f "$ics" ] && pass "exported $ics" || fail "no export file"
    has -x $'SUMMARY:元日\r' "$ics" && has -x $'DTSTART;VALUE=DATE:20240101\r' "$ics" \
        && pass "the export holds 1 January's red day" || fail "1 January is not in the export"
    # CRLF ends, lines of at most 75 octets, and a reader of its own accepts it.
    LC_ALL=C awk '!/\r$/ || length($0) > 76 { bad = 1 } END { exit bad }' "$ics" && pass "CRLF and folded lines" \
        || fail "bare line ends or long lines in the export"
    /usr/bin/python3 -c 'import sys, icalendar; icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())' \
        "$ics" && pass "python3-icalendar reads the export" || fail "python3-icalendar cannot read the export"
else
    fail "Alt+E opened no export dialog"
fi

# ---- 14. Publishing settings: Alt+T opens them in Japanese; Escape leaves them as they were.
xdotool windowactivate --sync "$win" key alt+t
if dialog=$(wait_window '^公開設定'); then
    sleep 0.3
    import -window "$dialog" "$out/publish-settings.png"
    xdotool windowactivate --sync "$dialog" key Escape
    sleep 0.3
    [ ! -e "$share/HbCalDav.ini" ] && pass "Escape stored no publishing settings" || fail "Escape stored settings"
else
    fail "Alt+T opened no publishing settings"
fi
close_program || fail "the program did not end"

echo "e2e failures: $failures"
[ "$failures" -eq 0 ]
