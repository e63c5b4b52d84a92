// The phone page: the telephone text in the raised message area, the note
// below it in its own font, and buttons that never change the message.
#include <gtest/gtest.h>

#include "FakeWin32.h"
#include "pages/CPagePH.h"
#include "support/PagesHarness.h"

namespace {

using pages_harness::CreatedFont;
using pages_harness::DrawnIn;
using pages_harness::Invalidation;
using pages_harness::PaintAll;

constexpr RECT RaisedArea = {100, 100, 400, 300};

class PhonePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        host = fake::CreateHost();
        page = new CPagePH(2, PhoneButtons, IDB_PHONE, host, PhoneText, PhoneNote);
        fonts = fake::Calls("CreateFontIndirectA");
        smallFont = CreatedFont("Arial 20 700");
        largeFont = CreatedFont("Arial 28 700");
        noteFont = CreatedFont("Arial 18 700");
        fake::ClearLog();
    }
    void TearDown() override
    {
        delete page;
        EXPECT_EQ(fake::Capture(), nullptr);
        EXPECT_EQ(fake::LiveGdiObjects(), 0);
        EXPECT_TRUE(fake::Errors().empty()) << fake::Errors().front();
    }

    HWND host = nullptr;
    CPagePH* page = nullptr;
    std::vector<std::string> fonts;
    std::string smallFont, largeFont, noteFont;
};

TEST_F(PhonePageTest, TheNoteFontIsBoldArial18MadeAfterTheMessageFonts)
{
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[0], "CreateFontIndirectA(Arial 20 700 -> " + smallFont + ")");
    EXPECT_EQ(fonts[1], "CreateFontIndirectA(Arial 28 700 -> " + largeFont + ")");
    EXPECT_EQ(fonts[2], "CreateFontIndirectA(Arial 18 700 -> " + noteFont + ")");
}

TEST_F(PhonePageTest, BeforeTheFirstMovementTheTitleAndNoteShowButNotTheTelephoneText)
{
    const std::vector<fake::DrawnText> texts = PaintAll(*page, host);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].api, "TextOutA");
    EXPECT_EQ(texts[0].text, TitleText);
    EXPECT_EQ(DrawnIn(texts, RaisedArea), nullptr);
    const fake::DrawnText* note = DrawnIn(texts, NoteArea);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text, PhoneNote);
    EXPECT_EQ(note->format, UINT(DT_WORDBREAK));
    EXPECT_EQ(fake::FontDescription(note->font), "Arial 18 700");
    EXPECT_EQ(note->color, COLORREF(0xFFFFFF));
    EXPECT_EQ(note->bkMode, TRANSPARENT);
    ASSERT_EQ(fake::Calls("SetTextAlign").size(), 2u);   // the title's, then the note's
    EXPECT_NE(fake::Calls("SetTextAlign")[1].find(", 0)"), std::string::npos);
}

TEST_F(PhonePageTest, TheTelephoneTextComesOnceThePointerLeavesTheButtonsAndStays)
{
    const std::string raised = Invalidation(host, RaisedArea);
    const std::string backLook = Invalidation(host, PhoneButtons[0].highlightRect);
    enum Event { Move, Down, Up };
    struct Step {
        const char* what;
        Event event;
        int x, y;
        int result;
        std::vector<std::string> invalidations;
        bool shown;
    } steps[] = {
        {"first movement, onto Back", Move, 300, 420, 1, {}, false},
        {"onto Exit", Move, 380, 420, 1, {}, false},
        {"off the buttons", Move, 200, 200, 1, {raised}, true},
        {"elsewhere off them", Move, 50, 420, 0, {}, true},
        {"onto Back", Move, 292, 412, 1, {}, true},
        {"press Back", Down, 325, 440, 1, {backLook}, true},
        {"held: onto Exit", Move, 380, 420, 1, {backLook}, true},
        {"held: off the buttons", Move, 200, 200, 1, {}, true},
        {"release off Back", Up, 200, 200, 1, {backLook}, true},
        {"off the buttons again", Move, 210, 200, 0, {}, true},
    };
    for (const Step& s : steps) {
        fake::ClearLog();
        const int result = s.event == Move   ? page->OnMouseMove(s.x, s.y)
                           : s.event == Down ? page->OnLButtonDown(s.x, s.y)
                                             : page->OnLButtonUp(s.x, s.y);
        EXPECT_EQ(result, s.result) << s.what;
        EXPECT_EQ(fake::Calls("InvalidateRect"), s.invalidations) << s.what;
        EXPECT_TRUE(fake::Calls("SendMessageA").empty()) << s.what;

        const std::vector<fake::DrawnText> texts = PaintAll(*page, host);
        EXPECT_NE(DrawnIn(texts, NoteArea), nullptr) << s.what;
        const fake::DrawnText* message = DrawnIn(texts, RaisedArea);
        if (!s.shown) {
            EXPECT_EQ(message, nullptr) << s.what;
            continue;
        }
        ASSERT_NE(message, nullptr) << s.what;
        EXPECT_EQ(message->text, PhoneText) << s.what;
        EXPECT_EQ(fake::FontDescription(message->font), "Arial 20 700") << s.what;
    }
}

TEST_F(PhonePageTest, APressOnTheBackPictureOutsideItsHotAreaDoesNothing)
{
    EXPECT_EQ(page->OnLButtonDown(330, 426), 0);
    EXPECT_EQ(page->OnLButtonUp(330, 426), 0);
    EXPECT_EQ(fake::Capture(), nullptr);
    EXPECT_TRUE(fake::Calls("InvalidateRect").empty());
    EXPECT_TRUE(fake::Calls("SendMessageA").empty());
}

TEST_F(PhonePageTest, TheNoteFontGoesFirstThenTheMessageFontsThenTheArtwork)
{
    page->OnMouseMove(200, 200);
    PaintAll(*page, host);
    fake::ClearLog();
    delete page;
    page = nullptr;
    const std::vector<std::string> deletes = fake::Calls("DeleteObject");
    ASSERT_EQ(deletes.size(), 4u);
    EXPECT_EQ(deletes[0], "DeleteObject(" + noteFont + ")");
    EXPECT_EQ(deletes[1], "DeleteObject(" + largeFont + ")");
    EXPECT_EQ(deletes[2], "DeleteObject(" + smallFont + ")");
    EXPECT_EQ(deletes[3].compare(0, 14, "DeleteObject(B"), 0) << deletes[3];
}

}  // namespace
