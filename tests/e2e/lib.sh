# Shared helpers for the end-to-end tests: one Xvfb screen, one Wine prefix
# and (for printing) one CUPS queue per run, shared by every test; a fresh
# working folder and program process per test; screenshots compared with the
# page artwork pixel for pixel.
#
# run_all.sh calls e2e_setup once, then runs each test function in its own
# bash process (under a time limit) through e2e_run_test, and finally
# e2e_teardown. Everything a test needs is passed on in E2E_* variables.

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ROOT=$(cd "$E2E_DIR/../.." && pwd)

E2E_SCREEN_W=1024
E2E_SCREEN_H=768
E2E_CLIENT_W=415
E2E_CLIENT_H=450
E2E_SETTLE=${E2E_SETTLE:-0.4}        # pause after an action, seconds

e2e_log() { echo "[$(date +%T)] $*" >&2; }

# ---- the shared environment (run_all.sh) -----------------------------------

# Starts cupsd with a cups-pdf default queue (printing needs it to exist
# before the prefix is made), then Xvfb, then the Wine prefix.
e2e_setup() {
    E2E_TMP=$(mktemp -d /tmp/zorbel-e2e.XXXXXX)
    export E2E_TMP
    : > "$E2E_TMP/cleanup.env"
    e2e_start_cups || e2e_log "printing not available: print tests will fail"
    e2e_start_xvfb || return 1
    e2e_make_prefix || return 1
}

e2e_start_cups() {
    command -v cupsd >/dev/null && command -v lpadmin >/dev/null || return 1
    if ! timeout 5 lpstat -r 2>/dev/null | grep -q "is running"; then
        # -f keeps it in the foreground, so its pid is ours to end later.
        cupsd -f >"$E2E_TMP/cupsd.log" 2>&1 &
        echo "E2E_CUPSD_PID=$!" >> "$E2E_TMP/cleanup.env"
        local i
        for i in $(seq 1 50); do
            timeout 5 lpstat -r 2>/dev/null | grep -q "is running" && break
            sleep 0.1
        done
    fi
    if ! timeout 10 lpstat -p PDF >/dev/null 2>&1; then
        timeout 20 lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd || return 1
        echo "E2E_ADDED_QUEUE=PDF" >> "$E2E_TMP/cleanup.env"
    fi
    E2E_OLD_DEFAULT=$(timeout 5 lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
    if [ "$E2E_OLD_DEFAULT" != PDF ]; then
        timeout 10 lpadmin -d PDF || return 1
        echo "E2E_OLD_DEFAULT=$E2E_OLD_DEFAULT" >> "$E2E_TMP/cleanup.env"
    fi
    export E2E_PRINTER=PDF
}

e2e_start_xvfb() {
    # -displayfd lets the server take the first free display number itself.
    Xvfb -displayfd 3 -screen 0 ${E2E_SCREEN_W}x${E2E_SCREEN_H}x24 -nolisten tcp \
        3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    echo "E2E_XVFB_PID=$!" >> "$E2E_TMP/cleanup.env"
    local i
    for i in $(seq 1 100); do
        [ -s "$E2E_TMP/display" ] && break
        sleep 0.1
    done
    [ -s "$E2E_TMP/display" ] || { e2e_log "Xvfb did not start"; return 1; }
    export DISPLAY=:$(tr -d '\n' < "$E2E_TMP/display")
    E2E_ROOT_WINDOW=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
    export E2E_ROOT_WINDOW=$((E2E_ROOT_WINDOW))
    e2e_log "Xvfb on $DISPLAY"
}

e2e_make_prefix() {
    export WINEPREFIX="$E2E_TMP/prefix" WINEDEBUG=-all
    # No Mono or Gecko installer prompts while the prefix is made.
    WINEDLLOVERRIDES="mscoree,mshtml=" timeout 120 wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 \
        || { e2e_log "wineboot failed"; return 1; }
    echo "E2E_WINESERVER=1" >> "$E2E_TMP/cleanup.env"
    # A persistent server keeps every test's start-up warm.
    wineserver -p
    e2e_log "Wine prefix ready"
}

e2e_teardown() {
    [ -n "${E2E_TMP:-}" ] && [ -f "$E2E_TMP/cleanup.env" ] || return 0
    local E2E_CUPSD_PID="" E2E_ADDED_QUEUE="" E2E_XVFB_PID="" E2E_WINESERVER=""
    local E2E_OLD_DEFAULT="__none__"
    # shellcheck disable=SC1091
    . "$E2E_TMP/cleanup.env"
    if [ -n "$E2E_WINESERVER" ]; then
        WINEPREFIX="$E2E_TMP/prefix" timeout 20 wineserver -k 2>/dev/null
        WINEPREFIX="$E2E_TMP/prefix" timeout 20 wineserver -w 2>/dev/null
    fi
    [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null
    if [ -n "$E2E_ADDED_QUEUE" ]; then
        timeout 10 lpadmin -x "$E2E_ADDED_QUEUE" 2>/dev/null
    elif [ "$E2E_OLD_DEFAULT" != "__none__" ] && [ -n "$E2E_OLD_DEFAULT" ]; then
        timeout 10 lpadmin -d "$E2E_OLD_DEFAULT" 2>/dev/null
    fi
    [ -n "$E2E_CUPSD_PID" ] && kill "$E2E_CUPSD_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$E2E_TMP"
}

# Runs one test function in this (fresh) bash process. The reason for a
# failure goes to $E2E_REASON; the program started by the test is ended
# whatever happens.
e2e_run_test() {
    E2E_TEST=$1
    export E2E_TEST
    E2E_PID=""
    trap e2e_end_program EXIT
    trap 'exit 1' USR1
    trap 'fail "stopped (time limit)"' TERM
    "test_$E2E_TEST"
}

# fail REASON: ends the test. The first reason given is the one reported;
# called inside $(...), it stops the test's main shell as well.
fail() {
    [ -s "$E2E_REASON" ] || echo "$*" > "$E2E_REASON"
    [ "$BASHPID" = "$$" ] || kill -USR1 $$
    exit 1
}

# ---- the program -----------------------------------------------------------

# e2e_start: copies the exe into a fresh working folder and
# starts it there (it writes its files into its current folder), with the
# pointer parked outside where the window will be. Waits for the window and
# gives it the keyboard focus (there is no window manager to do that).
e2e_start() {
    E2E_WORK=$(mktemp -d "$E2E_TMP/work-$E2E_TEST.XXXX")
    cp "$E2E_EXE" "$E2E_WORK/ZorbelOrder.exe"
    # A stand-in browser: the program's shortcut ends up here instead of in a
    # real browser, and it tells the test which address it was given.
    mkdir -p "$E2E_WORK/bin"
    cat > "$E2E_WORK/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >> "$E2E_WORK/browser.log"
EOF
    chmod +x "$E2E_WORK/bin/xdg-open"
    xdotool mousemove 2 2
    (cd "$E2E_WORK" && PATH="$E2E_WORK/bin:$PATH" exec wine ./ZorbelOrder.exe >"$E2E_WORK/wine.log" 2>&1) &
    E2E_PID=$!
    E2E_WINDOW=$(e2e_wait_main_window 20) || fail "no 415x450 window appeared within 20 s"
    local geom
    geom=$(xdotool getwindowgeometry --shell "$E2E_WINDOW")
    E2E_OX=$(sed -n 's/^X=//p' <<<"$geom")
    E2E_OY=$(sed -n 's/^Y=//p' <<<"$geom")
    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
    sleep 0.6
}

# Prints the id of the program's visible 415x450 window.
e2e_wait_main_window() {
    local limit=$1 end w
    end=$(( $(date +%s) + limit ))
    while [ "$(date +%s)" -le "$end" ]; do
        for w in $(e2e_visible_windows); do
            if [ "$(e2e_window_size "$w")" = "${E2E_CLIENT_W}x${E2E_CLIENT_H}" ]; then
                echo "$w"
                return 0
            fi
        done
        kill -0 "$E2E_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Every visible top-level window but the root.
e2e_visible_windows() {
    local w
    for w in $(timeout 10 xdotool search --onlyvisible --name "" 2>/dev/null); do
        [ "$w" = "$E2E_ROOT_WINDOW" ] || echo "$w"
    done
}

e2e_window_size() {
    timeout 5 xdotool getwindowgeometry --shell "$1" 2>/dev/null |
        awk -F= '$1=="WIDTH"{w=$2} $1=="HEIGHT"{h=$2} END{print w "x" h}'
}

e2e_window_pos() {
    timeout 5 xdotool getwindowgeometry --shell "$1" 2>/dev/null |
        awk -F= '$1=="X"{x=$2} $1=="Y"{y=$2} END{print x "," y}'
}

e2e_window_name() {
    timeout 5 xdotool getwindowname "$1" 2>/dev/null
}

# e2e_find_window NAME [seconds]: prints the id of a visible window other
# than the program's own whose name is exactly NAME (blanks count).
e2e_find_window() {
    local name=$1 limit=${2:-10} end w
    end=$(( $(date +%s) + limit ))
    while [ "$(date +%s)" -le "$end" ]; do
        for w in $(e2e_visible_windows); do
            if [ "$w" != "$E2E_WINDOW" ] && [ "$(e2e_window_name "$w")" = "$name" ]; then
                echo "$w"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# e2e_wait_window_named NAME [seconds]: as e2e_find_window, and gives the
# window the focus.
e2e_wait_window_named() {
    local w
    w=$(e2e_find_window "$@") || return 1
    xdotool windowfocus --sync "$w" 2>/dev/null
    sleep 0.2
    echo "$w"
}

# e2e_other_windows: visible windows besides the main one, "id name" a line.
e2e_other_windows() {
    local w
    for w in $(e2e_visible_windows); do
        [ "$w" = "$E2E_WINDOW" ] || printf '%s [%s]\n' "$w" "$(e2e_window_name "$w")"
    done
}

e2e_running() { kill -0 "$E2E_PID" 2>/dev/null; }

# e2e_wait_exit [seconds]: waits for the program to end and sets
# E2E_EXIT_CODE to its exit code, or to "running" when it is still there
# after the time limit. (Not in $(...): only this shell can wait for it.)
e2e_wait_exit() {
    local limit=${1:-10} i
    for i in $(seq 1 $((limit * 10))); do
        e2e_running || break
        sleep 0.1
    done
    if e2e_running; then
        E2E_EXIT_CODE=running
        return 1
    fi
    wait "$E2E_PID" 2>/dev/null
    E2E_EXIT_CODE=$?
    E2E_PID=""
}

# Expects the program to end with exit code 0 within a few seconds.
e2e_expect_exit_0() {
    e2e_wait_exit 10
    [ "$E2E_EXIT_CODE" = 0 ] || fail "$1: program exit code $E2E_EXIT_CODE, expected 0"
}

e2e_end_program() {
    if [ -n "${E2E_PID:-}" ] && kill -0 "$E2E_PID" 2>/dev/null; then
        kill "$E2E_PID" 2>/dev/null
        sleep 0.3
        kill -9 "$E2E_PID" 2>/dev/null
    fi
    wait 2>/dev/null
}

# ---- the pointer and the keyboard ------------------------------------------

e2e_screen_x() { echo $((E2E_OX + $1)); }
e2e_screen_y() { echo $((E2E_OY + $1)); }

e2e_move() {
    xdotool mousemove "$((E2E_OX + $1))" "$((E2E_OY + $2))"
    sleep "$E2E_SETTLE"
}

e2e_click() {
    xdotool mousemove "$((E2E_OX + $1))" "$((E2E_OY + $2))"
    sleep 0.1
    xdotool click 1
    sleep "$E2E_SETTLE"
}

e2e_key() {
    xdotool key --delay 60 "$@"
    sleep "$E2E_SETTLE"
}

e2e_type() {
    xdotool type --delay 30 -- "$1"
    sleep "$E2E_SETTLE"
}

# Types text with a Return between lines: e2e_type_lines "one" "two".
e2e_type_lines() {
    local first=1 line
    for line in "$@"; do
        [ $first = 1 ] || xdotool key Return
        first=0
        xdotool type --delay 30 -- "$line"
    done
    sleep "$E2E_SETTLE"
}

# ---- screenshots and the artwork -------------------------------------------

# Numbers the shots of a test in the order taken (shots are mostly taken
# inside $(...), so the count lives in a file).
e2e_shot_name() {
    local count_file="$E2E_TMP/shots-$E2E_TEST" n
    n=$(( $(cat "$count_file" 2>/dev/null || echo 0) + 1 ))
    echo "$n" > "$count_file"
    printf '%s/%s-%02d-%s.png' "$E2E_SHOTS" "$E2E_TEST" "$n" "${1//[^A-Za-z0-9_-]/-}"
}

# e2e_shot LABEL: screenshot of the client area, kept in the results folder;
# prints its path.
e2e_shot() {
    local out
    out=$(e2e_shot_name "$1")
    timeout 20 import -window root "$E2E_TMP/root-$$.png" || fail "screenshot failed"
    convert "$E2E_TMP/root-$$.png" -crop "${E2E_CLIENT_W}x${E2E_CLIENT_H}+${E2E_OX}+${E2E_OY}" +repage "$out"
    echo "$out"
}

# e2e_full_shot LABEL: the whole screen (for dialogs and menus).
e2e_full_shot() {
    local out
    out=$(e2e_shot_name "$1")
    timeout 20 import -window root "$out" || fail "screenshot failed"
    echo "$out"
}

e2e_artwork() {
    case $1 in
        topics) echo "$E2E_ARTWORK/topics.bmp" ;;
        order) echo "$E2E_ARTWORK/order.bmp" ;;
        phone) echo "$E2E_ARTWORK/phone.bmp" ;;
        *) fail "no artwork named $1" ;;
    esac
}

# e2e_crop IMAGE X Y W H: a region as a PNG file in the temp folder; prints it.
e2e_crop() {
    local out
    out=$(mktemp "$E2E_TMP/region.XXXXXX").png
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$out"
    echo "$out"
}

# e2e_ae A B: number of differing pixels between two images of equal size.
e2e_ae() {
    compare -metric AE "$1" "$2" null: 2>&1 | awk '{printf "%d\n", $1}'
}

# e2e_art_diff SHOT ART X Y W H [ARTY]: pixels of the shot's region that
# differ from the artwork's region at the same place (or at row ARTY of the
# artwork, for the held-down looks).
e2e_art_diff() {
    local shot=$1 art=$2 x=$3 y=$4 w=$5 h=$6 ay=${7:-$4} a b
    a=$(e2e_crop "$shot" "$x" "$y" "$w" "$h")
    b=$(e2e_crop "$(e2e_artwork "$art")" "$x" "$ay" "$w" "$h")
    e2e_ae "$a" "$b"
}

# e2e_region_diff SHOT1 SHOT2 X Y W H: differing pixels between two shots.
e2e_region_diff() {
    local a b
    a=$(e2e_crop "$1" "$3" "$4" "$5" "$6")
    b=$(e2e_crop "$2" "$3" "$4" "$5" "$6")
    e2e_ae "$a" "$b"
}

# e2e_count_color SHOT X Y W H COLOUR: pixels of exactly that colour.
e2e_count_color() {
    local r
    r=$(e2e_crop "$1" "$2" "$3" "$4" "$5")
    convert "$r" -alpha off -fill black +opaque "$6" -fill white -opaque "$6" \
        -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}

e2e_count_white() { e2e_count_color "$1" "$2" "$3" "$4" "$5" "#FFFFFF"; }

# Fails unless the shot's region equals the artwork's.
expect_art() {
    local what=$1 shot=$2 art=$3 n
    shift 3
    n=$(e2e_art_diff "$shot" "$art" "$@")
    [ "$n" = 0 ] || fail "$what: $n pixels differ from $art artwork (region $*; $shot)"
}

# Fails when the shot's region equals the artwork's.
expect_not_art() {
    local what=$1 shot=$2 art=$3 n
    shift 3
    n=$(e2e_art_diff "$shot" "$art" "$@")
    [ "$n" != 0 ] || fail "$what: region $* still shows the bare $art artwork ($shot)"
}

# e2e_best_match LABEL ART|SHOT X Y W H [TRIES]: the caret blinks, so a
# region holding it matches only in the same phase; takes a few shots about
# a third of a second apart and prints the smallest difference found.
# A reference that is a PNG path is compared as a shot, else as artwork.
e2e_best_match() {
    local label=$1 ref=$2 x=$3 y=$4 w=$5 h=$6 tries=${7:-5} best=999999999 i shot n
    for i in $(seq 1 "$tries"); do
        shot=$(e2e_shot "$label")
        if [ -f "$ref" ]; then
            n=$(e2e_region_diff "$shot" "$ref" "$x" "$y" "$w" "$h")
        else
            n=$(e2e_art_diff "$shot" "$ref" "$x" "$y" "$w" "$h")
        fi
        [ "$n" -lt "$best" ] && best=$n
        [ "$best" = 0 ] && break
        sleep 0.3
    done
    echo "$best"
}

# ---- files -----------------------------------------------------------------

# vendor NAME: a contact value from app/Vendor.h, the one place they live.
# A value may be string pieces and other VENDOR_ macros side by side.
vendor() {
    local def token v=""
    def=$(sed -n "s/^#define $1 \(.*\)$/\1/p" "$E2E_ROOT/app/Vendor.h" | sed 's,[[:space:]]//[^"]*$,,')
    [ -n "$def" ] || fail "no $1 in app/Vendor.h"
    while read -r token; do
        case $token in
            \"*) token=${token#\"}; v+=${token%\"} ;;
            VENDOR_*) v+=$(vendor "$token") ;;
        esac
    done < <(grep -oE '"[^"]*"|VENDOR_[A-Z_]+' <<<"$def")
    printf '%s' "$v"
}

# e2e_wait_file PATH [seconds]
e2e_wait_file() {
    local i
    for i in $(seq 1 $(( ${2:-10} * 10 ))); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    [ -s "$1" ]
}

# Shows where two files first differ, for the failure message.
e2e_first_difference() {
    cmp "$1" "$2" 2>&1 | head -1
}

# ---- the order form --------------------------------------------------------

# The form's controls: the white box each one covers (x y w h).
declare -A E2E_FIELD_BOX=(
    [name]="93 33 309 18"
    [address]="93 60 309 54"
    [city]="93 123 107 18"
    [state]="245 123 31 18"
    [zip]="338 123 64 18"
    [email]="93 150 309 18"
    [heard]="248 177 154 18"
    [comments]="93 203 309 45"
    [cdrom]="18 253 12 12"
    [card]="63 329 162 18"
    [expiry]="303 329 77 18"
)
E2E_SELECTOR="127 304 288 18"        # (127,304)-(415,322)
E2E_TOTAL="304 362 111 18"           # (304,362)-(415,380)
E2E_ORDER_SAVE="132 426"
E2E_ORDER_PRINT="272 426"

e2e_field_centre() {
    local x y w h
    read -r x y w h <<<"${E2E_FIELD_BOX[$1]}"
    echo "$((x + w / 2)) $((y + h / 2))"
}

# From the topics page to the order form.
e2e_open_order_form() {
    e2e_click 273 426
    sleep 0.3
}

# e2e_fill FIELD TEXT...: clicks into the field and types; more than one
# TEXT are lines joined with Return. The Exp. Date field is emptied first.
e2e_fill() {
    local field=$1
    shift
    # shellcheck disable=SC2046
    e2e_click $(e2e_field_centre "$field")
    if [ "$field" = expiry ]; then
        xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
    fi
    e2e_type_lines "$@"
}

# e2e_choose_method N: opens the payment menu and picks item N (1-based).
e2e_choose_method() {
    local n=$1 keys=() i
    e2e_click 200 313
    e2e_wait_menu >/dev/null || fail "the payment method menu did not open"
    for i in $(seq 1 "$n"); do keys+=(Down); done
    xdotool key --delay 80 "${keys[@]}" Return
    sleep "$E2E_SETTLE"
}

# Prints the id of a newly shown popup menu: a visible window named "" that
# is not the program's own.
e2e_wait_menu() {
    e2e_find_window "" "${1:-5}"
}

# e2e_wait_gone WINDOW [seconds]: Wine takes about two seconds to take a
# closed window off a screen with no window manager.
e2e_wait_gone() {
    local i
    for i in $(seq 1 $(( ${2:-6} * 10 ))); do
        e2e_visible_windows | grep -qx "$1" || return 0
        sleep 0.1
    done
    return 1
}

# e2e_dismiss NAME: waits for the box named NAME, presses Return on it and
# waits for it to go; gives the focus back to the main window if it is open.
e2e_dismiss() {
    local box
    box=$(e2e_wait_window_named "$1" 10) || fail "no window named \"$1\" appeared; visible: $(e2e_other_windows | tr '\n' ' ')"
    e2e_full_shot "box-${1:-none}" >/dev/null
    xdotool key Return
    e2e_wait_gone "$box" || fail "the window named \"$1\" did not close on Return"
    if e2e_running; then
        xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
        sleep 0.2
    fi
}

# ---- the order text --------------------------------------------------------

# The order as the program composes it, written out line by line from the
# O_* values the test typed (line feeds between lines; a multi-line field,
# given with "|" between its lines, keeps the edit control's CR LF).
e2e_order_text() {
    local address=${O_ADDRESS//|/$'\r\n'} comments=${O_COMMENTS//|/$'\r\n'}
    printf '%s\n' \
        "Zorbel Solitaire v.1.0" \
        "------ For Windows 95/98 -----" \
        "" \
        "Please register me for Zorbel Solitaire." \
        "" \
        "I authorize Quintara Software to bill my credit card once in the amount of $O_PRICE" \
        "" \
        "MY INFO:" \
        "Name:     $O_NAME" \
        "Address:  $address" \
        "          $O_CITY, $O_STATE $O_ZIP" \
        "" \
        "Email:    $O_EMAIL" \
        "" \
        "Heard on: $O_HEARD" \
        "" \
        "Comment:" \
        "$comments"
    case $O_METHOD in
        "Check" | "Postal Money Order - in US dollars")
            printf '%s\n' \
                "" \
                "$O_METHOD" \
                "" \
                "Please make checks payable to Quintara Software." \
                ""
            ;;
        *)
            printf '%s\n' \
                "" \
                "Credit Card Type: $O_METHOD" \
                "Credit Card Num: $O_CARD"
            printf '%s' "Exp. Date: $O_EXPIRY"
            ;;
    esac
}

# The block a saved order ends with.
e2e_how_to_submit() {
    printf '\n\n'
    printf '%s\n' \
        "------------------------" \
        "How To Submit This Order" \
        "" \
        "E-Mail to:" \
        "   $(vendor VENDOR_SALES_EMAIL)" \
        "" \
        "Fax to:" \
        "   $(vendor VENDOR_FAX)" \
        "" \
        "Print, and mail to:" \
        "   Quintara Software" \
        "   $(vendor VENDOR_STREET)" \
        "   $(vendor VENDOR_CITY_LINE)" \
        "" \
        "You may also order through the web via our secure on-line store by going" \
        "to:" \
        "   $(vendor VENDOR_WEB_SITE)" \
        ""
    printf '%s' "                THANK YOU!"
}

# e2e_expected_order_file OUT: "My Order.txt" as it must be, byte for byte:
# the text and the block written in text mode (every line feed a CR LF).
e2e_expected_order_file() {
    { e2e_order_text; e2e_how_to_submit; } | sed -z 's/\n/\r\n/g' > "$1"
}

# Fails unless the saved order equals the expected one byte for byte.
expect_order_file() {
    local got="$E2E_WORK/My Order.txt" want="$E2E_TMP/expected-$E2E_TEST.txt"
    e2e_expected_order_file "$want"
    [ -f "$got" ] || fail "no \"My Order.txt\" in the working folder"
    cp "$got" "$E2E_SHOTS/$E2E_TEST-saved.txt"
    cp "$want" "$E2E_SHOTS/$E2E_TEST-expected.txt"
    cmp -s "$got" "$want" ||
        fail "\"My Order.txt\" differs from the expected order: $(e2e_first_difference "$got" "$want") (both in $E2E_SHOTS)"
}
