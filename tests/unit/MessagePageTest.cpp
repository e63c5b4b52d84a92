// The message pages: the title and the message area that follows the
// pointer; the phone page's raised telephone text and note; the topics
// page's lines, selected with a sound and drawn white or grey, underlined.
#include <gtest/gtest.h>

#include <cstring>

#include "pages/CPage1.h"
#include "pages/CPagePH.h"
#include "support/PagesHarness.h"

namespace {

using namespace pages_harness;

const char DefaultText[] = "Rest on a button.";
const char HoverA[] = "The first button.";

// One button with a hover message, one without.
constexpr ImageButton TestButtons[2] = {
    {100, {6, 412, 111, 440}, {0, 406, 116, 450}, 0, 450, HoverA},
    {101, {122, 412, 191, 440}, {116, 406, 196, 450}, 116, 450, nullptr},
};

class MessagePageTest : public PageTest<CPage1_2> {
protected:
    void SetUp() override { Open(nullptr, 2, TestButtons, 30000, DefaultText); }   // TearDown: no font left selected
};

TEST_F(MessagePageTest, TheTitleInTheLargeFontThenTheMessageInTheSmallOneOverTheArtwork)
{
    const std::string small = CreatedFont("Arial 20 700"), large = CreatedFont("Arial 28 700");
    const std::vector<fake::DrawnText> title = PaintAll(*page, host);
    ASSERT_EQ(title.size(), 1u);   // no message before the first movement
    EXPECT_EQ(Describe(title[0]), "TextOutA 20,20 \"Zorbel Solitaire\" Arial 28 700 FFFFFF transparent");

    page->OnMouseMove(300, 100);
    PaintAll(*page, host);
    EXPECT_EQ(fake::Sequence({"BitBlt", "DeleteDC", "SelectObject", "SetTextColor", "SetBkMode", "SetTextAlign",
                              "TextOutA", "DrawTextA", "EndPaint"}),
              (Strings{"SelectObject", "BitBlt", "SelectObject", "DeleteDC",   // the artwork
                       "SelectObject", "SetTextColor", "SetBkMode", "SetTextAlign", "TextOutA", "SelectObject",
                       "DrawTextA", "SelectObject", "EndPaint"}));
    const Strings selections = fake::Calls("SelectObject");
    ASSERT_EQ(selections.size(), 5u);
    EXPECT_NE(selections[2].find(", " + large + ")"), std::string::npos) << selections[2];
    EXPECT_NE(selections[3].find(", " + small + ")"), std::string::npos) << selections[3];
    EXPECT_NE(fake::Calls("SetTextAlign").at(0).find(", 0)"), std::string::npos);
}

TEST_F(MessagePageTest, TheMessageAreaFollowsThePointer)
{
    const std::string area = Invalidation(host, MessageArea);
    const std::string silent = Invalidation(host, TestButtons[1].highlightRect);
    RunSteps(*page, host, MessageArea,
             {
                 {"first movement, onto the silent button", Move, 150, 420, 1, {}, nullptr},
                 {"off every button", Move, 300, 100, 1, {area}, DefaultText},
                 {"elsewhere on nothing", Move, 50, 300, 0, {}, DefaultText},
                 {"onto the button with a message", Move, 50, 420, 1, {area}, HoverA},
                 {"within that button", Move, 111, 440, 1, {}, HoverA},
                 {"onto the silent button keeps it", Move, 150, 420, 1, {}, HoverA},
                 {"off every button again", Move, 300, 100, 1, {area}, DefaultText},
                 {"press the silent button", Down, 150, 420, 1, {silent}, DefaultText},
                 {"held: onto the other button", Move, 50, 420, 1, {silent}, DefaultText},
                 {"held: onto nothing", Move, 300, 100, 1, {}, DefaultText},
                 {"release", Up, 300, 100, 1, {silent}, DefaultText},
                 {"onto the button with a message", Move, 50, 420, 1, {area}, HoverA},
             });   // this page leaves defaultInSmallFont at 1: every message is small
}

// ---- The phone page ----------------------------------------------------------

constexpr RECT RaisedArea = {100, 100, 400, 300};

class PhonePageTest : public PageTest<CPagePH> {
protected:
    void SetUp() override { Open(nullptr, 2, PhoneButtons, IDB_PHONE, PhoneText, PhoneNote); }
};

TEST_F(PhonePageTest, TheNoteFontIsMadeAfterTheMessageFontsAndDeletedFirstThenTheArtwork)
{
    const std::string small = CreatedFont("Arial 20 700"), large = CreatedFont("Arial 28 700");
    const std::string note = CreatedFont("Arial 18 700");
    EXPECT_EQ(fake::Calls("CreateFontIndirectA"),
              (Strings{"CreateFontIndirectA(Arial 20 700 -> " + small + ")",
                       "CreateFontIndirectA(Arial 28 700 -> " + large + ")",
                       "CreateFontIndirectA(Arial 18 700 -> " + note + ")"}));
    page->OnMouseMove(200, 200);
    PaintAll(*page, host);
    fake::ClearLog();
    delete page;
    page = nullptr;
    const Strings deletes = fake::Calls("DeleteObject");
    ASSERT_EQ(deletes.size(), 4u);
    EXPECT_EQ(Strings(deletes.begin(), deletes.begin() + 3),
              (Strings{"DeleteObject(" + note + ")", "DeleteObject(" + large + ")", "DeleteObject(" + small + ")"}));
    EXPECT_EQ(deletes[3].compare(0, 14, "DeleteObject(B"), 0) << deletes[3];
}

TEST_F(PhonePageTest, BeforeTheFirstMovementTheTitleAndNoteShowButNotTheTelephoneText)
{
    const std::vector<fake::DrawnText> texts = PaintAll(*page, host);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, TitleText);
    const fake::DrawnText* note = DrawnIn(texts, NoteArea);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(Describe(*note), "DrawTextA 100,300 \"" + std::string(PhoneNote) + "\" Arial 18 700 FFFFFF transparent");
    EXPECT_EQ(note->format, UINT(DT_WORDBREAK));
    EXPECT_NE(fake::Calls("SetTextAlign").at(1).find(", 0)"), std::string::npos);   // the note's own
}

TEST_F(PhonePageTest, TheTelephoneTextComesOnceThePointerLeavesTheButtonsAndStays)
{
    const std::string raised = Invalidation(host, RaisedArea);
    const std::string back = Invalidation(host, PhoneButtons[0].highlightRect);
    RunSteps(*page, host, RaisedArea,
             {
                 {"first movement, onto Back", Move, 300, 420, 1, {}, nullptr},
                 {"onto Exit", Move, 380, 420, 1, {}, nullptr},
                 {"off the buttons", Move, 200, 200, 1, {raised}, PhoneText},
                 {"elsewhere off them", Move, 50, 420, 0, {}, PhoneText},
                 {"onto Back's corner", Move, 292, 412, 1, {}, PhoneText},
                 {"press on Back's picture beside its hot area", Down, 330, 426, 0, {}, PhoneText},
                 {"and release there", Up, 330, 426, 0, {}, PhoneText},
                 {"press Back", Down, 325, 440, 1, {back}, PhoneText},
                 {"held: onto Exit", Move, 380, 420, 1, {back}, PhoneText},
                 {"held: off the buttons", Move, 200, 200, 1, {}, PhoneText},
                 {"release off Back", Up, 200, 200, 1, {back}, PhoneText},
                 {"off the buttons again", Move, 210, 200, 0, {}, PhoneText},
             });
}

// ---- The topics page ---------------------------------------------------------

// Where topic i must react: from x 20 over its measured width, 26 rows.
RECT TopicRect(int i)
{
    const int top = 50 + 30 * i;
    return RECT{20, top, 20 + fake::script.charWidth * static_cast<int>(std::strlen(TopicTitles[i])), top + 25};
}

class TopicsPageTest : public PageTest<CPage1> {
protected:
    void SetUp() override { Open(nullptr, 4, TopicsButtons, IDB_TOPICS, TopicsDefaultMessage); }
    std::string Topic(int i) const { return Invalidation(host, TopicRect(i)); }
};

TEST_F(TopicsPageTest, TopicLinesAreMeasuredInTheSmallFontOnTheHostWindow)
{
    const std::string getDC = fake::Calls("GetDC").at(0), dc = Made(getDC);
    Strings expected = {getDC, "SelectObject(" + dc + ", " + CreatedFont("Arial 20 700") + ")"};
    for (const char* title : TopicTitles)
        expected.push_back("GetTextExtentPoint32A(" + dc + ", \"" + title + "\")");
    expected.push_back("ReleaseDC(" + fake::Name(host) + ", " + dc + ")");   // its font put back: TearDown checks
    Strings measuring;
    for (const std::string& line : fake::Log())
        if (line.find(dc) != std::string::npos && line.rfind("SelectObject(" + dc + ", S", 0) != 0)
            measuring.push_back(line);
    EXPECT_EQ(measuring, expected);
}

TEST_F(TopicsPageTest, TopicLinesReactOverTheirWidthAnd26Rows)
{
    const struct {
        int dx, dy;   // from the topic's top-left corner, or its top-right when wide
        bool wide, hit;
    } probes[] = {
        {0, 0, false, true},    {0, 25, false, true}, {0, 0, true, true},     {0, 25, true, true},
        {-1, 10, false, false}, {1, 10, true, false}, {0, -1, false, false},  {0, 26, false, false},
        {5, 28, false, false},  {5, 29, false, false},   // the gap to the next line
    };
    const std::string area = Invalidation(host, MessageArea);
    for (int topic = 0; topic < 4; ++topic) {
        for (const auto& p : probes) {
            const int x = (p.wide ? TopicRect(topic).right : 20) + p.dx, y = TopicRect(topic).top + p.dy;
            SCOPED_TRACE(std::to_string(topic) + ": " + std::to_string(x) + "," + std::to_string(y));
            page->OnMouseMove(5, 5);   // on nothing: the default message, no topic
            fake::ClearLog();
            EXPECT_EQ(page->OnMouseMove(x, y), p.hit ? 1 : 0);
            EXPECT_EQ(fake::Calls("PlaySoundA"), p.hit ? Strings{Cue()} : Strings{});
            EXPECT_EQ(fake::Calls("InvalidateRect"), (p.hit ? Strings{Topic(topic), area} : Strings{}));
        }
    }
}

TEST_F(TopicsPageTest, MovesAmongTopicsButtonsAndArtwork)
{
    const std::string area = Invalidation(host, MessageArea);
    const std::string exit = Invalidation(host, TopicsButtons[3].highlightRect);
    const char* const orderFormHover = TopicsButtons[2].hoverMessage;
    RunSteps(*page, host, MessageArea,
             {
                 {"first movement, on the artwork", Move, 5, 5, 1, {area}, TopicsDefaultMessage},
                 {"onto topic 1", Move, 30, 60, 1, {Topic(0), area}, TopicAnswers[0], true},
                 {"within topic 1", Move, 100, 70, 1, {}, TopicAnswers[0]},
                 {"straight onto topic 2", Move, 30, 85, 1, {Topic(0), Topic(1), area}, TopicAnswers[1], true},
                 {"into the gap below it", Move, 30, 107, 1, {Topic(1), area}, TopicsDefaultMessage},
                 {"back onto topic 2", Move, 30, 105, 1, {Topic(1), area}, TopicAnswers[1], true},
                 {"onto the order form button", Move, 250, 420, 1, {Topic(1), area}, orderFormHover},
                 {"onto topic 4", Move, 25, 145, 1, {Topic(3), area}, TopicAnswers[3], true},
                 {"press Exit", Down, 380, 420, 1, {exit}, TopicAnswers[3]},
                 {"held: onto topic 3", Move, 30, 115, 1, {Topic(3), Topic(2), area}, TopicAnswers[2], true},
                 {"held: off to the artwork", Move, 5, 5, 1, {Topic(2), exit}, nullptr},
                 {"held: back onto Exit", Move, 380, 420, 1, {exit}, nullptr},
                 {"release", Up, 380, 420, 1, {exit}, nullptr},
                 {"on the artwork again", Move, 5, 5, 1, {area}, TopicsDefaultMessage},
                 {"and elsewhere on it", Move, 380, 300, 0, {}, TopicsDefaultMessage},
             },
             TopicsDefaultMessage);   // only the default message stands out in the large font
}

TEST_F(TopicsPageTest, TopicLinesAreGreyAndUnderlinedButTheSelectedOneIsWhite)
{
    for (int selected = -1; selected < 4; ++selected) {
        SCOPED_TRACE(selected);
        page->OnMouseMove(5, 5);
        if (selected != -1)
            page->OnMouseMove(20, 50 + 30 * selected);
        const int objectsBefore = fake::LiveGdiObjects();
        const std::vector<fake::DrawnText> texts = PaintAll(*page, host);
        ASSERT_EQ(texts.size(), 6u);   // title, message, four lines
        const std::string dc = fake::Name(texts[2].dc);
        Strings pens = fake::Calls("CreatePen");
        for (std::string& pen : pens)
            pen.erase(pen.find(" ->"));
        EXPECT_EQ(pens, (Strings{"CreatePen(0, 2, 0xFFFFFF", "CreatePen(0, 2, 0x808080"}));
        Strings moves, strokes;
        for (int i = 0; i < 4; ++i) {
            const RECT r = TopicRect(i);
            const fake::DrawnText& line = texts[2 + i];
            const std::string colour = i == selected ? "FFFFFF" : "808080";
            EXPECT_EQ(Describe(line), "TextOutA 20," + std::to_string(r.top) + " \"" + TopicTitles[i] +
                                          "\" Arial 20 700 " + colour + " transparent");
            const std::string y = std::to_string(r.bottom - 3);
            moves.push_back("MoveToEx(" + dc + ", 20," + y + ")");
            strokes.push_back("LineTo(" + dc + ", " + std::to_string(r.right) + "," + y +
                              (i == selected ? ", pen 0xFFFFFF)" : ", pen 0x808080)"));
        }
        EXPECT_EQ(fake::Calls("MoveToEx"), moves);
        EXPECT_EQ(fake::Calls("LineTo"), strokes);
        EXPECT_EQ(fake::LiveGdiObjects(), objectsBefore);   // both pens deleted again
    }
}

}  // namespace
