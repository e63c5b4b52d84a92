# The window, the image buttons, page switches, the online order shortcut
# and the ways out of the program.
# shellcheck shell=bash disable=SC2086,SC2046,SC2034,SC2016
# (Regions are "x y w h" strings split into arguments on purpose; the O_*
# values are read by the order builders in lib.sh.)

# Client points on the button band (centres of the hot rectangles).
REGISTER_ONLINE="58 426"
BY_PHONE="156 426"
BY_EMAIL="273 426"
TOPICS_EXIT="381 426"
PHONE_BACK="308 426"
PHONE_EXIT="381 426"
ORDER_BACK="381 426"

# Regions no text is ever drawn on, one per page: x y w h.
TOPICS_PLAIN="10 190 85 200"
PHONE_PLAIN="10 270 85 120"
ORDER_PLAIN="0 0 415 30"

# expect_page NAME LABEL: the shown page is NAME's artwork (band and plain region).
expect_page() {
    local page=$1 label=$2 shot plain
    shot=$(e2e_shot "$label")
    case $page in
        topics) plain=$TOPICS_PLAIN ;;
        phone) plain=$PHONE_PLAIN ;;
        order) plain=$ORDER_PLAIN ;;
    esac
    expect_art "$label: button band" "$shot" "$page" 0 406 415 44
    expect_art "$label: page" "$shot" "$page" $plain
}

test_shell_window_geometry() {
    e2e_start
    local size
    size=$(e2e_window_size "$E2E_WINDOW")
    [ "$size" = 415x450 ] || fail "client area is $size, expected 415x450"
    # A frame of the same width on both sides leaves the client area centred
    # give or take the odd pixel of 1024 - 415 and 768 - 450.
    local dx=$((2 * E2E_OX + 415 - E2E_SCREEN_W)) dy=$((2 * E2E_OY + 450 - E2E_SCREEN_H))
    [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ] ||
        fail "client area at $E2E_OX,$E2E_OY is not centred on the ${E2E_SCREEN_W}x${E2E_SCREEN_H} screen"
}

test_shell_button_band() {
    e2e_start
    local shot
    shot=$(e2e_shot topics)
    expect_art "button band" "$shot" topics 0 406 415 44
}

# While held with the pointer on it a button shows its held-down look (the
# artwork's strip below the page); off it, the normal look; released off it,
# nothing happens; dragged out of the window and back, then released, it
# sends its command.
test_shell_held_button() {
    e2e_start
    local shot
    e2e_move $BY_PHONE
    xdotool mousedown 1
    sleep "$E2E_SETTLE"
    shot=$(e2e_shot held-on)
    expect_art "held By Phone" "$shot" topics 116 406 80 44 450
    expect_art "band left of the held button" "$shot" topics 0 406 116 44
    expect_art "band right of the held button" "$shot" topics 196 406 219 44

    e2e_move 156 300
    shot=$(e2e_shot held-off)
    expect_art "held, pointer off the button" "$shot" topics 0 406 415 44

    e2e_move $BY_PHONE
    shot=$(e2e_shot held-back-on)
    expect_art "held, pointer back on the button" "$shot" topics 116 406 80 44 450

    # Above the window the pointer arrives as a huge unsigned y.
    e2e_move 156 -40
    shot=$(e2e_shot held-above-window)
    expect_art "held, pointer above the window" "$shot" topics 0 406 415 44

    e2e_move 156 300
    xdotool mouseup 1
    sleep 1
    expect_page topics released-off

    # Pressed, dragged away and back, released on it: the command goes out.
    e2e_move $BY_PHONE
    xdotool mousedown 1
    sleep "$E2E_SETTLE"
    e2e_move 156 -40
    e2e_move $BY_PHONE
    xdotool mouseup 1
    sleep 1
    expect_page phone released-on
}

test_shell_register_online() {
    e2e_start
    local url expected
    url="http://$(vendor VENDOR_WEB_HOST)/html/zorbel_order.html"
    expected="$E2E_TMP/expected-$E2E_TEST.url"
    printf '[InternetShortcut]\r\nURL=%s' "$url" > "$expected"

    e2e_click $REGISTER_ONLINE
    e2e_wait_file "$E2E_WORK/quintara.url" 5 || fail "no quintara.url in the working folder"
    sleep 0.5
    cmp -s "$E2E_WORK/quintara.url" "$expected" ||
        fail "quintara.url: $(e2e_first_difference "$E2E_WORK/quintara.url" "$expected"); got $(od -c "$E2E_WORK/quintara.url" | head -3 | tr -s ' \n' ' ')"

    # Once more over an older, longer file: it is rewritten whole.
    head -c 300 /dev/zero | tr '\0' 'x' > "$E2E_WORK/quintara.url"
    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
    e2e_click $REGISTER_ONLINE
    sleep 1
    cmp -s "$E2E_WORK/quintara.url" "$expected" ||
        fail "second Register Online: $(e2e_first_difference "$E2E_WORK/quintara.url" "$expected")"

    # Wine hands the shortcut to its browser launcher, which runs the
    # stand-in xdg-open of e2e_start if it gets that far.
    if [ -s "$E2E_WORK/browser.log" ]; then
        grep -qxF "$url" "$E2E_WORK/browser.log" ||
            fail "the browser was given $(head -1 "$E2E_WORK/browser.log"), expected $url"
    fi

    # Still there and still answering.
    sleep 1
    e2e_running || fail "the program ended after Register Online"
    expect_page topics still-open
    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
    e2e_key Escape
    e2e_expect_exit_0 "Esc after Register Online"
}

test_shell_page_switches() {
    e2e_start
    expect_page topics start
    e2e_click $BY_PHONE
    expect_page phone by-phone

    # On the Back picture but right of its hot rectangle: nothing happens.
    e2e_click 338 426
    sleep 0.5
    expect_page phone beside-back

    e2e_click $PHONE_BACK
    expect_page topics back-from-phone
    e2e_click $BY_EMAIL
    expect_page order by-email
    e2e_click $ORDER_BACK
    expect_page topics back-from-order

    # The phone page's Exit ends the program too.
    e2e_click $BY_PHONE
    expect_page phone by-phone-again
    e2e_click $PHONE_EXIT
    e2e_expect_exit_0 "Exit on the phone page"
}

test_shell_exit_button() {
    e2e_start
    e2e_click $TOPICS_EXIT
    e2e_expect_exit_0 "Exit button"
}

test_shell_escape_key() {
    e2e_start
    e2e_key Escape
    e2e_expect_exit_0 "Esc"
}

# Wine turns Enter on the hidden cancel button into IDOK, which must do
# nothing; Space on it is the exit command.
test_shell_space_key() {
    e2e_start
    e2e_key Return
    sleep 1
    e2e_running || fail "Enter (IDOK under Wine) ended the program"
    e2e_key space
    e2e_expect_exit_0 "Space on the hidden cancel button"
}
