// Shared by the page tests: a page on a fresh host driven event by event,
// whole paint cycles, and the names under which the layer logs what it does.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "FakeWin32.h"
#include "pages/CPage.h"

namespace pages_harness {

using Strings = std::vector<std::string>;

enum Event { Move, Down, Up };

inline int Drive(CPage& page, Event event, int x, int y)
{
    return event == Move ? page.OnMouseMove(x, y) : event == Down ? page.OnLButtonDown(x, y) : page.OnLButtonUp(x, y);
}

// How the layer logs an InvalidateRect of r with the erase flag set.
inline std::string Invalidation(HWND host, const RECT& r)
{
    return "InvalidateRect(" + fake::Name(host) + ", " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ", 1)";
}

// The handle a logged call handed out: "GetDC(W2 -> D5)" gives "D5".
inline std::string Made(const std::string& call)
{
    const size_t from = call.find("-> ") + 3;
    return call.substr(from, call.size() - from - 1);
}

// The name of the font created from a description such as "Arial 20 700";
// read from the log, so call it before the log is cleared.
inline std::string CreatedFont(const std::string& description)
{
    for (const std::string& line : fake::Log())
        if (line.rfind("CreateFontIndirectA(" + description + " -> ", 0) == 0)
            return Made(line);
    return "<no " + description + " font>";
}

// The click cue, as the layer logs it.
inline std::string Cue() { return "PlaySoundA(#2, " + fake::Name(fake::Instance()) + ", 0x40005)"; }

// Paints the update rectangle in one BeginPaint/EndPaint cycle, with the
// log holding only that cycle; returns the texts written.
inline std::vector<fake::DrawnText> PaintAll(CPage& page, HWND host, RECT update = {0, 0, 415, 450})
{
    fake::ClearLog();
    fake::script.paintRect = update;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(host, &paint);
    page.Paint(dc, &paint.rcPaint);
    EndPaint(host, &paint);
    return fake::Texts();
}

// A drawn text in one line: call, position, text, font, colours.
inline std::string Describe(const fake::DrawnText& t)
{
    char colours[64];
    snprintf(colours, sizeof colours, t.bkMode == TRANSPARENT ? "%06X transparent" : "%06X on %06X", t.color,
             t.bkColor);
    return t.api + " " + std::to_string(t.x) + "," + std::to_string(t.y) + " \"" + t.text + "\" " +
           fake::FontDescription(t.font) + " " + colours;
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

// One step of a message page's table: the event, what it returns and
// repaints, whether it sounds the cue, and what the message area shows
// after a full repaint (null: nothing).
struct Step {
    const char* what;
    Event event;
    int x, y;
    int result;
    Strings invalidations;
    const char* shown;
    bool sound = false;
};

// Runs the steps from a clear log each. Messages are white, word-wrapped in
// the area, in the small font but for largeMessage.
inline void RunSteps(CPage& page, HWND host, const RECT& area, const std::vector<Step>& steps,
                     const char* largeMessage = nullptr)
{
    const std::string at = "DrawTextA " + std::to_string(area.left) + "," + std::to_string(area.top) + " \"";
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        fake::ClearLog();
        EXPECT_EQ(Drive(page, s.event, s.x, s.y), s.result);
        EXPECT_EQ(fake::Calls("InvalidateRect"), s.invalidations);
        EXPECT_EQ(fake::Calls("PlaySoundA"), s.sound ? Strings{Cue()} : Strings{});
        const std::vector<fake::DrawnText> texts = PaintAll(page, host);
        const fake::DrawnText* message = DrawnIn(texts, area);
        const char* font = s.shown == largeMessage ? "\" Arial 28 700" : "\" Arial 20 700";
        EXPECT_EQ(message ? Describe(*message) : "(nothing)",
                  s.shown ? at + s.shown + font + " FFFFFF transparent" : "(nothing)");
        EXPECT_EQ(message ? message->format : UINT(DT_WORDBREAK), UINT(DT_WORDBREAK));
    }
}

// A page on a fresh host; once it is deleted nothing may be left alive and
// no misuse noticed.
template <typename Page>
class PageTest : public ::testing::Test {
protected:
    template <typename... More>
    void Open(DLGPROC hostProc, int buttonCount, const ImageButton* buttons, WORD artwork, More... more)
    {
        fake::Reset();
        host = fake::CreateHost(hostProc);
        page = new Page(buttonCount, buttons, artwork, host, more...);
    }
    void TearDown() override
    {
        delete page;
        EXPECT_EQ(fake::Capture(), nullptr);
        EXPECT_EQ(fake::LiveGdiObjects(), 0);
        EXPECT_EQ(fake::Errors(), Strings{});
    }

    HWND host = nullptr;
    Page* page = nullptr;
};

}  // namespace pages_harness
