// One image button of a page: where it reacts, where its held-down look goes.
#pragma once

#include <windows.h>

struct ImageButton {
    WORD id;                   // command sent on a completed click; NoCommand sends nothing
    RECT hotRect;              // reacts to the pointer; all four edges inside
    RECT highlightRect;        // where the held-down look is drawn and repainted
    int sourceX;               // held-down look in the artwork's strip below the page
    int sourceY;
    const char* hoverMessage;  // shown in the message area while resting on it, or null
};

constexpr WORD NoCommand = 65535;

// Hit test with every edge inside, unlike the half-open rectangles of Windows.
constexpr bool Contains(const RECT& r, int x, int y)
{
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}
