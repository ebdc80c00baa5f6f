# The end-to-end test's helpers: checks, the X server and window manager, the program and its windows.
# Sourced by run_e2e.sh, which sets $out, $work, $folder, $build and $failures.
pass() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# check <what> <command...>: passes when the command holds; check_not: when it does not.
check() { local what="$1"; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
check_not() { local what="$1"; shift; if "$@"; then fail "$what"; else pass "$what"; fi; }
# Runs a check until it holds, for up to five seconds (a slow machine may still be writing or painting).
eventually() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; return 1; }
# Whether the input has a matching line. It reads all of it: "grep -q" stops at the first match, and
# under pipefail the writer's broken pipe would then count as a failure.
has() { grep -c "$@" >/dev/null; }
year_file_text() { iconv -f CP932 -t UTF-8 "${2:-$folder}/HB$1.hbd"; }
in_year() { year_file_text "$1" "${3:-$folder}" | has "$2"; }

# An X server that picks a free display itself and names it on the given fd's file: guessing a number
# from the lock files can land on a display that another server here answers. -noreset: by default Xvfb
# resets when its last client leaves, and a client connecting during the reset is refused.
start_x() { # <file> <size>
    Xvfb -displayfd 3 -screen 0 "$2" -nolisten tcp -noreset 3>"$1" >>"$out/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 200); do [ -s "$1" ] && return 0; sleep 0.1; done
    return 1
}

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
# start_program [program folder] [today]: libfaketime preloaded straight into the program (the faketime
# command would stand between it and the signals sent to it); "@" lets the clock run, so timers work.
start_program() {
    (cd "$work" && LD_PRELOAD="$libfaketime" FAKETIME="@${2:-2024-12-15} 10:00:00" exec "${1:-$folder}/hibimo" \
        >"$out/program.log" 2>&1) &
    program=$!
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
message_up() { xdotool search --onlyvisible --name '^Hibimo$|年分作成' 2>/dev/null | head -n 1; }
# Presses Enter in every message box until none shows for a while; the first may be photographed.
answer_messages() {
    local quiet=0 w shot="${1:-}"
    for _ in $(seq 100); do
        w=$(message_up)
        if [ -n "$w" ]; then
            [ -n "$shot" ] && { sleep 0.5; import -window root "$out/$shot.png"; shot=; }
            xdotool windowactivate --sync "$w" key Return 2>/dev/null
            quiet=0
        else
            quiet=$((quiet + 1))
            [ "$quiet" -ge 10 ] && return 0
        fi
        sleep 0.2
    done
}
open_calendar() { start_program "$@"; answer_messages; win=$(wait_window '^Hibimoyomi$'); sleep 0.5; }
ended() { for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
close_program() { wmctrl -F -c Hibimoyomi; ended; }
terminate() { kill -TERM "$program"; ended; }
# Clicks a point given in twips of a window's client area.
click_twips() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click --repeat "${4:-1}" --delay 80 1; }
# Double-clicks a day's public line (grid column, row) and types into the memo dialog; Enter twice stores.
type_day_note() { # <column> <row> <text> [keys after typing]
    click_twips "$win" $((1665 + 1200 * $1 + 500)) $((1020 + 1050 * $2 + 140)) 2
    local dialog
    dialog=$(wait_window '^Hbmメモ入力$') || return 1
    xdotool windowactivate --sync "$dialog"
    xdotool type --delay 100 "$3"
    [ $# -gt 3 ] && return 0
    xdotool key Return && sleep 0.3 && xdotool key Return
}
shot() { sleep 0.5; import -window "${2:-$win}" "$out/$1.png"; }
# The number of pixels of a colour in a rectangle (w h x y, in pixels) of a fresh shot of the window.
pixels_of() {
    shot "$1"
    convert "$out/$1.png" -crop "$3x$4+$5+$6" +repage -fill black +opaque "$2" -format '%[fx:mean*w*h]' info: \
        2>/dev/null | cut -d. -f1
}

install_to() { cmake --install "$build" --prefix "$1" >/dev/null || fail "install into $1"; }
same_shots() { [ "$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1)" = 0 ]; }
wheel() { xdotool mousemove --window "$win" $(((1665 + 1200 * 3 + 500) / 15)) $(((1245 + 1050 * 3 + 200) / 15)) click "$1"; }
shot_at_scale() {
    (
        export DISPLAY=":$(head -n 1 "$work/display2")" QT_SCALE_FACTOR="$1"
        start_program
        w=$(wait_window '^Hibimoyomi$') && sleep 1 &&
            xwininfo -id "$w" | sed -n 's/^ *\(Width\|Height\): *//p' | paste -sd x >"$work/size$1" &&
            import -window "$w" "$out/scale$1-window.png"
        terminate
    )
}
print_page() { # <shot> <pdf>
    xdotool windowactivate --sync "$win" key ctrl+p
    local preview dialog
    preview=$(wait_window '^印刷プレビュー$') || { fail "Ctrl+P opened no preview"; return; }
    shot "$1" root
    xdotool windowactivate --sync "$preview" key ctrl+p
    dialog=$(wait_window '^印刷$') || { fail "no print dialog"; return; }
    xdotool windowactivate --sync "$dialog" key Return
    answer_messages
    check "printed $2" test -s "$share/$2"
    pdftoppm -png -r 60 -singlefile "$share/$2" "$out/${2%.pdf}"
    cp "$share/$2" "$out/"
}
