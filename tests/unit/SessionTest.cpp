// Whole scripted sessions through the dialog procedure: what each
// interaction repaints, and that long use leaves nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "FakeWin32.h"
#include "app/Register.h"
#include "resources/resource.h"

namespace {

using Strings = std::vector<std::string>;

// Drives the host dialog as a user would, one interaction at a time.
class Session {
public:
    explicit Session(HWND host) : host(host) {}
    void Move(int x, int y) { fake::Send(host, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void Down(int x, int y) { fake::Send(host, WM_LBUTTONDOWN, 0, MAKELPARAM(x, y)); }
    void Up(int x, int y) { fake::Send(host, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    void Click(int x, int y) { Move(x, y); Down(x, y); Up(x, y); }
    void Command(WORD id, WORD notification = 0) { fake::Send(host, WM_COMMAND, MAKEWPARAM(id, notification), 0); }
    // The platform delivers the chosen item as a command once the menu closed.
    void ChooseMethod(int index) { Click(200, 310); Command(static_cast<WORD>(ID_METHOD_FIRST + index)); }
    void TypeState(const char* text) { fake::SetItemText(host, IDC_STATE, text); Command(IDC_STATE, 0x0300); }
    void TickCdRom(int state) { fake::SetCheck(host, IDC_CDROM, state); Command(IDC_CDROM); }   // BN_CLICKED

private:
    HWND host;
};

struct Interaction {
    const char* what;
    bool switchesPage;
    std::function<void(Session&)> act;
};

// Every kind of thing a user does, in an order that visits all pages.
std::vector<Interaction> Tour()
{
    return {
        {"rest on empty artwork", false, [](Session& s) { s.Move(60, 300); }},
        {"rest on topic 1", false, [](Session& s) { s.Move(30, 60); }},
        {"straight to topic 2", false, [](Session& s) { s.Move(30, 85); }},
        {"topic 3", false, [](Session& s) { s.Move(30, 115); }},
        {"topic 4", false, [](Session& s) { s.Move(30, 145); }},
        {"Register Online's message", false, [](Session& s) { s.Move(50, 420); }},
        {"By Phone's message", false, [](Session& s) { s.Move(150, 420); }},
        {"the order button's message", false, [](Session& s) { s.Move(250, 420); }},
        {"Exit's message", false, [](Session& s) { s.Move(380, 420); }},
        {"press Exit", false, [](Session& s) { s.Down(380, 420); }},
        {"drag off it onto a topic", false, [](Session& s) { s.Move(30, 85); }},
        {"drag out of the window", false, [](Session& s) { s.Move(-20, 500); }},
        {"release off the button", false, [](Session& s) { s.Up(-20, 500); }},
        {"By Phone", true, [](Session& s) { s.Click(150, 420); }},
        {"phone page: rest on nothing", false, [](Session& s) { s.Move(60, 300); }},
        {"phone page: rest on Exit", false, [](Session& s) { s.Move(380, 420); }},
        {"phone page: press Back, drag off", false, [](Session& s) { s.Down(300, 420); s.Move(300, 300); }},
        {"phone page: back on, release", true, [](Session& s) { s.Move(300, 420); s.Up(300, 420); }},
        {"the order form", true, [](Session& s) { s.Click(250, 420); }},
        {"type N into State", false, [](Session& s) { s.TypeState("N"); }},
        {"type NY into State", false, [](Session& s) { s.TypeState("NY"); }},
        {"tick the CD-ROM box", false, [](Session& s) { s.TickCdRom(BST_CHECKED); }},
        {"untick it", false, [](Session& s) { s.TickCdRom(0); }},
        {"choose Postal Money Order", false, [](Session& s) { s.ChooseMethod(1); }},
        {"choose Visa", false, [](Session& s) { s.ChooseMethod(2); }},
        {"choose Discover", false, [](Session& s) { s.ChooseMethod(5); }},
        {"press Save, drag off, release", false,
         [](Session& s) { s.Down(120, 420); s.Move(120, 380); s.Up(120, 380); }},
        {"Back", true, [](Session& s) { s.Click(380, 420); }},
    };
}

TEST(SessionTest, OnlyPageSwitchesRepaintTheWholeWindowAndPaintsCopyOnlyTheUpdate)
{
    fake::Reset();
    Register app;
    app.instance = fake::Instance();
    fake::script.dialogSession = [&](HWND host) {
        Session session(host);
        const std::string whole = "InvalidateRect(" + fake::Name(host) + ", null, 1)";
        for (const Interaction& step : Tour()) {
            SCOPED_TRACE(step.what);
            fake::ClearLog();
            step.act(session);
            const Strings invalidations = fake::Calls("InvalidateRect");
            EXPECT_EQ(std::count(invalidations.begin(), invalidations.end(), whole), step.switchesPage ? 1 : 0);
            // Each other repaint the platform would make copies exactly its rectangle.
            for (const std::string& line : invalidations) {
                EXPECT_EQ(line.substr(line.size() - 4), ", 1)") << line;   // every repaint erases
                int l, t, r, b;
                if (line == whole)
                    continue;
                ASSERT_EQ(sscanf(line.c_str(), "InvalidateRect(%*[^,], %d,%d,%d,%d", &l, &t, &r, &b), 4) << line;
                fake::script.paintRect = {l, t, r, b};
                fake::ClearLog();
                fake::Send(host, WM_PAINT, 0, 0);
                const std::string blit = fake::Calls("BitBlt").at(0);
                EXPECT_NE(blit.find(", " + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r - l) +
                                    "," + std::to_string(b - t) + ", "),
                          std::string::npos) << blit;
                EXPECT_NE(blit.find("], " + std::to_string(l) + "," + std::to_string(t) + ", 0xCC0020)"),
                          std::string::npos) << blit;
            }
        }
        fake::Send(host, WM_COMMAND, IDCANCEL, 0);
    };
    app.Run();
    EXPECT_EQ(fake::Errors(), Strings{});
}

// Each round switches pages four times and ends on the topics page.
TEST(SessionTest, AThousandRoundsLeaveNoObjectMenuOrWindowBehind)
{
    fake::Reset();
    Register app;
    app.instance = fake::Instance();
    fake::script.dialogSession = [&](HWND host) {
        Session session(host);
        const std::vector<Interaction> tour = Tour();
        for (int round = 0; round < 1000; ++round) {
            for (const Interaction& step : tour) {
                step.act(session);
                fake::Send(host, WM_PAINT, 0, 0);
            }
            fake::ClearLog();
            ASSERT_EQ(fake::LiveGdiObjects(), 3) << "round " << round;   // the topics page's artwork and fonts
            ASSERT_EQ(fake::LiveMenus(), 0) << "round " << round;
            ASSERT_EQ(fake::LiveChildWindows(host), 1) << "round " << round;   // the hidden cancel button
            ASSERT_EQ(fake::Errors(), Strings{}) << "round " << round;
        }
        fake::Send(host, WM_COMMAND, IDCANCEL, 0);
    };
    app.Run();
    EXPECT_EQ(fake::LiveGdiObjects(), 0);
    EXPECT_EQ(fake::Errors(), Strings{});
}

}  // namespace
