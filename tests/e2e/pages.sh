# The texts of the topics page and the phone page: title, topic lines,
# answers, hover messages, the default message, the telephone text and note.
# shellcheck shell=bash disable=SC2086,SC2046,SC2034,SC2016
# (Regions are "x y w h" strings split into arguments on purpose; the O_*
# values are read by the order builders in lib.sh.)

MESSAGE_AREA="100 200 300 200"       # x y w h of (100,200)-(400,400)
TITLE_AREA="20 20 260 34"
TOPIC_LINE_1="20 50 395 26"          # each line's rectangle is 26 rows high
TOPIC_LINE_2="20 80 395 26"
TOPIC_LINE_3="20 110 395 26"
PHONE_MESSAGE_AREA="100 100 300 200"
PHONE_NOTE_AREA="100 300 300 100"
TOPICS_EXIT_POINT="381 426"

# white_in SHOT REGION...: number of pure white pixels there.
white_in() {
    local shot=$1
    shift
    e2e_count_white "$shot" "$@"
}

test_pages_topics_initial() {
    # e2e_start parks the pointer outside the window before the program
    # starts, so the page has seen no movement yet.
    e2e_start
    local shot
    shot=$(e2e_shot before-any-movement)
    expect_art "message area before any movement" "$shot" topics $MESSAGE_AREA
    [ "$(white_in "$shot" $TITLE_AREA)" -gt 0 ] || fail "no white title text at (20,20) ($shot)"
    # The topic lines are there, all grey: none is selected.
    expect_not_art "topic lines" "$shot" topics 20 50 395 116
    [ "$(white_in "$shot" 20 50 395 116)" = 0 ] || fail "a topic line is white before any movement ($shot)"
}

test_pages_topic_hover() {
    e2e_start
    local first second n
    e2e_move 30 85
    first=$(e2e_shot on-topic-2)
    n=$(white_in "$first" $TOPIC_LINE_2)
    [ "$n" -gt 0 ] || fail "topic 2 is not white with the pointer on it ($first)"
    [ "$(white_in "$first" $TOPIC_LINE_1)" = 0 ] || fail "topic 1 is white while the pointer is on topic 2 ($first)"
    [ "$(white_in "$first" $TOPIC_LINE_3)" = 0 ] || fail "topic 3 is white while the pointer is on topic 2 ($first)"
    expect_not_art "message area on topic 2" "$first" topics $MESSAGE_AREA
    [ "$(white_in "$first" $MESSAGE_AREA)" -gt 0 ] || fail "no white answer text in the message area ($first)"

    # Straight on to topic 3: the selection and the answer move with it.
    e2e_move 30 115
    second=$(e2e_shot on-topic-3)
    [ "$(white_in "$second" $TOPIC_LINE_3)" -gt 0 ] || fail "topic 3 is not white with the pointer on it ($second)"
    [ "$(white_in "$second" $TOPIC_LINE_2)" = 0 ] || fail "topic 2 stayed white after the pointer moved to topic 3 ($second)"
    [ "$(e2e_region_diff "$first" "$second" $MESSAGE_AREA)" != 0 ] ||
        fail "the message area shows the same text on topics 2 and 3 ($second)"
}

test_pages_hover_and_default_message() {
    e2e_start
    local on_exit default again
    e2e_move $TOPICS_EXIT_POINT
    on_exit=$(e2e_shot on-exit)
    expect_not_art "message area with the pointer on Exit" "$on_exit" topics $MESSAGE_AREA
    # Resting on a button never shows its held-down look.
    expect_art "button band while hovering" "$on_exit" topics 0 406 415 44

    # Empty artwork between the topic lines and the message area.
    e2e_move 300 182
    default=$(e2e_shot default-message)
    expect_not_art "message area on empty artwork" "$default" topics $MESSAGE_AREA
    [ "$(e2e_region_diff "$on_exit" "$default" $MESSAGE_AREA)" != 0 ] ||
        fail "the default message looks like Exit's hover message ($default)"

    # Elsewhere on empty artwork it stays the same.
    e2e_move 60 300
    again=$(e2e_shot default-message-again)
    [ "$(e2e_region_diff "$default" "$again" $MESSAGE_AREA)" = 0 ] ||
        fail "the default message changed between two empty spots ($again)"

    # Each button with a hover message shows its own.
    local prev=$again shot point
    for point in "58 426" "156 426" "273 426"; do
        e2e_move $point
        shot=$(e2e_shot "hover-${point// /-}")
        [ "$(e2e_region_diff "$prev" "$shot" $MESSAGE_AREA)" != 0 ] ||
            fail "the message did not change with the pointer on the button at ($point) ($shot)"
        prev=$shot
    done
}
test_pages_phone() {
    e2e_start
    local shot on_button
    e2e_click 156 426     # By Phone
    e2e_move 250 70       # empty artwork on the phone page
    shot=$(e2e_shot phone-text)
    expect_not_art "telephone text area" "$shot" phone $PHONE_MESSAGE_AREA
    [ "$(white_in "$shot" $PHONE_MESSAGE_AREA)" -gt 0 ] || fail "no white telephone text ($shot)"
    expect_not_art "note area" "$shot" phone $PHONE_NOTE_AREA
    [ "$(white_in "$shot" $PHONE_NOTE_AREA)" -gt 0 ] || fail "no white note text ($shot)"
    [ "$(white_in "$shot" $TITLE_AREA)" -gt 0 ] || fail "no white title text ($shot)"
    # The topics page's message area is not used here: below the note the
    # page is bare artwork.
    expect_art "below the note" "$shot" phone 100 400 300 6

    # Neither button has a message of its own.
    e2e_move 381 426
    on_button=$(e2e_shot on-exit)
    [ "$(e2e_region_diff "$shot" "$on_button" 100 100 300 300)" = 0 ] ||
        fail "the phone page's text changed with the pointer on Exit ($on_button)"
}
