// The order form page against the recording layer: its controls, the total,
// the payment method selector and menu, painting, and what it leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FakeWin32.h"
#include "pages/CPage2.h"

namespace {

constexpr int HostX = 200, HostY = 100;   // where the host window sits on the screen

class OrderForm : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }
    void TearDown() override { page.reset(); }

    // A new host and a new page on it, as a visit to the order form makes.
    void Fresh(const std::set<int>& failing = {})
    {
        page.reset();
        fake::Reset();
        fake::script.failControlIds = failing;
        host = fake::CreateHost();
        fake::Find(host)->x = HostX;
        fake::Find(host)->y = HostY;
        H = fake::Name(host);
        page = std::make_unique<CPage2>(3, OrderButtons, IDB_ORDERFORM, host);
    }

    HWND Control(int id) { return GetDlgItem(host, id); }
    HFONT FontOf(int id) { return fake::Find(Control(id))->font; }

    // One paint cycle of the host; returns the texts it drew.
    std::vector<fake::DrawnText> Paint(RECT update = {0, 0, 415, 450})
    {
        fake::ClearLog();
        fake::script.paintRect = update;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(host, &ps);
        page->Paint(dc, &ps.rcPaint);
        EndPaint(host, &ps);
        return fake::Texts();
    }

    std::unique_ptr<CPage2> page;
    HWND host = nullptr;
    std::string H;
};

int Count(const std::vector<std::string>& lines, const std::string& part)
{
    int n = 0;
    for (const std::string& line : lines)
        n += line.find(part) != std::string::npos;
    return n;
}

struct ExpectedControl {
    int id;
    const char* createArgs;   // class, text, style, position and size
    int limit;
};

const ExpectedControl Expected[11] = {
    {1100, "\"EDIT\", null, 0x50030080, 93,33,309,18", 0},
    {1101, "\"EDIT\", null, 0x50031084, 93,60,309,54", 0},
    {1102, "\"EDIT\", null, 0x50030080, 93,123,107,18", 0},
    {1103, "\"EDIT\", null, 0x50030088, 245,123,31,18", 2},
    {1104, "\"EDIT\", null, 0x50030080, 338,123,64,18", 0},
    {1105, "\"EDIT\", null, 0x50030080, 93,150,309,18", 0},
    {1106, "\"EDIT\", null, 0x50030080, 248,177,154,18", 0},
    {1107, "\"EDIT\", null, 0x50031084, 93,203,309,45", 0},
    {1111, "\"BUTTON\", null, 0x50030003, 18,253,12,12", 0},
    {1108, "\"EDIT\", null, 0x50030080, 63,329,162,18", 20},
    {1109, "\"EDIT\", \"mm/yy\", 0x50030080, 303,329,77,18", 5},
};

TEST_F(OrderForm, ControlsAreCreatedInTabOrderWithFontAndLimits)
{
    const std::string font = fake::Name(FontOf(IDC_NAME));
    EXPECT_EQ(fake::FontDescription(FontOf(IDC_NAME)), "Arial 18 700");

    std::vector<std::string> expected;
    for (const ExpectedControl& c : Expected) {
        const std::string w = fake::Name(Control(c.id));
        expected.push_back("CreateWindowExA(0x0, " + std::string(c.createArgs) + ", " + H + ", " +
                           std::to_string(c.id) + ", " + fake::Name(fake::Instance()) + ", null)");
        expected.push_back("SendMessageA(" + w + ", WM_SETFONT, " + font + ", 0)");
        if (c.limit)
            expected.push_back("SendMessageA(" + w + ", EM_LIMITTEXT, " + std::to_string(c.limit) + ", 0)");
        EXPECT_EQ(fake::Find(Control(c.id))->textLimit, c.limit) << c.id;
    }
    std::vector<std::string> made;
    for (const std::string& line : fake::Log())
        if (line.rfind("CreateWindowExA(", 0) == 0 || line.rfind("SendMessageA(", 0) == 0)
            made.push_back(line);
    EXPECT_EQ(made, expected);

    EXPECT_EQ(fake::LiveChildWindows(host), 11);
    EXPECT_EQ(fake::Focus(), Control(IDC_NAME));
    EXPECT_EQ(fake::Find(Control(IDC_CDROM))->check, 0);
}

TEST_F(OrderForm, AControlThatCannotBeMadeIsLeftOutAndTheRestWork)
{
    const std::set<int> cases[] = {{IDC_NAME}, {IDC_STATE}, {IDC_CDROM}, {IDC_EXPDATE}, {IDC_ADDRESS, IDC_CARDNUM}};
    for (const std::set<int>& failing : cases) {
        SCOPED_TRACE(*failing.begin());
        Fresh(failing);
        const int made = 11 - static_cast<int>(failing.size());
        int limits = 0;
        for (const ExpectedControl& c : Expected) {
            const bool missing = failing.count(c.id) != 0;
            EXPECT_EQ(Control(c.id) == nullptr, missing) << c.id;
            limits += c.limit && !missing;
        }
        EXPECT_EQ(fake::Calls("CreateWindowExA").size(), 11u);
        EXPECT_EQ(Count(fake::Calls("SendMessageA"), "WM_SETFONT"), made);
        EXPECT_EQ(Count(fake::Calls("SendMessageA"), "EM_LIMITTEXT"), limits);
        EXPECT_EQ(fake::LiveChildWindows(host), made);

        page->UpdateTotal();
        page.reset();
        EXPECT_EQ(fake::Calls("DestroyWindow").size(), static_cast<size_t>(made));
        EXPECT_EQ(Count(fake::Calls("DestroyWindow"), "null"), 0);
        EXPECT_EQ(fake::LiveChildWindows(host), 0);
        EXPECT_EQ(fake::LiveGdiObjects(), 0);
        EXPECT_EQ(fake::Errors(), std::vector<std::string>{});
    }
}

TEST_F(OrderForm, TeardownReleasesControlsThenFontThenArtwork)
{
    page->OnPaymentMethodChosen(503);
    page->ShowPaymentMenu();
    Paint();
    std::vector<std::string> windows;
    for (const ExpectedControl& c : Expected)
        windows.push_back("DestroyWindow(" + fake::Name(Control(c.id)) + ")");
    const std::string font = "DeleteObject(" + fake::Name(FontOf(IDC_NAME)) + ")";

    fake::ClearLog();
    page.reset();
    std::vector<std::string> released;
    for (const std::string& line : fake::Log())
        if (line.rfind("DestroyWindow(", 0) == 0 || line.rfind("DeleteObject(", 0) == 0)
            released.push_back(line);
    ASSERT_EQ(released.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(released.begin(), released.begin() + 11), windows);
    EXPECT_EQ(released[11], font);
    EXPECT_EQ(released[12].rfind("DeleteObject(B", 0), 0u) << released[12];

    EXPECT_EQ(fake::LiveGdiObjects(), 0);
    EXPECT_EQ(fake::LiveMenus(), 0);
    EXPECT_EQ(fake::LiveChildWindows(host), 0);
    EXPECT_EQ(fake::Errors(), std::vector<std::string>{});
}

TEST_F(OrderForm, TotalFollowsTheCdromBoxAndStateNY)
{
    const struct {
        int check;
        const char* state;
        int index;
        const char* total;
    } cases[] = {
        {0, "", 0, "$14.95 U.S."},  {1, "", 1, "$24.95 U.S."},    {0, "NY", 2, "$16.18 U.S."},
        {1, "NY", 3, "$27.00 U.S."}, {0, "ny", 0, "$14.95 U.S."},  {1, "N", 1, "$24.95 U.S."},
        {0, "NYC", 0, "$14.95 U.S."}, {0, "CA", 0, "$14.95 U.S."},
        {2, "NY", 2, "$16.18 U.S."},   // only BST_CHECKED counts as the CD-ROM
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.check) + " " + c.state);
        Fresh();
        fake::SetCheck(host, IDC_CDROM, c.check);
        fake::SetItemText(host, IDC_STATE, c.state);
        const std::string box = fake::Name(Control(IDC_CDROM));
        fake::ClearLog();
        page->UpdateTotal();

        EXPECT_EQ(page->PriceIndex(), c.index);
        EXPECT_EQ(fake::Calls("SendMessageA"), std::vector<std::string>{"SendMessageA(" + box + ", BM_GETCHECK, 0, 0)"});
        EXPECT_EQ(fake::Calls("GetDlgItemTextA"), std::vector<std::string>{"GetDlgItemTextA(" + H + ", 1103, 30)"});
        std::vector<std::string> repaint;
        if (c.index != 0)
            repaint.push_back("InvalidateRect(" + H + ", 304,362,415,380, 1)");
        EXPECT_EQ(fake::Calls("InvalidateRect"), repaint);
        EXPECT_EQ(Paint().at(0).text, c.total);
    }
}

TEST_F(OrderForm, TotalRepaintsOnlyWhenItChanges)
{
    const struct {
        int check;
        const char* state;
        bool repaint;
    } steps[] = {
        {0, "N", false}, {0, "NY", true}, {0, "NY", false}, {1, "NY", true},
        {1, "N", true},  {1, "N", false}, {0, "N", true},   {0, "", false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(s.check) + " " + s.state);
        fake::SetCheck(host, IDC_CDROM, s.check);
        fake::SetItemText(host, IDC_STATE, s.state);
        fake::ClearLog();
        page->UpdateTotal();
        EXPECT_EQ(fake::Calls("InvalidateRect").size(), s.repaint ? 1u : 0u);
    }
}

TEST_F(OrderForm, MethodChoiceRepaintsTheSelectorToThePageEdge)
{
    const struct {
        WORD command;
        int method;
    } cases[] = {{500, 0}, {501, 1}, {505, 5}, {499, -1}, {506, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Fresh();
        fake::ClearLog();
        page->OnPaymentMethodChosen(c.command);
        EXPECT_EQ(page->PaymentMethod(), c.method);
        std::vector<std::string> repaint;
        if (c.method != -1)   // the long postal name runs past the selector's own rectangle
            repaint.push_back("InvalidateRect(" + H + ", 127,304,415,322, 1)");
        EXPECT_EQ(fake::Calls("InvalidateRect"), repaint);
    }
}

TEST_F(OrderForm, PaymentMenuListsTheMethodsAndChecksTheChosenOne)
{
    const char* names[6] = {"Check", "Postal Money Order - in US dollars", "Visa",
                            "Mastercard", "American Express", "Discover"};
    const struct {
        WORD chosen;   // 0: none yet
        int checked;
    } cases[] = {{0, -1}, {500, 0}, {503, 3}, {505, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        Fresh();
        if (c.chosen)
            page->OnPaymentMethodChosen(c.chosen);
        int liveWhileTracked = -1;
        fake::script.onTrackPopupMenu = [&](HMENU) { liveWhileTracked = fake::LiveMenus(); };
        fake::ClearLog();
        page->ShowPaymentMenu();

        const std::vector<fake::MenuItem>& items = fake::MenuItems(fake::LastMenu());
        ASSERT_EQ(items.size(), 6u);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(items[i].id, static_cast<UINT_PTR>(500 + i));
            EXPECT_EQ(items[i].text, names[i]);
            EXPECT_EQ(items[i].flags, i == c.checked ? 8u : 0u) << i;
        }
        const std::string menu = fake::Name(fake::LastMenu());
        const int anchorX = HostX + fake::script.frameWidth / 2 + 127;
        const int anchorY = HostY + fake::script.frameHeight / 2 + 322;
        EXPECT_EQ(fake::Calls("TrackPopupMenu"),
                  std::vector<std::string>{"TrackPopupMenu(" + menu + ", 0x0, " + std::to_string(anchorX) + "," +
                                           std::to_string(anchorY) + ", 0, " + H + ", null)"});
        EXPECT_EQ(fake::Calls("DestroyMenu"), std::vector<std::string>{"DestroyMenu(" + menu + ")"});
        EXPECT_EQ(fake::Sequence({"CreatePopupMenu", "TrackPopupMenu", "DestroyMenu"}),
                  (std::vector<std::string>{"CreatePopupMenu", "TrackPopupMenu", "DestroyMenu"}));
        EXPECT_EQ(liveWhileTracked, 1);
        EXPECT_EQ(fake::LiveMenus(), 0);
        EXPECT_EQ(page->PaymentMethod(), c.checked);   // closing the menu changes nothing
    }
}

TEST_F(OrderForm, PressOpensTheMenuOnlyInsideTheSelector)
{
    const struct {
        int x, y;
        int handled;
        bool menu;
    } cases[] = {
        {127, 304, 1, true},  {380, 322, 1, true},  {250, 313, 1, true},   // corners, and beside the text
        {381, 322, 0, false}, {127, 323, 0, false}, {126, 304, 0, false}, {127, 303, 0, false},
        {74, 412, 1, false},  {343, 440, 1, false}, {407, 440, 1, false},  // the three image buttons
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Fresh();
        fake::ClearLog();
        EXPECT_EQ(page->OnLButtonDown(c.x, c.y), c.handled);
        EXPECT_EQ(fake::Calls("CreatePopupMenu").size(), c.menu ? 1u : 0u);
        EXPECT_EQ(fake::LiveMenus(), 0);
    }
}

TEST_F(OrderForm, PressOnSelectorWhileAButtonIsStillHeldOnlyEndsThatPress)
{
    page->OnLButtonDown(100, 420);   // Save, whose release never arrives
    ASSERT_EQ(fake::Capture(), host);
    fake::ClearLog();
    EXPECT_EQ(page->OnLButtonDown(200, 313), 1);
    EXPECT_EQ(fake::Calls("CreatePopupMenu").size(), 0u);
    EXPECT_EQ(fake::Capture(), nullptr);
}

TEST_F(OrderForm, PaintDrawsTotalAndSelectorOverTheArtwork)
{
    const struct {
        WORD chosen;   // 0: none yet
        int check;
        const char* state;
        const char* selector;
        const char* total;
    } cases[] = {
        {0, 0, "", "Choose Payment Method", "$14.95 U.S."},
        {500, 1, "", "Check", "$24.95 U.S."},
        {501, 0, "NY", "Postal Money Order - in US dollars", "$16.18 U.S."},
        {505, 1, "NY", "Discover", "$27.00 U.S."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selector);
        Fresh();
        if (c.chosen)
            page->OnPaymentMethodChosen(c.chosen);
        fake::SetCheck(host, IDC_CDROM, c.check);
        fake::SetItemText(host, IDC_STATE, c.state);
        page->UpdateTotal();
        const HFONT font = FontOf(IDC_NAME);

        // A small update region still gets both texts whole; the DC clips them.
        const std::vector<fake::DrawnText> texts = Paint({300, 300, 310, 310});
        ASSERT_EQ(texts.size(), 2u);
        const fake::DrawnText& total = texts[0];
        EXPECT_EQ(total.api, "TextOutA");
        EXPECT_EQ(total.text, c.total);
        EXPECT_EQ(total.x, 304);
        EXPECT_EQ(total.y, 362);
        EXPECT_EQ(total.color, 0xFFFFFFu);
        EXPECT_EQ(total.bkMode, TRANSPARENT);
        EXPECT_EQ(total.font, font);

        const fake::DrawnText& selector = texts[1];
        EXPECT_EQ(selector.api, "TextOutA");
        EXPECT_EQ(selector.text, c.selector);
        EXPECT_EQ(selector.x, 127);
        EXPECT_EQ(selector.y, 304);
        EXPECT_EQ(selector.bkMode, OPAQUE);
        EXPECT_EQ(selector.color, GetSysColor(COLOR_MENUTEXT));
        EXPECT_EQ(selector.bkColor, GetSysColor(COLOR_MENU));
        EXPECT_EQ(selector.font, font);

        const std::string dc = fake::Name(total.dc);
        EXPECT_EQ(fake::Sequence({"BitBlt", "TextOutA", "EndPaint"}),
                  (std::vector<std::string>{"BitBlt", "TextOutA", "TextOutA", "EndPaint"}));
        EXPECT_EQ(fake::Calls("SetTextAlign"), std::vector<std::string>{"SetTextAlign(" + dc + ", 0)"});
        EXPECT_EQ(fake::LiveGdiObjects(), 2);   // the artwork and the form font
        EXPECT_EQ(fake::Errors(), std::vector<std::string>{});
    }
}

}  // namespace
