// The order form page against the recording layer: its controls, the total,
// the payment method selector and menu, painting, and what it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/OrderForm.h"
#include "support/PagesHarness.h"

using namespace order_test;

namespace {

const struct {
    int id;
    const char* createArgs;   // class, text, style, position and size
    int limit;
} Expected[11] = {
    {1100, "\"EDIT\", null, 0x50030080, 93,33,309,18", 0},     {1101, "\"EDIT\", null, 0x50031084, 93,60,309,54", 0},
    {1102, "\"EDIT\", null, 0x50030080, 93,123,107,18", 0},    {1103, "\"EDIT\", null, 0x50030088, 245,123,31,18", 2},
    {1104, "\"EDIT\", null, 0x50030080, 338,123,64,18", 0},    {1105, "\"EDIT\", null, 0x50030080, 93,150,309,18", 0},
    {1106, "\"EDIT\", null, 0x50030080, 248,177,154,18", 0},   {1107, "\"EDIT\", null, 0x50031084, 93,203,309,45", 0},
    {1111, "\"BUTTON\", null, 0x50030003, 18,253,12,12", 0},   {1108, "\"EDIT\", null, 0x50030080, 63,329,162,18", 20},
    {1109, "\"EDIT\", \"mm/yy\", 0x50030080, 303,329,77,18", 5},
};

class OrderForm : public OrderFormFixture {
protected:
    // What making the form must log: every control in tab order and, for
    // each one made, its font (bold Arial 18) and its limit.
    Strings Creation(const std::set<int>& failing = {}) const
    {
        const std::string font = pages_harness::CreatedFont("Arial 18 700");
        Strings lines;
        for (const auto& c : Expected) {
            lines.push_back("CreateWindowExA(0x0, " + std::string(c.createArgs) + ", " + H + ", " +
                            std::to_string(c.id) + ", I1, null)");
            if (failing.count(c.id))
                continue;
            const std::string w = fake::Name(Control(c.id));
            lines.push_back("SendMessageA(" + w + ", WM_SETFONT, " + font + ", 0)");
            if (c.limit)
                lines.push_back("SendMessageA(" + w + ", EM_LIMITTEXT, " + std::to_string(c.limit) + ", 0)");
        }
        return lines;
    }
};

TEST_F(OrderForm, ControlsAreMadeInTabOrderAndReleasedBeforeTheFontThenTheArtwork)
{
    const std::string font = pages_harness::CreatedFont("Arial 18 700");
    EXPECT_EQ(Calls("CreateWindowExA", "SendMessageA"), Creation());
    EXPECT_EQ(fake::Focus(), Control(IDC_NAME));
    EXPECT_EQ(fake::Find(Control(IDC_CDROM))->check, 0);

    page->OnPaymentMethodChosen(503);
    page->ShowPaymentMenu();
    pages_harness::PaintAll(*page, host);
    Strings expected;
    for (const auto& c : Expected)
        expected.push_back("DestroyWindow(" + fake::Name(Control(c.id)) + ")");
    expected.push_back("DeleteObject(" + font + ")");
    fake::ClearLog();
    page.reset();
    Strings released = Calls("DestroyWindow", "DeleteObject");
    ASSERT_EQ(released.size(), 13u);
    EXPECT_EQ(released.back().rfind("DeleteObject(B", 0), 0u) << released.back();   // the artwork
    released.pop_back();
    EXPECT_EQ(released, expected);
    EXPECT_EQ(fake::LiveChildWindows(host), 0);
    EXPECT_EQ(fake::LiveGdiObjects(), 0);
    EXPECT_EQ(fake::LiveMenus(), 0);
    EXPECT_EQ(fake::Errors(), Strings{});
}

TEST_F(OrderForm, AControlThatCannotBeMadeIsLeftOutAndTheRestWork)
{
    const std::set<int> cases[] = {{IDC_NAME}, {IDC_STATE}, {IDC_CDROM}, {IDC_EXPDATE}, {IDC_ADDRESS, IDC_CARDNUM}};
    for (const std::set<int>& failing : cases) {
        SCOPED_TRACE(*failing.begin());
        Rebuild(failing);
        EXPECT_EQ(Calls("CreateWindowExA", "SendMessageA"), Creation(failing));
        page->UpdateTotal();
        page.reset();
        const Strings destroyed = fake::Calls("DestroyWindow");
        EXPECT_EQ(destroyed.size(), 11 - failing.size());
        EXPECT_EQ(std::count(destroyed.begin(), destroyed.end(), "DestroyWindow(null)"), 0);
        EXPECT_EQ(fake::LiveChildWindows(host), 0);
        EXPECT_EQ(fake::LiveGdiObjects(), 0);
        EXPECT_EQ(fake::Errors(), Strings{});
    }
}

TEST_F(OrderForm, TheTotalFollowsTheCdromBoxAndStateNYAndRepaintsOnlyWhenItChanges)
{
    const std::string box = fake::Name(Control(IDC_CDROM));
    const struct {
        int check;
        const char* state;
        int index;
    } steps[] = {
        {0, "N", 0},  {0, "NY", 2}, {0, "NY", 2},  {1, "NY", 3}, {1, "N", 1},  {1, "N", 1}, {0, "N", 0},
        {0, "", 0},   {1, "ny", 1}, {0, "NYC", 0}, {1, "", 1},   {0, "CA", 0}, {2, "NY", 2},   // 2: not BST_CHECKED
    };
    int previous = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(s.check) + " " + s.state);
        fake::SetCheck(host, IDC_CDROM, s.check);
        fake::SetItemText(host, IDC_STATE, s.state);
        fake::ClearLog();
        page->UpdateTotal();
        EXPECT_EQ(page->PriceIndex(), s.index);
        EXPECT_EQ(fake::Calls("SendMessageA"), Strings{"SendMessageA(" + box + ", BM_GETCHECK, 0, 0)"});
        EXPECT_EQ(fake::Calls("GetDlgItemTextA"), Strings{"GetDlgItemTextA(" + H + ", 1103, 30)"});
        EXPECT_EQ(fake::Calls("InvalidateRect"),
                  s.index != previous ? Strings{"InvalidateRect(" + H + ", 304,362,415,380, 1)"} : Strings{});
        previous = s.index;
    }
}

TEST_F(OrderForm, PaymentMenuListsTheMethodsAndChecksTheChosenOne)
{
    const char* names[6] = {"Check", "Postal Money Order - in US dollars", "Visa", "Mastercard", "American Express",
                            "Discover"};
    for (const int checked : {-1, 0, 3, 5}) {
        SCOPED_TRACE(checked);
        Rebuild();
        MoveWindow(host, 200, 100, 421, 456, TRUE);   // where the host sits on the screen
        if (checked != -1)
            page->OnPaymentMethodChosen(static_cast<WORD>(500 + checked));
        int liveWhileTracked = -1;
        fake::script.onTrackPopupMenu = [&](HMENU) { liveWhileTracked = fake::LiveMenus(); };
        fake::ClearLog();
        page->ShowPaymentMenu();

        const std::string menu = pages_harness::Made(fake::Calls("CreatePopupMenu").at(0));
        Strings items;
        for (int i = 0; i < 6; ++i)
            items.push_back("AppendMenuA(" + menu + ", " + (i == checked ? "0x8" : "0x0") + ", " +
                            std::to_string(500 + i) + ", \"" + names[i] + "\")");
        EXPECT_EQ(fake::Calls("AppendMenuA"), items);
        const std::string anchor = std::to_string(200 + 3 + 127) + "," + std::to_string(100 + 3 + 322);
        EXPECT_EQ(fake::Calls("TrackPopupMenu"),
                  Strings{"TrackPopupMenu(" + menu + ", 0x0, " + anchor + ", 0, " + H + ", null)"});
        EXPECT_EQ(fake::Sequence({"CreatePopupMenu", "TrackPopupMenu", "DestroyMenu"}),
                  (Strings{"CreatePopupMenu", "TrackPopupMenu", "DestroyMenu"}));
        EXPECT_EQ(fake::Calls("DestroyMenu"), Strings{"DestroyMenu(" + menu + ")"});
        EXPECT_EQ(liveWhileTracked, 1);
        EXPECT_EQ(fake::LiveMenus(), 0);
        EXPECT_EQ(page->PaymentMethod(), checked);   // closing the menu changes nothing
    }
}

TEST_F(OrderForm, PressOpensTheMenuOnlyInsideTheSelectorAndTheButtonsComeFirst)
{
    const struct {
        int x, y, handled;
        bool menu, held = false;   // held: Save was pressed and its release never came
    } cases[] = {
        {127, 304, 1, true},  {380, 322, 1, true},  {250, 313, 1, true},   // corners, and beside the text
        {381, 322, 0, false}, {127, 323, 0, false}, {126, 304, 0, false}, {127, 303, 0, false},
        {74, 412, 1, false},  {343, 440, 1, false}, {407, 440, 1, false},  // the three image buttons
        {200, 313, 1, false, true},                                        // only ends the held press
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Rebuild();
        if (c.held)
            page->OnLButtonDown(100, 420);
        fake::ClearLog();
        EXPECT_EQ(page->OnLButtonDown(c.x, c.y), c.handled);
        EXPECT_EQ(fake::Calls("CreatePopupMenu").size(), c.menu ? 1u : 0u);
        EXPECT_EQ(fake::Capture() == host, c.handled && !c.menu && !c.held);
        EXPECT_EQ(fake::LiveMenus(), 0);
    }
}

TEST_F(OrderForm, AMethodChoiceRepaintsTheSelectorToThePageEdgeAndPaintDrawsTotalAndSelector)
{
    const struct {
        WORD chosen;   // only 500 to 505 name a method
        int check;
        const char* state;
        const char* selector;
        const char* total;
    } cases[] = {
        {499, 0, "", "Choose Payment Method", "$14.95 U.S."},
        {506, 1, "NY", "Choose Payment Method", "$27.00 U.S."},
        {500, 1, "", "Check", "$24.95 U.S."},
        {501, 0, "NY", "Postal Money Order - in US dollars", "$16.18 U.S."},
        {505, 1, "NY", "Discover", "$27.00 U.S."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        Rebuild();
        fake::ClearLog();
        page->OnPaymentMethodChosen(c.chosen);
        // The long postal name runs past the selector's own rectangle.
        const bool known = c.chosen >= 500 && c.chosen <= 505;
        EXPECT_EQ(page->PaymentMethod(), known ? c.chosen - 500 : -1);
        EXPECT_EQ(fake::Calls("InvalidateRect"),
                  known ? Strings{"InvalidateRect(" + H + ", 127,304,415,322, 1)"} : Strings{});
        fake::SetCheck(host, IDC_CDROM, c.check);
        fake::SetItemText(host, IDC_STATE, c.state);
        page->UpdateTotal();

        // A small update region still gets both texts whole; the DC clips them.
        const std::vector<fake::DrawnText> texts = pages_harness::PaintAll(*page, host, {300, 300, 310, 310});
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(pages_harness::Describe(texts[0]),
                  "TextOutA 304,362 \"" + std::string(c.total) + "\" Arial 18 700 FFFFFF transparent");
        // In the menu's colours, from GetSysColor.
        EXPECT_EQ(pages_harness::Describe(texts[1]),
                  "TextOutA 127,304 \"" + std::string(c.selector) + "\" Arial 18 700 000000 on F0F0F0");
        EXPECT_EQ(fake::Sequence({"BitBlt", "TextOutA", "EndPaint"}),
                  (Strings{"BitBlt", "TextOutA", "TextOutA", "EndPaint"}));
        EXPECT_EQ(fake::Calls("SetTextAlign"), Strings{"SetTextAlign(" + fake::Name(texts[0].dc) + ", 0)"});
        EXPECT_EQ(fake::LiveGdiObjects(), 2);   // the artwork and the form font
        EXPECT_EQ(fake::Errors(), Strings{});
    }
}

}  // namespace
