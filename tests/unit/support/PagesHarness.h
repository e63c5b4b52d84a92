// Shared by the message page tests: a whole paint cycle through the fake
// layer, and the names under which the layer logs what a page does.
#pragma once

#include <string>
#include <vector>

#include "FakeWin32.h"
#include "pages/CPage.h"

namespace pages_harness {

// How the layer logs an InvalidateRect of r with the erase flag set.
inline std::string Invalidation(HWND host, const RECT& r)
{
    return "InvalidateRect(" + fake::Name(host) + ", " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ", 1)";
}

// The name of the font created from a description such as "Arial 20 700";
// read from the log, so call it before the log is cleared.
inline std::string CreatedFont(const std::string& description)
{
    const std::string head = "CreateFontIndirectA(" + description + " -> ";
    for (const std::string& line : fake::Log())
        if (line.compare(0, head.size(), head) == 0)
            return line.substr(head.size(), line.size() - head.size() - 1);
    return "<no " + description + " font>";
}

// Paints the whole client area in one BeginPaint/EndPaint cycle, with the
// log holding only that cycle; returns the texts written.
inline std::vector<fake::DrawnText> PaintAll(CPage& page, HWND host)
{
    fake::ClearLog();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(host, &paint);
    page.Paint(dc, &paint.rcPaint);
    EndPaint(host, &paint);
    return fake::Texts();
}

// The text written with DrawTextA into exactly this rectangle, or null.
inline const fake::DrawnText* DrawnIn(const std::vector<fake::DrawnText>& texts, const RECT& area)
{
    for (const fake::DrawnText& t : texts)
        if (t.api == "DrawTextA" && t.rect.left == area.left && t.rect.top == area.top &&
            t.rect.right == area.right && t.rect.bottom == area.bottom)
            return &t;
    return nullptr;
}

}  // namespace pages_harness
