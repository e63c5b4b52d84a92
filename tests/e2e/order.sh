# Finishing an order: saving "My Order.txt", refusals, printing to a
# cups-pdf queue and cancelling the print dialog.
# shellcheck shell=bash disable=SC2086,SC2046,SC2034,SC2016
# (Regions are "x y w h" strings split into arguments on purpose; the O_*
# values are read by the order builders in lib.sh.)

PDF_DIR="$HOME/PDF"

# Fills the form from the O_* values (clicking into each field, Return
# between the lines of Address and Comments) and picks the method N.
fill_order() {
    local method_item=$1
    e2e_fill name "$O_NAME"
    IFS='|' read -r -a lines <<<"$O_ADDRESS"
    e2e_fill address "${lines[@]}"
    [ -z "$O_CITY" ] || e2e_fill city "$O_CITY"
    [ -z "$O_STATE" ] || e2e_fill state "$(tr 'A-Z' 'a-z' <<<"$O_STATE")"
    [ -z "$O_ZIP" ] || e2e_fill zip "$O_ZIP"
    [ -z "$O_EMAIL" ] || e2e_fill email "$O_EMAIL"
    [ -z "$O_HEARD" ] || e2e_fill heard "$O_HEARD"
    if [ -n "$O_COMMENTS" ]; then
        IFS='|' read -r -a lines <<<"$O_COMMENTS"
        e2e_fill comments "${lines[@]}"
    fi
    [ -z "$O_CARD" ] || e2e_fill card "$O_CARD"
    [ -z "$O_EXPIRY" ] || e2e_fill expiry "$O_EXPIRY"
    [ -n "$method_item" ] && e2e_choose_method "$method_item"
    return 0
}

card_order_values() {
    O_NAME="Ada Q. Buyer" O_ADDRESS="42 Card Lane|Apartment 7" O_CITY="Albany" O_STATE="NY" O_ZIP="12207"
    O_EMAIL="ada@buyer.example" O_HEARD="a friend's 100% tip"
    O_COMMENTS="Deal me in!|Second line, %s %d kept as typed" O_METHOD="Visa"
    O_CARD="4111 1111 1111 1111" O_EXPIRY="12/29" O_PRICE='$27.00 U.S.'
}

test_order_save_card() {
    e2e_start
    e2e_open_order_form
    card_order_values
    fill_order 3
    e2e_click $(e2e_field_centre cdrom)
    e2e_click $E2E_ORDER_SAVE
    e2e_wait_window_named "Thank you!" 10 >/dev/null || fail "no \"Thank you!\" box after Save for Email"
    [ -f "$E2E_WORK/My Order.txt" ] || fail "the thank-you box came before \"My Order.txt\" was written"
    e2e_dismiss "Thank you!"
    e2e_expect_exit_0 "after the thank-you box"
    expect_order_file
}

# A check order over an older, longer "My Order.txt", which it replaces whole.
test_order_save_check() {
    e2e_start
    e2e_open_order_form
    O_NAME="Bo" O_ADDRESS="PO Box 9" O_CITY="Sacramento" O_STATE="CA" O_ZIP="94203"
    O_EMAIL="" O_HEARD="" O_COMMENTS="" O_METHOD="Check"
    O_CARD="" O_EXPIRY="" O_PRICE='$14.95 U.S.'
    head -c 5000 /dev/zero | tr '\0' 'z' > "$E2E_WORK/My Order.txt"
    fill_order 1
    # Card fields are not read for a check: nonsense there does not matter.
    e2e_fill card "nonsense"
    e2e_click $E2E_ORDER_SAVE
    e2e_dismiss "Thank you!"
    e2e_expect_exit_0 "after the thank-you box"
    expect_order_file
}

# A one-character name is refused with a box named "Error" and nothing is
# written; the focus is back in Name, so typing more there and saving again
# goes through.
test_order_refused_name() {
    e2e_start
    e2e_open_order_form
    card_order_values
    O_NAME="X"
    fill_order 3
    e2e_click $E2E_ORDER_SAVE
    e2e_dismiss "Error"
    sleep 0.5
    [ ! -e "$E2E_WORK/My Order.txt" ] || fail "a refused order wrote \"My Order.txt\""
    e2e_running || fail "the program ended after a refused order"
    e2e_type "avier"
    O_NAME="Xavier"
    e2e_click $(e2e_field_centre cdrom)
    e2e_click $E2E_ORDER_SAVE
    e2e_dismiss "Thank you!"
    e2e_expect_exit_0 "after the thank-you box"
    expect_order_file
}

# With no payment method the refusal is followed by the payment menu; the
# choice made there only sets the method, and Save goes through next time.
test_order_no_method() {
    e2e_start
    e2e_open_order_form
    card_order_values
    O_METHOD="American Express" O_CARD="3782 822463 10005" O_PRICE='$16.18 U.S.'
    fill_order ""
    e2e_click $E2E_ORDER_SAVE
    e2e_dismiss "Error"
    local menu
    menu=$(e2e_wait_menu) || fail "no payment menu after the payment method refusal"
    [ "$(e2e_window_pos "$menu")" = "$(e2e_screen_x 127),$(e2e_screen_y 322)" ] ||
        fail "the payment menu after the refusal is not at the selector"
    xdotool key --delay 80 Down Down Down Down Down Return
    e2e_wait_gone "$menu" || fail "the menu stayed open after Return"
    sleep 1
    [ ! -e "$E2E_WORK/My Order.txt" ] || fail "choosing from the menu after the refusal saved the order"
    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
    e2e_click $E2E_ORDER_SAVE
    e2e_dismiss "Thank you!"
    e2e_expect_exit_0 "after the thank-you box"
    expect_order_file
}

# pdf_jobs: the printed files present now, one a line.
pdf_jobs() { ls -1 "$PDF_DIR"/*.pdf 2>/dev/null; }

# wait_new_pdf BEFORE-LIST [seconds]: prints the first file not in the list.
wait_new_pdf() {
    local before=$1 limit=${2:-30} i f
    for i in $(seq 1 $((limit * 4))); do
        for f in $(pdf_jobs); do
            if ! grep -qxF "$f" <<<"$before"; then
                # cups-pdf writes the file in one go; let it finish.
                sleep 1
                echo "$f"
                return 0
            fi
        done
        sleep 0.25
    done
    return 1
}

# Words only: the printer wraps long lines, spacing differs with -layout,
# and Wine's PostScript prints hyphens as soft hyphens.
words() {
    sed 's/\xc2\xad/-/g' | tr -s ' \t\r\n\f' '    ' | sed 's/^ //; s/ $//'
}

test_order_print() {
    [ -n "${E2E_PRINTER:-}" ] || fail "no cups-pdf queue (cupsd or lpadmin missing)"
    e2e_start
    e2e_open_order_form
    card_order_values
    O_METHOD="Postal Money Order - in US dollars" O_CARD="" O_EXPIRY="" O_PRICE='$16.18 U.S.'
    fill_order 2
    local before pdf text
    before=$(pdf_jobs)
    e2e_click $E2E_ORDER_PRINT
    e2e_dismiss "Print"
    e2e_dismiss " "
    e2e_expect_exit_0 "after printing"
    pdf=$(wait_new_pdf "$before" 30) || fail "no new PDF in $PDF_DIR after printing"
    cp "$pdf" "$E2E_SHOTS/$E2E_TEST-printed.pdf"
    rm -f "$pdf"
    pdftoppm -png -r 50 "$E2E_SHOTS/$E2E_TEST-printed.pdf" "$E2E_SHOTS/$E2E_TEST-printed"
    pdftotext -layout "$E2E_SHOTS/$E2E_TEST-printed.pdf" "$E2E_SHOTS/$E2E_TEST-printed.txt"
    [ "$(pdfinfo "$E2E_SHOTS/$E2E_TEST-printed.pdf" | sed -n 's/^Pages: *//p')" = 1 ] ||
        fail "the order was printed on more than one page"
    text=$(words < "$E2E_SHOTS/$E2E_TEST-printed.txt")
    local want
    want=$(e2e_order_text | words)
    [ "$text" = "$want" ] ||
        fail "the printed text is not the order text (see $E2E_SHOTS/$E2E_TEST-printed.txt)"
    ! grep -q "How To Submit This Order" "$E2E_SHOTS/$E2E_TEST-printed.txt" ||
        fail "the printed order holds the How To Submit block"
}

test_order_print_cancelled() {
    [ -n "${E2E_PRINTER:-}" ] || fail "no cups-pdf queue (cupsd or lpadmin missing)"
    e2e_start
    e2e_open_order_form
    card_order_values
    fill_order 3
    local before dialog shot
    before=$(pdf_jobs)
    e2e_click $E2E_ORDER_PRINT
    dialog=$(e2e_wait_window_named "Print" 10) || fail "no \"Print\" dialog"
    xdotool key Escape
    e2e_wait_gone "$dialog" || fail "the print dialog stayed open after Escape"
    sleep 3
    [ "$(pdf_jobs)" = "$before" ] || fail "a cancelled print dialog printed something"
    e2e_running || fail "the program ended after the print dialog was cancelled"
    e2e_visible_windows | grep -qx "$E2E_WINDOW" || fail "the window is gone after the print dialog was cancelled"
    [ -z "$(e2e_other_windows)" ] || fail "windows left open after cancelling: $(e2e_other_windows | tr '\n' ' ')"
    xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null
    shot=$(e2e_shot after-cancel)
    expect_art "still the order form" "$shot" order 0 406 415 44
    e2e_key Escape
    e2e_expect_exit_0 "Esc after cancelling the print dialog"
}
