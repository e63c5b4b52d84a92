// The page base: hit tests, button tracking with capture and repaints,
// commands on release, painting of the update rectangle only.
#include <gtest/gtest.h>

#include "FakeWin32.h"
#include "pages/CPage.h"

namespace {

const char HoverA[] = "hover A";

// Two ordinary buttons, one that sends nothing, laid out like a page's band.
constexpr ImageButton TestButtons[3] = {
    {100, {6, 412, 111, 440}, {0, 406, 116, 450}, 0, 450, HoverA},
    {101, {122, 412, 191, 440}, {116, 406, 196, 450}, 116, 450, nullptr},
    {NoCommand, {202, 412, 345, 440}, {196, 406, 350, 450}, 196, 450, nullptr},
};

std::vector<WPARAM> commandsSeen;
CPage* pageToDelete = nullptr;

INT_PTR RecordingHost(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) {
        commandsSeen.push_back(wParam);
        if (pageToDelete) {
            // A page switch: the command handler deletes the page whose
            // OnLButtonUp is still running.
            delete pageToDelete;
            pageToDelete = nullptr;
        }
    }
    return 0;
}

// Lets the tests read the current message, which only message pages draw.
class ProbePage : public CPage {
public:
    using CPage::CPage;
    const char* Message() const { return message; }
};

class PageBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        commandsSeen.clear();
        pageToDelete = nullptr;
        host = fake::CreateHost(RecordingHost);
        page = new ProbePage(3, TestButtons, 30000, host);
        fake::ClearLog();
    }
    void TearDown() override
    {
        delete page;
        EXPECT_EQ(fake::LiveGdiObjects(), 0);
        EXPECT_TRUE(fake::Errors().empty()) << fake::Errors().front();
    }
    std::string Invalidation(const RECT& r) const
    {
        return "InvalidateRect(" + fake::Name(host) + ", " + std::to_string(r.left) + "," + std::to_string(r.top) +
               "," + std::to_string(r.right) + "," + std::to_string(r.bottom) + ", 1)";
    }

    HWND host = nullptr;
    ProbePage* page = nullptr;
};

TEST_F(PageBaseTest, HitTestCountsEveryEdgeAsInside)
{
    struct Case {
        int x, y;
        bool pressed;
    } cases[] = {
        {6, 412, true},     {111, 440, true},  {111, 412, true},  {6, 440, true},   // the four corners
        {5, 420, false},    {112, 420, false}, {50, 411, false},  {50, 441, false}, // one pixel outside
        {116, 420, false},  {121, 420, false}, {122, 420, true},                    // gap between buttons
        {65535, 420, false}, {50, 65535, false},                                     // captured, left of or above
    };
    for (const Case& c : cases) {
        EXPECT_EQ(page->OnLButtonDown(c.x, c.y), c.pressed ? 1 : 0) << c.x << "," << c.y;
        EXPECT_EQ(fake::Capture() == host, c.pressed) << c.x << "," << c.y;
        page->OnLButtonUp(c.x, c.y);
    }
}

TEST_F(PageBaseTest, TrackingTransitionsRepaintTheHighlightAndHoldTheCapture)
{
    const std::string highlight0 = Invalidation(TestButtons[0].highlightRect);
    struct Step {
        const char* what;
        int event;   // 0 move, 1 down, 2 up
        int x, y;
        int result;
        std::vector<std::string> invalidations;
        bool captured;
        std::vector<WPARAM> commands;
    } steps[] = {
        {"idle move over nothing", 0, 300, 100, 0, {}, false, {}},
        {"down on button 0", 1, 50, 420, 1, {highlight0}, true, {}},
        {"move within it", 0, 60, 425, 1, {}, true, {}},
        {"move off it", 0, 50, 300, 1, {highlight0}, true, {}},
        {"move further off", 0, 50, 200, 1, {}, true, {}},
        {"onto another button", 0, 150, 420, 1, {}, true, {}},
        {"back onto it", 0, 111, 440, 1, {highlight0}, true, {}},
        {"release", 2, 0, 0, 1, {highlight0}, false, {100}},
        {"release again", 2, 0, 0, 0, {}, false, {100}},
        {"down, drag off, release", 1, 50, 420, 1, {highlight0}, true, {100}},
        {"  drag off to the left", 0, 65535, 420, 1, {highlight0}, true, {100}},
        {"  release off the button", 2, 50, 420, 1, {highlight0}, false, {100}},
    };
    for (const Step& s : steps) {
        fake::ClearLog();
        int result = 0;
        if (s.event == 0)
            result = page->OnMouseMove(s.x, s.y);
        else if (s.event == 1)
            result = page->OnLButtonDown(s.x, s.y);
        else
            result = page->OnLButtonUp(s.x, s.y);
        EXPECT_EQ(result, s.result) << s.what;
        EXPECT_EQ(fake::Calls("InvalidateRect"), s.invalidations) << s.what;
        EXPECT_EQ(fake::Capture() == host, s.captured) << s.what;
        EXPECT_EQ(commandsSeen, s.commands) << s.what;
    }
}

TEST_F(PageBaseTest, AButtonWithoutCommandHighlightsButSendsNothing)
{
    page->OnLButtonDown(300, 420);
    EXPECT_EQ(fake::Calls("InvalidateRect"), std::vector<std::string>{Invalidation(TestButtons[2].highlightRect)});
    EXPECT_EQ(page->OnLButtonUp(300, 420), 1);
    EXPECT_TRUE(commandsSeen.empty());
    EXPECT_EQ(fake::Capture(), nullptr);
}

TEST_F(PageBaseTest, CommandCarriesTheIdInTheLowWordAndZeroNotification)
{
    page->OnLButtonDown(150, 420);
    fake::ClearLog();
    page->OnLButtonUp(150, 420);
    EXPECT_EQ(fake::Sequence({"ReleaseCapture", "InvalidateRect", "SendMessageA"}),
              (std::vector<std::string>{"ReleaseCapture", "InvalidateRect", "SendMessageA"}));
    EXPECT_EQ(fake::Calls("SendMessageA"),
              std::vector<std::string>{"SendMessageA(" + fake::Name(host) + ", WM_COMMAND, 101, 0)"});
}

TEST_F(PageBaseTest, APressWhoseReleaseWentElsewhereIsEndedByTheNextClick)
{
    page->OnLButtonDown(50, 420);
    fake::ClearLog();
    EXPECT_EQ(page->OnLButtonDown(150, 420), 1);   // on another button: still no new press
    EXPECT_EQ(fake::Calls("InvalidateRect"), std::vector<std::string>{Invalidation(TestButtons[0].highlightRect)});
    EXPECT_EQ(fake::Capture(), nullptr);
    EXPECT_TRUE(fake::Calls("SetCapture").empty());
    EXPECT_EQ(page->OnLButtonUp(150, 420), 0);
    EXPECT_TRUE(commandsSeen.empty());
}

TEST_F(PageBaseTest, HoverTakesTheButtonsMessageWithoutHighlighting)
{
    struct Step {
        const char* what;
        bool down;
        int x, y;
        int result;
        const char* message;
    } steps[] = {
        {"nothing", false, 300, 100, 0, nullptr},
        {"button with a message", false, 50, 420, 1, HoverA},
        {"button without one keeps it", false, 150, 420, 1, HoverA},
        {"nothing keeps it too", false, 300, 100, 0, HoverA},
        {"press the silent button", true, 150, 420, 1, HoverA},
        {"held: another button's message is not taken", false, 50, 420, 1, HoverA},
    };
    for (const Step& s : steps) {
        const int result = s.down ? page->OnLButtonDown(s.x, s.y) : page->OnMouseMove(s.x, s.y);
        EXPECT_EQ(result, s.result) << s.what;
        EXPECT_EQ(page->Message(), s.message) << s.what;
    }
    // Hovering never highlights: only the press and the move off the held
    // button repaint it.
    const std::string held = Invalidation(TestButtons[1].highlightRect);
    EXPECT_EQ(fake::Calls("InvalidateRect"), (std::vector<std::string>{held, held}));
    page->OnLButtonUp(0, 0);
}

TEST_F(PageBaseTest, ACommandThatDeletesThePageFindsItIdle)
{
    page->OnLButtonDown(50, 420);
    pageToDelete = page;
    page->OnLButtonUp(50, 420);   // ASan reports any use of the page after the send
    page = nullptr;
    EXPECT_EQ(commandsSeen, std::vector<WPARAM>{100});
    EXPECT_EQ(fake::Capture(), nullptr);
}

TEST_F(PageBaseTest, DeletingAPageWhileAButtonIsHeldReleasesTheCapture)
{
    page->OnLButtonDown(50, 420);
    ASSERT_EQ(fake::Capture(), host);
    delete page;
    page = nullptr;
    EXPECT_EQ(fake::Capture(), nullptr);
    EXPECT_EQ(fake::Calls("ReleaseCapture").size(), 1u);
}

TEST_F(PageBaseTest, PaintCopiesTheUpdateRectangleAndTheHeldLook)
{
    fake::ClearLog();
    HDC dc = GetDC(host);
    const RECT update = {10, 20, 110, 70};
    page->Paint(dc, &update);
    std::vector<std::string> blits = fake::Calls("BitBlt");
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_NE(blits[0].find("10,20,100,50"), std::string::npos) << blits[0];
    EXPECT_NE(blits[0].find("], 10,20, 0xCC0020"), std::string::npos) << blits[0];

    page->OnLButtonDown(150, 420);
    fake::ClearLog();
    page->Paint(dc, &update);
    blits = fake::Calls("BitBlt");
    ASSERT_EQ(blits.size(), 2u);
    // The held-down look: the highlight's size, from the strip below the page.
    EXPECT_NE(blits[1].find("116,406,80,44"), std::string::npos) << blits[1];
    EXPECT_NE(blits[1].find("], 116,450, 0xCC0020"), std::string::npos) << blits[1];
    ReleaseDC(host, dc);
    page->OnLButtonUp(0, 0);
}

TEST_F(PageBaseTest, ArtworkComesFromTheHostsModule)
{
    delete page;
    fake::ClearLog();
    page = new ProbePage(3, TestButtons, 30002, host);
    EXPECT_EQ(fake::Calls("LoadBitmapA"),
              std::vector<std::string>{"LoadBitmapA(" + fake::Name(fake::Instance()) + ", #30002)"});
}

TEST_F(PageBaseTest, APageWithoutArtworkStillWorks)
{
    delete page;
    fake::script.failBitmaps = true;
    page = new ProbePage(3, TestButtons, 30000, host);
    HDC dc = GetDC(host);
    const RECT update = {0, 0, 415, 450};
    page->Paint(dc, &update);
    ReleaseDC(host, dc);
    EXPECT_EQ(page->OnLButtonDown(50, 420), 1);
    EXPECT_EQ(page->OnLButtonUp(50, 420), 1);
    EXPECT_EQ(commandsSeen, std::vector<WPARAM>{100});
}

}  // namespace
