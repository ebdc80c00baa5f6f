#!/usr/bin/env bash
# End to end: the installed program in a real X window (Xvfb + openbox), driven like a user would.
# Usage: run_e2e.sh <build dir> <source dir>. Leaves screenshots and printouts in <build dir>/e2e/.
set -uo pipefail
# xdotool matches Japanese window titles only in a UTF-8 locale; a bare CI shell may have none.
export LC_ALL=C.UTF-8
build="$(cd "$1" && pwd)"
out="$build/e2e"
mkdir -p "$out"
work="$(mktemp -d)"
folder="$work/Hibimo"
failures=0
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)

source "$(dirname "${BASH_SOURCE[0]}")/e2e_helpers.sh"
start_x "$work/display" 1024x768x24 || { echo "Xvfb did not start:"; cat "$out/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
eventually xdpyinfo >/dev/null 2>&1 || { echo "Xvfb on $DISPLAY does not answer"; exit 1; }
start_wm || { kill "$wm" 2>/dev/null; start_wm --replace; } || { echo "openbox did not start"; cat "$out/openbox.log"; exit 1; }

install_to "$folder"

# ---- 1. First start in an empty program folder; the grid behind the creation message is one month.
start_program
answer_messages first-start-message
win=$(wait_window '^Hibimoyomi$')
check "the main window opened" test -n "$win"
shot first-start root
check "the program runs" kill -0 "$program"

# ---- 2. A second start on the same folder is refused and touches nothing.
before=$(ls -l --time-style=full-iso "$folder" | md5sum)
(cd "$work" && "$folder/hibimo" >"$out/second.log" 2>&1) &
second=$!
sleep 1
w=$(message_up) && [ -n "$w" ] && xdotool windowactivate --sync "$w" key Return
for _ in $(seq 50); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
check_not "a second start ends" kill -0 "$second" && kill "$second" 2>/dev/null
check "the second start touched no file" test "$(ls -l --time-style=full-iso "$folder" | md5sum)" = "$before"

# ---- 3. Closing through the close box writes the year and the settings.
check "closed through the close box" close_program
printf '"%s/Default.ccf"\r\n"ver 10392"\r\n"Dummy"\r\n"Dummy"\r\n"Dummy"\r\n' "$folder" >"$work/expected.ini"
check "Hibimo.ini names Default.ccf" cmp -s "$work/expected.ini" "$folder/Hibimo.ini"
check "HB2024.hbd holds the delivered holidays" in_year 2024 '^"01010元日"'
check "HB2024.hbd has 744 line records" test "$(year_file_text 2024 | grep -c '^"T[23]')" = 744
check "HB2025.hbd made for January's cells" test -f "$folder/HB2025.hbd"

# ---- 4. A day's note (20 December 2024: column 5, row 2) reaches the file; SIGTERM ends as the close box.
open_calendar
type_day_note 5 2 Party || fail "the memo dialog did not open"
shot day-edited root
check "the day note is in HB2024.hbd" eventually in_year 2024 '^"T2PubL1220Party"'
shot calendar
rm -f "$folder/Hibimo.ini"
check "SIGTERM ended the program" terminate
check "SIGTERM wrote Hibimo.ini" cmp -s "$work/expected.ini" "$folder/Hibimo.ini"

# ---- 5. The holiday list: [国], add a red day, close, [反映], 更　新: 20 May shows it in red.
open_calendar
click_twips "$win" 350 6765 # [国]
if holy=$(wait_window '^Holiday$'); then
    xdotool windowactivate --sync "$holy" key ctrl+End Return
    xdotool type --delay 100 '**05/20テスト'
    click_twips "$holy" $((7035 + 660)) 165 # 登録→閉じる
    answer_messages # yes, apply it to the other years with files too
    check "the list reached HB2025.hbd" eventually in_year 2025 '^"05200:*テスト'
    editor_closed() { test -z "$(xdotool search --onlyvisible --name '^Holiday$')"; }
    check "the holiday list was accepted" eventually editor_closed
    list_saved() { iconv -f CP932 -t UTF-8 "$folder/HBHolyD.dat" | has '^\*\*05/20テスト'; }
    check "HBHolyD.dat has the new day" eventually list_saved
else
    fail "the holiday editor did not open"
fi
click_twips "$win" 1222 6765 # [反映]
if renew=$(wait_window 'カレンダー新規作成/更新'); then
    click_twips "$renew" $((6165 + 960)) $((1035 + 180)) # 更　新
    regenerated() { in_year 2024 '^"05200:*テスト' && in_year 2024 '^"05202#"'; }
    check "regenerated: 20 May is a red day named テスト" eventually regenerated
else
    fail "the regenerate dialog did not open"
fi
for _ in 1 2 3 4 5 6 7; do click_twips "$win" 255 1960; sleep 0.2; done # month -1, down to May
# 20 May 2024 is cell 22 (row 3, Monday); its day number must be drawn in red.
may_red() { [ "$(pixels_of may-2024 '#FF0000' 77 30 191 257)" -gt 5 ] 2>/dev/null; }
check "20 May is shown in red" eventually may_red

# ---- 6. Colours: 設定, Sunday digits green, OK, the reminder, Sav; the next start shows them.
click_twips "$win" 397 6240 # 設定
if editor=$(wait_window '^HbmColor$'); then
    click_twips "$editor" 1030 2475 # 日付文字 日曜
    if chooser=$(wait_window '^色の選択 - 日付 日曜$'); then
        xdotool windowactivate --sync "$chooser"
        shot colour-chooser-ja root
        xdotool key alt+h ctrl+a && xdotool type --delay 50 '#00aa00' && xdotool key Return
        sleep 0.3
    fi
    click_twips "$editor" 5175 135 # OK
    answer_messages                # the reminder
    click_twips "$win" 877 6240    # Sav
    if saver=$(wait_window '^Hibimo$'); then
        shot save-dialog-ja root
        xdotool windowactivate --sync "$saver"
        xdotool type --delay 30 "$folder/Green.ccf" && xdotool key Return
    fi
    green_saved() { iconv -f CP932 -t UTF-8 "$folder/Green.ccf" 2>/dev/null | sed -n 4p | cut -d, -f6 | has '^43520$'; }
    check "Green.ccf holds the green Sunday digits" eventually green_saved
else
    fail "the colour editor did not open"
fi
check "the program ended" close_program
check "Hibimo.ini names Green.ccf" grep -q 'Green.ccf' "$folder/Hibimo.ini"
open_calendar
# 15 December 2024 (cell 14, a Sunday) is today: green digits on the today colour.
sunday_green() { [ "$(pixels_of green-sundays '#00AA00' 77 30 111 187)" -gt 5 ] 2>/dev/null; }
check "the restarted calendar shows green Sundays" eventually sunday_green
check "the program ended" close_program

# ---- 7. A restart with the delivered Default.ccf, a stray byte after the year's last record and a
# save's leftover temporary: no message at all; the leftover goes, a stranger's file stays.
check "Default.ccf was delivered" test -f "$folder/Default.ccf"
cp "$work/expected.ini" "$folder/Hibimo.ini"
printf '\x81' >>"$folder/HB2024.hbd"
cp "$folder/HB2024.hbd" "$folder/HB2024.hbd.OPBrRV"
echo mine >"$folder/notes.txt.OPBrRV"
start_program
win=$(wait_window '^Hibimoyomi$')
sleep 1
check "a restart shows no message" test -n "$win" -a -z "$(xdotool search --onlyvisible --name '^Hibimo$|年分作成|異常' | head -n 1)"
check "the leftover temporary is gone, the stranger's file kept" test ! -e "$folder/HB2024.hbd.OPBrRV" -a -f "$folder/notes.txt.OPBrRV"
answer_messages
check "the program ended" close_program

# ---- 8. Year 999: one file for the year whether start-up or navigation names it, and the month memo
# typed in December 999 is in it.
old="$work/Old"
install_to "$old"
open_calendar "$old" 0999-11-15
click_twips "$win" 1035 1960 # month +1: December 999
answer_messages              # January 1000 is made for the trailing cells
click_twips "$win" 700 4000  # the month memo
sleep 0.3
xdotool type --delay 100 'Memo999'
shot december-0999 root
check "the program ended" close_program
check "year 999 has the one file HB0999.hbd" test ! -e "$old/HB999.hbd" -a -f "$old/HB0999.hbd"
check "the memo of December 999 is kept" in_year 0999 '^"12000Memo999"' "$old"

# ---- 9. Keys and the wheel: Ctrl+Page Down a year on, making next year's file behind its message.
open_calendar
for next in 2026 2027; do
    xdotool windowactivate --sync "$win" key ctrl+Next
    answer_messages "year-message-$next"
    check "Ctrl+Page Down: HB$next.hbd made" test -f "$folder/HB$next.hbd"
done
# One notch of the wheel over the grid is one month: undone by the opposite key, the window is as before.
shot wheel-0
wheel 5 && shot wheel-forward
xdotool windowactivate --sync "$win" key Prior && shot wheel-1
wheel 4 && shot wheel-back
xdotool windowactivate --sync "$win" key Next && shot wheel-2
wheel_steps() { ! same_shots wheel-0 wheel-forward && same_shots wheel-0 wheel-1 && ! same_shots wheel-0 wheel-back && same_shots wheel-0 wheel-2; }
check "the wheel steps a month each way (wheel-*.png)" wheel_steps
# The arrows put a visible focus on a day (December 2026: the walk starts on the 1st), Enter opens its
# public line, F2 its mark, and Escape closes the memo dialog as its close box does.
xdotool windowactivate --sync "$win" key Right Right
shot keyboard-focus
xdotool key Return
if dialog=$(wait_window '^Hbmメモ入力$'); then
    xdotool windowactivate --sync "$dialog" && xdotool type --delay 100 'Keys'
    xdotool key Return && sleep 0.3 && xdotool key Return
    check "Enter on 2 December 2026 wrote its public line" eventually in_year 2026 '^"T2PubL1202Keys"'
else
    fail "Enter opened no memo dialog"
fi
xdotool windowactivate --sync "$win" key F2
if dialog=$(wait_window '^Hbmメモ入力$'); then
    xdotool windowactivate --sync "$dialog" && xdotool type --delay 100 'X' && xdotool key Escape
    sleep 0.5
    check "Escape closed the memo dialog" test -z "$(xdotool search --onlyvisible --name '^Hbmメモ入力$')"
    check_not "Escape stored nothing" in_year 2026 '^"12022.*X'
else
    fail "F2 opened no memo dialog"
fi
check "the program ended" close_program

# ---- 10. High DPI: at scale factor 2 the window is twice the size and shows what it shows at 1. A screen
# of its own, large enough; no message shows at this start, so it needs no window manager.
if start_x "$work/display2" 1600x1200x24; then
    shot_at_scale 1
    shot_at_scale 2
    check "scale 1: 679x481" test "$(cat "$work/size1" 2>/dev/null)" = 679x481
    check "scale 2: 1358x962, scale2-window.png" test "$(cat "$work/size2" 2>/dev/null)" = 1358x962
    # Halved, the doubled window must look like the plain one: nothing clipped, moved or missing. The
    # blur takes out the glyphs' own rendering at the two sizes: measured, the halved window differs by
    # RMSE 0.026 from the plain one, the next month by 0.09, the plain one cut 80 pixels short by 0.08.
    convert "$out/scale2-window.png" -resize 50% -blur 0x2 "$work/halved.png"
    convert "$out/scale1-window.png" -blur 0x2 "$work/plain.png"
    rmse=$(compare -metric RMSE "$work/halved.png" "$work/plain.png" null: 2>&1 | sed -n 's/.*(\(.*\))/\1/p')
    check "scale 2 shows what scale 1 shows (RMSE ${rmse:-?})" awk -v r="${rmse:-1}" 'BEGIN { exit !(r < 0.05) }'
else
    fail "the second X server did not start"
fi

# ---- 11. SIGTERM while the memo dialog is open: the open dialog stores nothing, what was stored stays in
# its own year, and nothing of it reaches the year the shut-down loads (today's, 2024).
open_calendar
click_twips "$win" 255 670 # year -1: December 2023
answer_messages            # 2023 is made
# 5 December 2023: column 2, row 1.
if type_day_note 2 1 Y2023 && eventually in_year 2023 '^"T2PubL1205Y2023"'; then
    pass "the 2023 note is in HB2023.hbd"
    sleep 0.5
    if type_day_note 2 1 Z open; then
        rm -f "$folder/Hibimo.ini"
        check "SIGTERM with the dialog open ended the program" terminate
        check "the shut-down ran" test -f "$folder/Hibimo.ini"
        check_not "HB2024.hbd holds nothing of 2023" in_year 2024 'Y2023'
        check "HB2023.hbd keeps what was stored" in_year 2023 '^"T2PubL1205Y2023"'
        check_not "the open dialog stored nothing" in_year 2023 'Y2023Z'
    else
        fail "the memo dialog did not open again"
    fi
else
    fail "no note on 5 December 2023"
fi
kill -0 "$program" 2>/dev/null && { kill "$program"; wait "$program" 2>/dev/null; }

# ---- 12. Export: Alt+E, tick 祝日・休日 (Alt+H), Enter, a file name in the save dialog; the file is iCalendar.
share="$work/Share"
install_to "$share"
open_calendar "$share"
shot export-button
xdotool windowactivate --sync "$win" key alt+e
if dialog=$(wait_window '^予定の書き出し'); then
    shot export-dialog "$dialog"
    xdotool windowactivate --sync "$dialog" key alt+h && sleep 0.3 && xdotool key Return
    if saver=$(wait_window '^Hibimo$'); then
        xdotool windowactivate --sync "$saver"
        xdotool type --delay 30 "$work/family" && xdotool key Return
        answer_messages
    fi
    ics="$work/family.ics"
    check "exported $ics" test -f "$ics"
    first_day() { has -x $'SUMMARY:元日\r' "$ics" && has -x $'DTSTART;VALUE=DATE:20240101\r' "$ics"; }
    check "the export holds 1 January's red day" first_day
    # CRLF ends, lines of at most 75 octets, and a reader of its own accepts it.
    check "CRLF and folded lines" env LC_ALL=C awk '!/\r$/ || length($0) > 76 { bad = 1 } END { exit bad }' "$ics"
    check "python3-icalendar reads the export" /usr/bin/python3 -c \
        'import sys, icalendar; icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())' "$ics"
else
    fail "Alt+E opened no export dialog"
fi

# ---- 13. Publishing settings: Alt+T opens them in Japanese; Escape leaves them as they were.
xdotool windowactivate --sync "$win" key alt+t
if dialog=$(wait_window '^公開設定'); then
    shot publish-settings "$dialog"
    xdotool windowactivate --sync "$dialog" key Escape
    sleep 0.3
    check "Escape stored no publishing settings" test ! -e "$share/HbCalDav.ini"
else
    fail "Alt+T opened no publishing settings"
fi

# ---- 14. Printing: Ctrl+P shows the month page in Qt's preview; Ctrl+P there prints it, to a PDF in the
# program folder without a printer. The year page the same way, chosen through the remembered choices.
# 六曜 and the lunisolar date (Alt+R) reach every cell and the printed month page.
xdotool windowactivate --sync "$win" key alt+r
shot almanac-grid
check "Alt+R remembered 六曜 in HbView.ini" eventually grep -q 1 "$share/HbView.ini"
print_page print-preview Hibimo2024-12.pdf
check "the printed month page shows 六曜" sh -c "pdftotext '$share/Hibimo2024-12.pdf' - | grep -q '旧11/1'"
check "the month page is text, not an image" eventually sh -c "pdftotext '$share/Hibimo2024-12.pdf' - | grep -q '2024年12月.*令和6年'"
printf '1,0\r\n' >"$share/HbPrint.ini"
print_page print-preview-year Hibimo2024.pdf
check "the program ended" close_program

echo "e2e failures: $failures"
[ "$failures" -eq 0 ]
