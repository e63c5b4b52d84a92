# A long session in one process: hundreds of page switches and payment
# menus sent without waiting for each one (the program takes its input in
# order), the pages checked now and then and at the end, and the process's
# memory watched from start to end.
# shellcheck shell=bash disable=SC2086,SC2046
# (Points and regions are "x y" / "x y w h" strings split into arguments on
# purpose.)

SOAK_SWITCHES=${E2E_SOAK_SWITCHES:-200}
SOAK_MENUS=${E2E_SOAK_MENUS:-200}
SOAK_SWITCH_CHECK=25        # check the page every this many switches
SOAK_MENU_CHECK=50          # and the form every this many menus
SOAK_CATCH_UP=10            # seconds the program may lag behind the input
SOAK_BUDGET=120             # seconds for the whole soak
SOAK_RSS_GROWTH_KB=20480    # allowed growth of the program's resident memory
# and its growth once every page has been shown a few times (the first
# order form loads the controls' code and fonts, about 8 MB under Wine)
SOAK_RSS_WARM_GROWTH_KB=5120

# Client points: the centres of the buttons' hot rectangles.
SOAK_BY_PHONE="156 426"
SOAK_PHONE_BACK="308 426"
SOAK_BY_EMAIL="273 426"
SOAK_ORDER_BACK="381 426"

# Regions no text is ever drawn on, one per page (the topics page's is the
# card picture): x y w h.
SOAK_TOPICS_PLAIN="10 190 85 200"
SOAK_PHONE_PLAIN="10 270 85 120"
SOAK_ORDER_PLAIN="0 0 415 30"
SOAK_BAND="0 406 415 44"

# One cycle of the page switches and the page each one leads to.
SOAK_CYCLE_POINTS=("$SOAK_BY_PHONE" "$SOAK_PHONE_BACK" "$SOAK_BY_EMAIL" "$SOAK_ORDER_BACK")
SOAK_CYCLE_PAGES=(phone topics order topics)

# Menu items chosen just before each form check, by turns: the longest name
# (it runs past the selector) and the shortest, so every check after the
# first two has a shot of the same method to equal.
SOAK_MARK_ITEMS=(2 1)

# soak_now: milliseconds since the epoch.
soak_now() { echo $(($(date +%s%N) / 1000000)); }

soak_seconds() { printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)); }

# The Wine process that runs the program: the one started by e2e_start
# (wine execs into it), else one whose working folder is the test's.
soak_program_pid() {
    local p
    if tr '\0' ' ' < "/proc/$E2E_PID/cmdline" 2>/dev/null | grep -q 'ZorbelOrder\.exe'; then
        echo "$E2E_PID"
        return 0
    fi
    for p in $(pgrep -f 'ZorbelOrder\.exe'); do
        if [ "$(readlink "/proc/$p/cwd")" = "$E2E_WORK" ]; then
            echo "$p"
            return 0
        fi
    done
    return 1
}

# soak_rss PID: resident memory in kB.
soak_rss() {
    awk '$1 == "VmRSS:" {print $2}' "/proc/$1/status" 2>/dev/null
}

# The resident memory of this run's Wine server (others may be running for
# other prefixes), or "?".
soak_wineserver_rss() {
    local p
    for p in $(pgrep -x 'wineserver(64)?'); do
        if tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            soak_rss "$p"
            return 0
        fi
    done
    echo "?"
}

soak_plain_region() {
    case $1 in
        topics) echo "$SOAK_TOPICS_PLAIN" ;;
        phone) echo "$SOAK_PHONE_PLAIN" ;;
        order) echo "$SOAK_ORDER_PLAIN" ;;
    esac
}

# soak_click X Y: one click at a client point, sent without waiting.
soak_click() {
    xdotool mousemove "$((E2E_OX + $1))" "$((E2E_OY + $2))" mousedown 1 mouseup 1
}

# soak_check PAGE LABEL: the program is still there and, once it has caught
# up with the input sent so far, shows PAGE's artwork on the button band and
# on the page's text-free region, pixel for pixel. Sets SOAK_SHOT to the
# matching screenshot.
soak_check() {
    local page=$1 label=$2 t0 band plain shot
    e2e_running || fail "$label: the program ended"
    [ "$(e2e_window_size "$E2E_WINDOW")" = "${E2E_CLIENT_W}x${E2E_CLIENT_H}" ] ||
        fail "$label: the program's window is gone"
    t0=$(soak_now)
    while :; do
        shot=$(e2e_shot "$label")
        band=$(e2e_art_diff "$shot" "$page" $SOAK_BAND)
        plain=$(e2e_art_diff "$shot" "$page" $(soak_plain_region "$page"))
        [ "$band" = 0 ] && [ "$plain" = 0 ] && break
        e2e_running || fail "$label: the program ended"
        [ $(($(soak_now) - t0)) -lt $((SOAK_CATCH_UP * 1000)) ] ||
            fail "$label: after ${SOAK_CATCH_UP} s the $page page's artwork still differs ($band pixels on the button band, $plain on the page; $shot)"
        rm -f "$shot"
        sleep 0.15
    done
    SOAK_SHOT=$shot
    e2e_log "$label: $page page shown, caught up in $(soak_seconds $(($(soak_now) - t0))) s; RSS $(soak_rss "$SOAK_PID") kB"
    # Keys go to the window that has the X focus; nothing else gives it back.
    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
}

# soak_menu_item I: what the I-th opening of the payment menu does: 0 closes
# it with Escape, 1 to 6 picks that item.
soak_menu_item() {
    local i=$1
    if [ $((i % SOAK_MENU_CHECK)) = $((SOAK_MENU_CHECK - 1)) ]; then
        echo "${SOAK_MARK_ITEMS[$(((i / SOAK_MENU_CHECK) % ${#SOAK_MARK_ITEMS[@]}))]}"
    elif [ $((i % SOAK_MENU_CHECK)) = 0 ] || [ $((i % 3)) = 0 ]; then
        echo 0
    else
        echo $(((i * 5 + i / 6) % 6 + 1))
    fi
}

test_soak_pages_and_menus() {
    e2e_start
    local rss0 rss_warm="" rss1 rss2 ws0 ws2 t_start t_switches t_menus t_end
    SOAK_PID=$(soak_program_pid) || fail "no Wine process running ZorbelOrder.exe"
    soak_check topics start
    rss0=$(soak_rss "$SOAK_PID")
    ws0=$(soak_wineserver_rss)
    e2e_log "program pid $SOAK_PID: RSS $rss0 kB at the start (wineserver $ws0 kB)"
    t_start=$(soak_now)

    # Page switches round the cycle: phone, back, order form, back.
    local i page=topics
    for i in $(seq 1 "$SOAK_SWITCHES"); do
        soak_click ${SOAK_CYCLE_POINTS[$(((i - 1) % 4))]}
        page=${SOAK_CYCLE_PAGES[$(((i - 1) % 4))]}
        if [ $((i % SOAK_SWITCH_CHECK)) = 0 ] || [ "$i" = "$SOAK_SWITCHES" ]; then
            soak_check "$page" "switch-$i"
            [ -n "$rss_warm" ] || rss_warm=$(soak_rss "$SOAK_PID")
        fi
    done
    t_switches=$(soak_now)
    rss1=$(soak_rss "$SOAK_PID")
    e2e_log "$SOAK_SWITCHES page switches in $(soak_seconds $((t_switches - t_start))) s; RSS $rss1 kB"

    # Onto the form for the menus (from whichever page the switches ended on).
    case $page in
        phone) soak_click $SOAK_PHONE_BACK ;;
    esac
    [ "$page" = order ] || soak_click $SOAK_BY_EMAIL
    soak_check order form
    local -A selector_of=()
    selector_of[0]=$(e2e_crop "$SOAK_SHOT" $E2E_SELECTOR)

    # Payment menus. Consecutive clicks land on different parts of the
    # selector: two quick clicks on one spot would make a double click,
    # which opens no menu.
    # The first menu is waited for: it shows as a window of its own.
    local menu
    xdotool mousemove "$((E2E_OX + 200))" "$((E2E_OY + 313))" mousedown 1 mouseup 1
    menu=$(e2e_wait_menu) || fail "no payment menu window after a click on the selector"
    xdotool key Escape
    e2e_wait_gone "$menu" || fail "the payment menu stayed open after Escape"
    soak_check order menu-0

    local item last=0 keys n x ref now seen="" count=(0 0 0 0 0 0 0)
    for i in $(seq 1 "$SOAK_MENUS"); do
        x=$((140 + (i % 5) * 55))
        item=$(soak_menu_item "$i")
        count[item]=$((count[item] + 1))
        if [ "$item" = 0 ]; then
            keys=(Escape)
        else
            keys=()
            for n in $(seq 1 "$item"); do keys+=(Down); done
            keys+=(Return)
            last=$item
        fi
        xdotool mousemove "$((E2E_OX + x))" "$((E2E_OY + 313))" mousedown 1 mouseup 1 key --delay 5 "${keys[@]}"
        if [ $((i % SOAK_MENU_CHECK)) = 0 ] || [ "$i" = "$SOAK_MENUS" ]; then
            soak_check order "menu-$i"
            [ "$last" != 0 ] || fail "menu-$i: no method was chosen"
            ref=${selector_of[$last]:-}
            now=$(e2e_crop "$SOAK_SHOT" $E2E_SELECTOR)
            [ "$(e2e_ae "$now" "${selector_of[0]}")" != 0 ] ||
                fail "menu-$i: the selector still shows no method after choosing item $last ($SOAK_SHOT)"
            if [ -n "$ref" ]; then
                n=$(e2e_ae "$now" "$ref")
                [ "$n" = 0 ] || fail "menu-$i: the selector for item $last differs from an earlier shot of it in $n pixels ($SOAK_SHOT)"
            else
                for ref in "${!selector_of[@]}"; do
                    [ "$(e2e_ae "$now" "${selector_of[$ref]}")" != 0 ] ||
                        fail "menu-$i: the selector for item $last looks like the one for item $ref ($SOAK_SHOT)"
                done
                selector_of[$last]=$now
                seen+=" $last"
            fi
        fi
    done
    t_menus=$(soak_now)
    e2e_log "$SOAK_MENUS payment menus in $(soak_seconds $((t_menus - t_switches))) s (closed with Escape ${count[0]} times; items 1-6 chosen ${count[*]:1} times); selector shots of items:$seen"

    # Back to the topics page: the card picture and the band as drawn.
    soak_click $SOAK_ORDER_BACK
    soak_check topics end
    t_end=$(soak_now)
    rss2=$(soak_rss "$SOAK_PID")
    ws2=$(soak_wineserver_rss)
    local total=$((t_end - t_start))
    e2e_log "soak: $SOAK_SWITCHES page switches and $SOAK_MENUS payment menus in $(soak_seconds $total) s"
    e2e_log "program RSS: $rss0 kB at the start, $rss_warm kB after $SOAK_SWITCH_CHECK switches, $rss1 kB after the switches, $rss2 kB at the end ($((rss2 - rss0)) kB growth, $((rss2 - rss_warm)) kB after warming up); wineserver $ws0 kB -> $ws2 kB"
    printf 'duration_ms=%s\nrss_start_kb=%s\nrss_warm_kb=%s\nrss_after_switches_kb=%s\nrss_end_kb=%s\nwineserver_start_kb=%s\nwineserver_end_kb=%s\n' \
        "$total" "$rss0" "$rss_warm" "$rss1" "$rss2" "$ws0" "$ws2" > "$E2E_SHOTS/$E2E_TEST-figures.txt"
    [ $((rss2 - rss0)) -le "$SOAK_RSS_GROWTH_KB" ] ||
        fail "the program's resident memory grew from $rss0 kB to $rss2 kB"
    [ $((rss2 - rss_warm)) -le "$SOAK_RSS_WARM_GROWTH_KB" ] ||
        fail "the program's resident memory grew from $rss_warm kB after $SOAK_SWITCH_CHECK switches to $rss2 kB at the end"
    [ "$total" -le $((SOAK_BUDGET * 1000)) ] ||
        fail "the soak took $(soak_seconds $total) s, more than $SOAK_BUDGET s"

    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
    e2e_key Escape
    e2e_expect_exit_0 "Esc after the soak"
}
