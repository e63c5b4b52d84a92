// The page base: hit tests, button tracking with capture and repaints,
// hover messages, commands on release, painting of the update rectangle only.
#include <gtest/gtest.h>

#include "pages/CPage.h"
#include "support/PagesHarness.h"

namespace {

using namespace pages_harness;

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
        // A page switch: the command handler deletes the page whose
        // OnLButtonUp is still running.
        delete pageToDelete;
        pageToDelete = nullptr;
    }
    return 0;
}

// Lets the tests read the current message, which only message pages draw.
class ProbePage : public CPage {
public:
    using CPage::CPage;
    const char* Message() const { return message; }
};

class PageBaseTest : public PageTest<ProbePage> {
protected:
    void SetUp() override
    {
        commandsSeen.clear();
        Open(RecordingHost, 3, TestButtons, 30000);
        fake::ClearLog();
    }
};

TEST_F(PageBaseTest, HitTestCountsEveryEdgeAsInside)
{
    const struct {
        int x, y;
        bool pressed;
    } cases[] = {
        {6, 412, true},    {111, 440, true},  {111, 412, true},  {6, 440, true},     // the four corners
        {5, 420, false},   {112, 420, false}, {50, 411, false},  {50, 441, false},   // one pixel outside
        {116, 420, false}, {121, 420, false}, {122, 420, true},                      // gap between buttons
        {65535, 420, false}, {50, 65535, false},                                     // captured, left of or above
    };
    for (const auto& c : cases) {
        EXPECT_EQ(page->OnLButtonDown(c.x, c.y), c.pressed ? 1 : 0) << c.x << "," << c.y;
        EXPECT_EQ(fake::Capture() == host, c.pressed) << c.x << "," << c.y;
        page->OnLButtonUp(c.x, c.y);
    }
}

TEST_F(PageBaseTest, TrackingRepaintsTheHeldButtonHoldsTheCaptureAndHoverOnlyTakesMessages)
{
    const std::string h0 = Invalidation(host, TestButtons[0].highlightRect);
    const std::string h1 = Invalidation(host, TestButtons[1].highlightRect);
    const std::string h2 = Invalidation(host, TestButtons[2].highlightRect);
    const struct {
        const char* what;
        Event event;
        int x, y, result;
        Strings invalidations;
        bool captured;
        std::vector<WPARAM> commands;   // all sent so far
        const char* message;
    } steps[] = {
        {"idle move over nothing", Move, 300, 100, 0, {}, false, {}, nullptr},
        {"down on button 1", Down, 150, 420, 1, {h1}, true, {}, nullptr},
        {"move within it", Move, 160, 425, 1, {}, true, {}, nullptr},
        {"move off it", Move, 150, 300, 1, {h1}, true, {}, nullptr},
        {"held: onto button 0, whose message is not taken", Move, 50, 420, 1, {}, true, {}, nullptr},
        {"back onto its corner", Move, 191, 440, 1, {h1}, true, {}, nullptr},
        {"release: the command", Up, 0, 0, 1, {h1}, false, {101}, nullptr},
        {"release again", Up, 0, 0, 0, {}, false, {101}, nullptr},
        {"hover button 0: its message, no highlight", Move, 50, 420, 1, {}, false, {101}, HoverA},
        {"hover button 1, which has none, keeps it", Move, 150, 420, 1, {}, false, {101}, HoverA},
        {"nothing keeps it too", Move, 300, 100, 0, {}, false, {101}, HoverA},
        {"down on button 0", Down, 50, 420, 1, {h0}, true, {101}, HoverA},
        {"drag off to the left", Move, 65535, 420, 1, {h0}, true, {101}, HoverA},
        {"release off it: no command", Up, 50, 420, 1, {h0}, false, {101}, HoverA},
        {"down on the button without command", Down, 300, 420, 1, {h2}, true, {101}, HoverA},
        {"release on it: no command", Up, 300, 420, 1, {h2}, false, {101}, HoverA},
        {"down on button 0 again", Down, 50, 420, 1, {h0}, true, {101}, HoverA},
        {"its release went elsewhere: the next click only ends it", Down, 150, 420, 1, {h0}, false, {101}, HoverA},
        {"so the release after it does nothing", Up, 150, 420, 0, {}, false, {101}, HoverA},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        fake::ClearLog();
        EXPECT_EQ(Drive(*page, s.event, s.x, s.y), s.result);
        EXPECT_EQ(fake::Calls("InvalidateRect"), s.invalidations);
        EXPECT_EQ(fake::Capture() == host, s.captured);
        EXPECT_EQ(commandsSeen, s.commands);
        EXPECT_EQ(page->Message(), s.message);
    }
}

TEST_F(PageBaseTest, ACommandThatDeletesThePageFindsItIdle)
{
    page->OnLButtonDown(50, 420);
    fake::ClearLog();
    pageToDelete = page;
    page->OnLButtonUp(50, 420);   // ASan reports any use of the page after the send
    page = nullptr;
    EXPECT_EQ(commandsSeen, std::vector<WPARAM>{100});
    EXPECT_EQ(fake::Sequence({"ReleaseCapture", "InvalidateRect", "SendMessageA", "DeleteObject"}),
              (Strings{"ReleaseCapture", "InvalidateRect", "SendMessageA", "DeleteObject"}));
}

TEST_F(PageBaseTest, PaintCopiesTheUpdateRectangleAndTheHeldLookAndDeletingThePageEndsTheHold)
{
    page->OnLButtonDown(150, 420);
    PaintAll(*page, host, {10, 20, 110, 70});
    const Strings blits = fake::Calls("BitBlt");
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_NE(blits[0].find(", 10,20,100,50, "), std::string::npos) << blits[0];
    EXPECT_NE(blits[0].find("], 10,20, 0xCC0020)"), std::string::npos) << blits[0];
    // The held-down look: the highlight's size, from the strip below the page.
    EXPECT_NE(blits[1].find(", 116,406,80,44, "), std::string::npos) << blits[1];
    EXPECT_NE(blits[1].find("], 116,450, 0xCC0020)"), std::string::npos) << blits[1];
    delete page;
    page = nullptr;
    EXPECT_EQ(fake::Calls("ReleaseCapture").size(), 1u);
}

TEST_F(PageBaseTest, ArtworkComesFromTheHostsModuleAndAPageWorksWithoutIt)
{
    delete page;
    page = nullptr;
    fake::script.failBitmaps = true;
    fake::ClearLog();
    page = new ProbePage(3, TestButtons, 30002, host);
    EXPECT_EQ(fake::Calls("LoadBitmapA"), Strings{"LoadBitmapA(" + fake::Name(fake::Instance()) + ", #30002)"});
    PaintAll(*page, host);
    EXPECT_EQ(fake::Calls("BitBlt"), Strings{});
    EXPECT_EQ(page->OnLButtonDown(50, 420), 1);
    EXPECT_EQ(page->OnLButtonUp(50, 420), 1);
    EXPECT_EQ(commandsSeen, std::vector<WPARAM>{100});
}

}  // namespace
