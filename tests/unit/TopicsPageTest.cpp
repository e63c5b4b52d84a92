// The topics page: topic lines measured in the small font, selected by the
// pointer with a sound, drawn white or grey with their underlines.
#include <gtest/gtest.h>

#include <cstring>

#include "FakeWin32.h"
#include "pages/CPage1.h"
#include "support/PagesHarness.h"

namespace {

using pages_harness::CreatedFont;
using pages_harness::DrawnIn;
using pages_harness::Invalidation;
using pages_harness::PaintAll;

constexpr int CharWidth = 7;   // the fake measures every character this wide
constexpr COLORREF White = 0xFFFFFF;
constexpr COLORREF Grey = 0x808080;

// Where topic i must react: from x 20 over its measured width, 26 rows.
RECT TopicRect(int i)
{
    const int top = 50 + 30 * i;
    return RECT{20, top, 20 + CharWidth * static_cast<int>(std::strlen(TopicTitles[i])), top + 25};
}

class TopicsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        fake::script.charWidth = CharWidth;
        host = fake::CreateHost();
        page = new CPage1(4, TopicsButtons, IDB_TOPICS, host, TopicsDefaultMessage);
        smallFont = CreatedFont("Arial 20 700");
        construction = fake::Log();
        fake::ClearLog();
    }
    void TearDown() override
    {
        delete page;
        EXPECT_EQ(fake::Capture(), nullptr);
        EXPECT_EQ(fake::LiveGdiObjects(), 0);
        EXPECT_TRUE(fake::Errors().empty()) << fake::Errors().front();
    }
    std::string Topic(int i) const { return Invalidation(host, TopicRect(i)); }
    std::string Cue() const { return "PlaySoundA(#2, " + fake::Name(fake::Instance()) + ", 0x40005)"; }

    HWND host = nullptr;
    CPage1* page = nullptr;
    std::string smallFont;
    std::vector<std::string> construction;
};

TEST_F(TopicsPageTest, TopicLinesAreMeasuredInTheSmallFontOnTheHostWindow)
{
    std::vector<std::string> measuring;
    for (const std::string& line : construction)
        if (line.compare(0, 5, "GetDC") == 0 || line.compare(0, 9, "ReleaseDC") == 0 ||
            line.compare(0, 12, "SelectObject") == 0 || line.compare(0, 21, "GetTextExtentPoint32A") == 0)
            measuring.push_back(line);
    ASSERT_EQ(measuring.size(), 8u);
    const std::string head = "GetDC(" + fake::Name(host) + " -> ";
    ASSERT_EQ(measuring[0].compare(0, head.size(), head), 0) << measuring[0];
    const std::string dc = measuring[0].substr(head.size(), measuring[0].size() - head.size() - 1);
    EXPECT_EQ(measuring[1], "SelectObject(" + dc + ", " + smallFont + ")");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(measuring[2 + i], "GetTextExtentPoint32A(" + dc + ", \"" + TopicTitles[i] + "\")");
    EXPECT_EQ(measuring[6].compare(0, 16 + dc.size(), "SelectObject(" + dc + ", S"), 0) << measuring[6];
    EXPECT_EQ(measuring[7], "ReleaseDC(" + fake::Name(host) + ", " + dc + ")");
}

TEST_F(TopicsPageTest, TopicLinesReactOverTheirWidthAnd26Rows)
{
    struct Probe {
        int dx, dy;     // from the topic's own top-left corner; width w is added when wide
        bool wide;      // dx counts from the right edge (20 + text width)
        bool hit;
    } probes[] = {
        {0, 0, false, true},    {0, 25, false, true},  {0, 0, true, true},    {0, 25, true, true},
        {-1, 10, false, false}, {1, 10, true, false},  {0, -1, false, false}, {0, 26, false, false},
        {5, 28, false, false},  {5, 29, false, false},
    };
    const std::string area = Invalidation(host, MessageArea);
    for (int topic = 0; topic < 4; ++topic) {
        const RECT r = TopicRect(topic);
        for (const Probe& p : probes) {
            const int x = (p.wide ? r.right : r.left) + p.dx;
            const int y = r.top + p.dy;
            page->OnMouseMove(5, 5);   // on nothing: the default message, no topic
            fake::ClearLog();
            EXPECT_EQ(page->OnMouseMove(x, y), p.hit ? 1 : 0) << topic << ": " << x << "," << y;
            EXPECT_EQ(fake::Calls("PlaySoundA").size(), p.hit ? 1u : 0u) << topic << ": " << x << "," << y;
            const std::vector<std::string> repaints =
                p.hit ? std::vector<std::string>{Topic(topic), area} : std::vector<std::string>{};
            EXPECT_EQ(fake::Calls("InvalidateRect"), repaints) << topic << ": " << x << "," << y;
        }
    }
}

TEST_F(TopicsPageTest, MovesAmongTopicsButtonsAndArtwork)
{
    const std::string area = Invalidation(host, MessageArea);
    const std::string exitLook = Invalidation(host, TopicsButtons[3].highlightRect);
    const char* const orderFormHover = TopicsButtons[2].hoverMessage;
    enum Event { Move, Down, Up };
    struct Step {
        const char* what;
        Event event;
        int x, y;
        int result;
        bool sound;
        std::vector<std::string> invalidations;
        const char* shown;   // null: nothing written in the message area
    } steps[] = {
        {"first movement, on the artwork", Move, 5, 5, 1, false, {area}, TopicsDefaultMessage},
        {"onto topic 1", Move, 30, 60, 1, true, {Topic(0), area}, TopicAnswers[0]},
        {"within topic 1", Move, 100, 70, 1, false, {}, TopicAnswers[0]},
        {"straight onto topic 2", Move, 30, 85, 1, true, {Topic(0), Topic(1), area}, TopicAnswers[1]},
        {"into the gap below it", Move, 30, 107, 1, false, {Topic(1), area}, TopicsDefaultMessage},
        {"back onto topic 2", Move, 30, 105, 1, true, {Topic(1), area}, TopicAnswers[1]},
        {"onto the order form button", Move, 250, 420, 1, false, {Topic(1), area}, orderFormHover},
        {"onto topic 4", Move, 25, 145, 1, true, {Topic(3), area}, TopicAnswers[3]},
        {"press Exit", Down, 380, 420, 1, false, {exitLook}, TopicAnswers[3]},
        {"held: onto topic 3", Move, 30, 115, 1, true, {Topic(3), Topic(2), area}, TopicAnswers[2]},
        {"held: off to the artwork", Move, 5, 5, 1, false, {Topic(2), exitLook}, nullptr},
        {"held: back onto Exit", Move, 380, 420, 1, false, {exitLook}, nullptr},
        {"release", Up, 380, 420, 1, false, {exitLook}, nullptr},
        {"on the artwork again", Move, 5, 5, 1, false, {area}, TopicsDefaultMessage},
        {"and elsewhere on it", Move, 380, 300, 0, false, {}, TopicsDefaultMessage},
    };
    for (const Step& s : steps) {
        fake::ClearLog();
        const int result = s.event == Move   ? page->OnMouseMove(s.x, s.y)
                           : s.event == Down ? page->OnLButtonDown(s.x, s.y)
                                             : page->OnLButtonUp(s.x, s.y);
        EXPECT_EQ(result, s.result) << s.what;
        const std::vector<std::string> sounds = s.sound ? std::vector<std::string>{Cue()} : std::vector<std::string>{};
        EXPECT_EQ(fake::Calls("PlaySoundA"), sounds) << s.what;
        EXPECT_EQ(fake::Calls("InvalidateRect"), s.invalidations) << s.what;

        const std::vector<fake::DrawnText> texts = PaintAll(*page, host);
        const fake::DrawnText* message = DrawnIn(texts, MessageArea);
        if (!s.shown) {
            EXPECT_EQ(message, nullptr) << s.what;
            continue;
        }
        ASSERT_NE(message, nullptr) << s.what;
        EXPECT_EQ(message->text, s.shown) << s.what;
        // Only the default message stands out in the large font.
        EXPECT_EQ(fake::FontDescription(message->font),
                  s.shown == TopicsDefaultMessage ? "Arial 28 700" : "Arial 20 700")
            << s.what;
        EXPECT_EQ(message->color, White) << s.what;
    }
}

TEST_F(TopicsPageTest, TopicLinesAreGreyAndUnderlinedButTheSelectedOneIsWhite)
{
    for (int selected = -1; selected < 4; ++selected) {
        page->OnMouseMove(5, 5);
        if (selected != -1)
            page->OnMouseMove(20, 50 + 30 * selected);
        const int objectsBefore = fake::LiveGdiObjects();
        const std::vector<fake::DrawnText> texts = PaintAll(*page, host);

        std::vector<const fake::DrawnText*> lines;
        for (const fake::DrawnText& t : texts)
            if (t.api == "TextOutA" && t.text != TitleText)
                lines.push_back(&t);
        ASSERT_EQ(lines.size(), 4u) << selected;
        const std::vector<std::string> pens = fake::Calls("CreatePen");
        ASSERT_EQ(pens.size(), 2u);
        EXPECT_EQ(pens[0].substr(0, pens[0].find(" ->")), "CreatePen(0, 2, 0xFFFFFF");
        EXPECT_EQ(pens[1].substr(0, pens[1].find(" ->")), "CreatePen(0, 2, 0x808080");
        const std::vector<std::string> moves = fake::Calls("MoveToEx");
        const std::vector<std::string> strokes = fake::Calls("LineTo");
        ASSERT_EQ(moves.size(), 4u);
        ASSERT_EQ(strokes.size(), 4u);
        const std::string dc = fake::Name(lines[0]->dc);
        for (int i = 0; i < 4; ++i) {
            const RECT r = TopicRect(i);
            const bool white = i == selected;
            EXPECT_EQ(lines[i]->text, TopicTitles[i]);
            EXPECT_EQ(lines[i]->x, r.left);
            EXPECT_EQ(lines[i]->y, r.top);
            EXPECT_EQ(fake::FontDescription(lines[i]->font), "Arial 20 700");
            EXPECT_EQ(lines[i]->color, white ? White : Grey) << selected << " " << i;
            EXPECT_EQ(lines[i]->bkMode, TRANSPARENT);
            const std::string y = std::to_string(r.bottom - 3);
            EXPECT_EQ(moves[i], "MoveToEx(" + dc + ", 20," + y + ")");
            EXPECT_EQ(strokes[i], "LineTo(" + dc + ", " + std::to_string(r.right) + "," + y +
                                      (white ? ", pen 0xFFFFFF)" : ", pen 0x808080)"))
                << selected << " " << i;
        }
        EXPECT_EQ(fake::LiveGdiObjects(), objectsBefore);   // both pens deleted again
    }
}

}  // namespace
