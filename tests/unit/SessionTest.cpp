// Whole scripted sessions through the dialog procedure: what each
// interaction repaints, and that long use leaves nothing behind.
#include <gtest/gtest.h>

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
    void Click(int x, int y)
    {
        Move(x, y);
        Down(x, y);
        Up(x, y);
    }
    // The platform delivers the chosen item as a command once the menu closed.
    void ChooseMethod(int index)
    {
        Click(200, 310);
        fake::Send(host, WM_COMMAND, ID_METHOD_FIRST + index, 0);
    }
    void TypeState(const char* text)
    {
        fake::SetItemText(host, IDC_STATE, text);
        fake::Send(host, WM_COMMAND, MAKEWPARAM(IDC_STATE, 0x0300 /* EN_CHANGE */), 0);
    }
    void TickCdRom(int state)
    {
        fake::SetCheck(host, IDC_CDROM, state);
        fake::Send(host, WM_COMMAND, MAKEWPARAM(IDC_CDROM, 0 /* BN_CLICKED */), 0);
    }

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
        {"phone page: press Back, drag off", false,
         [](Session& s) {
             s.Down(300, 420);
             s.Move(300, 300);
         }},
        {"phone page: back on, release", true,
         [](Session& s) {
             s.Move(300, 420);
             s.Up(300, 420);
         }},
        {"the order form", true, [](Session& s) { s.Click(250, 420); }},
        {"type N into State", false, [](Session& s) { s.TypeState("N"); }},
        {"type NY into State", false, [](Session& s) { s.TypeState("NY"); }},
        {"tick the CD-ROM box", false, [](Session& s) { s.TickCdRom(BST_CHECKED); }},
        {"untick it", false, [](Session& s) { s.TickCdRom(0); }},
        {"choose Postal Money Order", false, [](Session& s) { s.ChooseMethod(1); }},
        {"choose Visa", false, [](Session& s) { s.ChooseMethod(2); }},
        {"choose Discover", false, [](Session& s) { s.ChooseMethod(5); }},
        {"press Save, drag off, release", false,
         [](Session& s) {
             s.Down(120, 420);
             s.Move(120, 380);
             s.Up(120, 380);
         }},
        {"Back", true, [](Session& s) { s.Click(380, 420); }},
    };
}

std::string RectText(const std::string& invalidation)
{
    // "InvalidateRect(W1, l,t,r,b, 1)" -> "l,t,r,b"
    const size_t from = invalidation.find(", ") + 2;
    return invalidation.substr(from, invalidation.rfind(", ") - from);
}

TEST(SessionTest, OnlyPageSwitchesRepaintTheWholeWindowAndPaintsCopyOnlyTheUpdate)
{
    fake::Reset();
    Register app;
    app.instance = fake::Instance();
    fake::script.dialogSession = [&](HWND host) {
        Session session(host);
        for (const Interaction& step : Tour()) {
            fake::ClearLog();
            step.act(session);
            const Strings invalidations = fake::Calls("InvalidateRect");
            const std::string whole = "InvalidateRect(" + fake::Name(host) + ", null, 1)";
            int wholeCount = 0;
            for (const std::string& line : invalidations) {
                EXPECT_EQ(line.substr(line.size() - 4), ", 1)") << step.what << ": " << line;
                wholeCount += line == whole;
            }
            EXPECT_EQ(wholeCount, step.switchesPage ? 1 : 0) << step.what;

            // Each repaint the platform would make copies exactly its rectangle.
            for (const std::string& line : invalidations) {
                if (line == whole)
                    continue;
                const std::string rect = RectText(line);
                int l, t, r, b;
                ASSERT_EQ(sscanf(rect.c_str(), "%d,%d,%d,%d", &l, &t, &r, &b), 4) << line;
                fake::script.paintRect = {l, t, r, b};
                fake::ClearLog();
                fake::Send(host, WM_PAINT, 0, 0);
                const Strings blits = fake::Calls("BitBlt");
                ASSERT_FALSE(blits.empty()) << step.what;
                const std::string size = std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r - l) +
                                         "," + std::to_string(b - t) + ", ";
                const std::string source = "], " + std::to_string(l) + "," + std::to_string(t) + ", 0xCC0020)";
                EXPECT_NE(blits[0].find(size), std::string::npos) << step.what << ": " << blits[0];
                EXPECT_NE(blits[0].find(source), std::string::npos) << step.what << ": " << blits[0];
            }
        }
        fake::Send(host, WM_COMMAND, IDCANCEL, 0);
    };
    app.Run();
    EXPECT_TRUE(fake::Errors().empty()) << fake::Errors().front();
}

TEST(SessionTest, AThousandRoundsLeaveNoObjectMenuOrWindowBehind)
{
    fake::Reset();
    Register app;
    app.instance = fake::Instance();
    int liveAfterFirstRound = -1;
    fake::script.dialogSession = [&](HWND host) {
        Session session(host);
        const std::vector<Interaction> tour = Tour();
        for (int round = 0; round < 1000; ++round) {
            for (const Interaction& step : tour) {
                step.act(session);
                fake::Send(host, WM_PAINT, 0, 0);
            }
            fake::ClearLog();
            if (round == 0)
                liveAfterFirstRound = fake::LiveGdiObjects();
            ASSERT_EQ(fake::LiveGdiObjects(), liveAfterFirstRound) << "round " << round;
            ASSERT_EQ(fake::LiveMenus(), 0) << "round " << round;
            ASSERT_EQ(fake::LiveChildWindows(host), 1) << "round " << round;   // the hidden cancel button
            ASSERT_TRUE(fake::Errors().empty()) << "round " << round << ": " << fake::Errors().front();
        }
        fake::Send(host, WM_COMMAND, IDCANCEL, 0);
    };
    app.Run();
    EXPECT_EQ(fake::LiveGdiObjects(), 0);
    EXPECT_TRUE(fake::Errors().empty()) << fake::Errors().front();
}

}  // namespace
