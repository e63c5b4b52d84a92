// The message page: its two fonts, the title line and the message area that
// follows the pointer, in the right font and colour.
#include <gtest/gtest.h>

#include "FakeWin32.h"
#include "pages/CPage1_2.h"
#include "support/PagesHarness.h"

namespace {

using pages_harness::CreatedFont;
using pages_harness::DrawnIn;
using pages_harness::Invalidation;
using pages_harness::PaintAll;

const char DefaultText[] = "Rest on a button.";
const char HoverA[] = "The first button.";

// One button with a hover message, one without.
constexpr ImageButton TestButtons[2] = {
    {100, {6, 412, 111, 440}, {0, 406, 116, 450}, 0, 450, HoverA},
    {101, {122, 412, 191, 440}, {116, 406, 196, 450}, 116, 450, nullptr},
};

constexpr COLORREF White = 0xFFFFFF;

class MessagePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        host = fake::CreateHost();
        page = new CPage1_2(2, TestButtons, 30000, host, DefaultText);
        smallFont = CreatedFont("Arial 20 700");
        largeFont = CreatedFont("Arial 28 700");
        fake::ClearLog();
    }
    void TearDown() override
    {
        delete page;
        EXPECT_EQ(fake::LiveGdiObjects(), 0);
        EXPECT_TRUE(fake::Errors().empty()) << fake::Errors().front();
    }

    HWND host = nullptr;
    CPage1_2* page = nullptr;
    std::string smallFont, largeFont;
};

TEST_F(MessagePageTest, BeforeTheFirstMovementOnlyTheTitleIsWritten)
{
    const std::vector<fake::DrawnText> texts = PaintAll(*page, host);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].api, "TextOutA");
    EXPECT_EQ(texts[0].text, TitleText);
    EXPECT_EQ(texts[0].x, 20);
    EXPECT_EQ(texts[0].y, 20);
    EXPECT_EQ(fake::FontDescription(texts[0].font), "Arial 28 700");
    EXPECT_EQ(texts[0].color, White);
    EXPECT_EQ(texts[0].bkMode, TRANSPARENT);
}

TEST_F(MessagePageTest, PaintWritesOverTheArtworkAndPutsTheFontBack)
{
    page->OnMouseMove(300, 100);
    PaintAll(*page, host);
    EXPECT_EQ(fake::Sequence({"BitBlt", "DeleteDC", "SelectObject", "SetTextColor", "SetBkMode", "SetTextAlign",
                              "TextOutA", "DrawTextA", "EndPaint"}),
              (std::vector<std::string>{"SelectObject", "BitBlt", "SelectObject", "DeleteDC",  // the artwork
                                        "SelectObject", "SetTextColor", "SetBkMode", "SetTextAlign", "TextOutA",
                                        "SelectObject", "DrawTextA", "SelectObject", "EndPaint"}));
    const std::vector<std::string> selections = fake::Calls("SelectObject");
    ASSERT_EQ(selections.size(), 5u);
    EXPECT_NE(selections[2].find(", " + largeFont + ")"), std::string::npos) << selections[2];
    EXPECT_NE(selections[3].find(", " + smallFont + ")"), std::string::npos) << selections[3];
    ASSERT_EQ(fake::Calls("SetTextAlign").size(), 1u);
    EXPECT_NE(fake::Calls("SetTextAlign")[0].find(", 0)"), std::string::npos);
    // EndPaint reports a font left selected; TearDown checks the errors.
}

TEST_F(MessagePageTest, TheMessageAreaFollowsThePointer)
{
    const RECT area = MessageArea;
    const std::string repaintArea = Invalidation(host, area);
    const std::string silentHighlight = Invalidation(host, TestButtons[1].highlightRect);
    enum Event { Move, Down, Up };
    struct Step {
        const char* what;
        Event event;
        int x, y;
        int result;
        std::vector<std::string> invalidations;
        const char* shown;   // null: nothing written in the message area
    } steps[] = {
        {"first movement, onto the silent button", Move, 150, 420, 1, {}, nullptr},
        {"off every button", Move, 300, 100, 1, {repaintArea}, DefaultText},
        {"elsewhere on nothing", Move, 50, 300, 0, {}, DefaultText},
        {"onto the button with a message", Move, 50, 420, 1, {repaintArea}, HoverA},
        {"within that button", Move, 111, 440, 1, {}, HoverA},
        {"onto the silent button keeps it", Move, 150, 420, 1, {}, HoverA},
        {"off every button again", Move, 300, 100, 1, {repaintArea}, DefaultText},
        {"press the silent button", Down, 150, 420, 1, {silentHighlight}, DefaultText},
        {"held: onto the other button", Move, 50, 420, 1, {silentHighlight}, DefaultText},
        {"held: onto nothing", Move, 300, 100, 1, {}, DefaultText},
        {"release", Up, 300, 100, 1, {silentHighlight}, DefaultText},
        {"onto the button with a message", Move, 50, 420, 1, {repaintArea}, HoverA},
    };
    for (const Step& s : steps) {
        fake::ClearLog();
        const int result = s.event == Move   ? page->OnMouseMove(s.x, s.y)
                           : s.event == Down ? page->OnLButtonDown(s.x, s.y)
                                             : page->OnLButtonUp(s.x, s.y);
        EXPECT_EQ(result, s.result) << s.what;
        EXPECT_EQ(fake::Calls("InvalidateRect"), s.invalidations) << s.what;

        const std::vector<fake::DrawnText> texts = PaintAll(*page, host);
        const fake::DrawnText* message = DrawnIn(texts, area);
        if (!s.shown) {
            EXPECT_EQ(message, nullptr) << s.what;
            EXPECT_TRUE(fake::Calls("DrawTextA").empty()) << s.what;
            continue;
        }
        ASSERT_NE(message, nullptr) << s.what;
        EXPECT_EQ(message->text, s.shown) << s.what;
        EXPECT_EQ(message->format, UINT(DT_WORDBREAK)) << s.what;
        // This page leaves defaultInSmallFont at 1: every message is small.
        EXPECT_EQ(fake::FontDescription(message->font), "Arial 20 700") << s.what;
        EXPECT_EQ(message->color, White) << s.what;
        EXPECT_EQ(message->bkMode, TRANSPARENT) << s.what;
    }
}

}  // namespace
