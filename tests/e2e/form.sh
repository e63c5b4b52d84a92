# The order form: its controls over the artwork, the total, the payment
# method menu, the tab order, the text limits and a fresh form per visit.
# shellcheck shell=bash disable=SC2086,SC2046,SC2034,SC2016
# (Regions are "x y w h" strings split into arguments on purpose; the O_*
# values are read by the order builders in lib.sh.)

# expect_frame_untouched SHOT FIELD: fails unless the two-pixel artwork
# frame around the field's white box is untouched, i.e. the control sits
# exactly on its box.
expect_frame_untouched() {
    local shot=$1 field=$2 x y w h
    read -r x y w h <<<"${E2E_FIELD_BOX[$field]}"
    expect_art "$field: frame above" "$shot" order $((x - 2)) $((y - 2)) $((w + 4)) 2
    expect_art "$field: frame below" "$shot" order $((x - 2)) $((y + h)) $((w + 4)) 2
    expect_art "$field: frame left" "$shot" order $((x - 2)) "$y" 2 "$h"
    expect_art "$field: frame right" "$shot" order $((x + w)) "$y" 2 "$h"
}

test_form_initial() {
    e2e_start
    e2e_open_order_form
    local shot field best
    shot=$(e2e_shot order-form)
    for field in "${!E2E_FIELD_BOX[@]}"; do
        expect_frame_untouched "$shot" "$field"
    done
    # Empty fields without the caret are their white boxes and nothing else.
    for field in address city state zip email heard comments card; do
        expect_art "empty $field" "$shot" order ${E2E_FIELD_BOX[$field]}
    done
    # The Name field has the caret, which blinks.
    best=$(e2e_best_match name-field order ${E2E_FIELD_BOX[name]} 6)
    [ "$best" = 0 ] || fail "the empty Name field differs from its white box by $best pixels at best"
    expect_not_art "Exp. Date (mm/yy)" "$shot" order ${E2E_FIELD_BOX[expiry]}
    expect_not_art "payment method selector" "$shot" order $E2E_SELECTOR
    expect_not_art "total" "$shot" order $E2E_TOTAL
    # Nothing of the topics page is left over.
    expect_art "heading" "$shot" order 0 0 415 30
    expect_art "button band" "$shot" order 0 406 415 44
}

# total_of SHOT: the total's region of a shot, for comparing with others.
total_of() { e2e_crop "$1" $E2E_TOTAL; }

test_form_total() {
    e2e_start
    e2e_open_order_form
    local plain ny ny_cd cd back shot
    e2e_click $(e2e_field_centre state)
    plain=$(total_of "$(e2e_shot plain)")
    e2e_type ny
    ny=$(total_of "$(e2e_shot state-ny)")
    [ "$(e2e_ae "$plain" "$ny")" != 0 ] || fail "typing ny into State left the total as it was"
    e2e_click $(e2e_field_centre cdrom)
    ny_cd=$(total_of "$(e2e_shot state-ny-cdrom)")
    [ "$(e2e_ae "$ny" "$ny_cd")" != 0 ] || fail "ticking CD-ROM with State NY left the total as it was"
    [ "$(e2e_ae "$plain" "$ny_cd")" != 0 ] || fail "State NY with CD-ROM shows the plain total"
    # One letter less: CD-ROM alone.
    e2e_click $(e2e_field_centre state)
    e2e_key End BackSpace
    cd=$(total_of "$(e2e_shot cdrom-only)")
    for shot in "$plain" "$ny" "$ny_cd"; do
        [ "$(e2e_ae "$shot" "$cd")" != 0 ] || fail "the CD-ROM-only total looks like another total"
    done
    # Unticked again: back to the plain total, pixel for pixel.
    e2e_click $(e2e_field_centre cdrom)
    back=$(total_of "$(e2e_shot plain-again)")
    [ "$(e2e_ae "$plain" "$back")" = 0 ] || fail "with State N and no CD-ROM the total is not the plain one again"
}

test_form_payment_menu() {
    e2e_start
    e2e_open_order_form
    local before menu pos visa discover shot
    before=$(e2e_shot before-menu)
    e2e_click 200 313
    menu=$(e2e_wait_menu) || fail "no popup menu after a click on the payment method selector"
    pos=$(e2e_window_pos "$menu")
    [ "$pos" = "$(e2e_screen_x 127),$(e2e_screen_y 322)" ] ||
        fail "the menu opened at $pos, expected the selector's bottom-left corner $(e2e_screen_x 127),$(e2e_screen_y 322)"
    e2e_full_shot menu-open >/dev/null
    xdotool key --delay 80 Down Down Down Return
    e2e_wait_gone "$menu" || fail "the menu stayed open after Return"
    visa=$(e2e_shot visa)
    [ "$(e2e_region_diff "$before" "$visa" $E2E_SELECTOR)" != 0 ] || fail "choosing item 3 left the selector as it was"

    e2e_choose_method 6
    discover=$(e2e_shot discover)
    [ "$(e2e_region_diff "$visa" "$discover" $E2E_SELECTOR)" != 0 ] || fail "choosing item 6 after item 3 left the selector as it was"

    # Closed without a choice: nothing changes.
    e2e_click 200 313
    menu=$(e2e_wait_menu) || fail "the menu did not open a second time"
    e2e_full_shot menu-with-check >/dev/null
    xdotool key Escape
    e2e_wait_gone "$menu" || fail "the menu stayed open after Escape"
    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
    shot=$(e2e_shot escaped)
    [ "$(e2e_region_diff "$discover" "$shot" $E2E_SELECTOR)" = 0 ] || fail "Escape on the menu changed the selector"

    # The selector's rectangle counts its edges; one pixel beyond, nothing.
    e2e_click 380 322
    menu=$(e2e_wait_menu) || fail "a click at (380,322) did not open the menu"
    xdotool key Escape
    e2e_wait_gone "$menu" || fail "the menu stayed open after Escape"
    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
    local point
    for point in "381 322" "127 323"; do
        e2e_click $point
        sleep 0.6
        if menu=$(e2e_wait_menu 0); then
            xdotool key Escape
            fail "a click at ($point), outside the selector, opened the menu"
        fi
    done
}

# Tab from Name walks every control in table order; from Exp. Date it
# reaches the hidden cancel button and then Name again. Each field gets its
# text by Tab alone, and the saved order shows where each text landed.
test_form_tab_order() {
    e2e_start
    e2e_open_order_form
    O_NAME="Tabitha Order" O_ADDRESS="Tab Street 2" O_CITY="Tabton" O_STATE="NY" O_ZIP="10001"
    O_EMAIL="tab@order.example" O_HEARD="Tab friends" O_COMMENTS="Tabbed in" O_METHOD="Visa"
    O_CARD="4000 1234" O_EXPIRY="11/31" O_PRICE='$27.00 U.S.'
    e2e_click $(e2e_field_centre name)
    e2e_type "first try"
    local text
    for text in "$O_ADDRESS" "$O_CITY" "ny" "$O_ZIP" "$O_EMAIL" "$O_HEARD" "$O_COMMENTS"; do
        e2e_key Tab
        e2e_type "$text"
    done
    e2e_key Tab
    e2e_key space                 # the CD-ROM box
    e2e_key Tab
    e2e_type "$O_CARD"
    e2e_key Tab                   # Exp. Date: its "mm/yy" is selected
    e2e_type "$O_EXPIRY"
    e2e_key Tab                   # the hidden cancel button takes no text
    e2e_type "q"
    e2e_key Tab                   # Name again, its text selected
    e2e_type "$O_NAME"
    e2e_choose_method 3
    e2e_click $E2E_ORDER_SAVE
    e2e_dismiss "Thank you!"
    e2e_expect_exit_0 "after saving"
    expect_order_file
}

# State takes 2 characters, Card # 20, Exp. Date 5; the rest is dropped.
test_form_limits() {
    e2e_start
    e2e_open_order_form
    O_NAME="Lim Its" O_ADDRESS="1 Limit Road" O_CITY="" O_STATE="NY" O_ZIP=""
    O_EMAIL="" O_HEARD="" O_COMMENTS="" O_METHOD="Mastercard"
    O_CARD="5123-4567-8901-2345-" O_EXPIRY="07/29" O_PRICE='$16.18 U.S.'
    e2e_fill name "$O_NAME"
    e2e_fill address "$O_ADDRESS"
    e2e_fill state "nyc"
    e2e_fill card "${O_CARD}6789-0000"
    e2e_fill expiry "07/2999"
    e2e_choose_method 4
    e2e_click $E2E_ORDER_SAVE
    e2e_dismiss "Thank you!"
    e2e_expect_exit_0 "after saving"
    expect_order_file
}

# Back and the order button again: a new, empty form, exactly as at first.
test_form_fresh_after_back() {
    e2e_start
    e2e_open_order_form
    local area="0 28 415 362" refs=() i shot ref found=""
    for i in 1 2 3; do
        refs+=("$(e2e_shot first-visit)")
        sleep 0.3
    done
    e2e_fill name "Someone Else"
    e2e_fill city "Elsewhere"
    e2e_fill state "ny"
    e2e_fill expiry "01/30"
    e2e_click $(e2e_field_centre cdrom)
    e2e_choose_method 2
    shot=$(e2e_shot filled)
    [ "$(e2e_region_diff "${refs[0]}" "$shot" $area)" != 0 ] || fail "typing into the form changed nothing on screen"

    e2e_click 381 426             # Back
    e2e_open_order_form
    for i in 1 2 3 4 5 6; do
        shot=$(e2e_shot second-visit)
        for ref in "${refs[@]}"; do
            if [ "$(e2e_region_diff "$ref" "$shot" $area)" = 0 ]; then
                found=$shot
                break 2
            fi
        done
        sleep 0.25
    done
    [ -n "$found" ] || fail "the form on the second visit differs from the first visit's (e.g. $shot)"
}
