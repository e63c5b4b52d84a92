// The program on the stand-in's host dialog, in a fresh working folder, driven
// through its dialog procedure as the user and other programs would drive it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "app/Register.h"
#include "order/OrderOutput.h"
#include "order/OrderText.h"
#include "pages/CPage1.h"

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

using namespace fake;
using Fields = std::map<int, std::string>;
enum Method { NoMethod = -1, Check, PostalOrder, Visa, Mc, Amex, Dscv };   // short names as in the messages
enum Page { Stays, Ended, Topics, Phone, NewForm };   // what follows a command

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto scratch = (std::filesystem::temp_directory_path() / "zorbel-unit.XXXXXX").string();   // $TMPDIR's
        std::filesystem::current_path(mkdtemp(scratch.data()));
        state = State{};
        host = Dialog(RegisterDialogProc, reinterpret_cast<LPARAM>(&app));
    }

    void TearDown() override
    {
        DestroyWindow(host);
        EXPECT_TRUE(state.objects.empty());   // nothing left alive once the host has gone
        std::filesystem::remove_all(std::filesystem::current_path());
    }

    void Command(int id) { SendMessageA(host, WM_COMMAND, WORD(id), 0); }
    CPage2* Form() { return static_cast<CPage2*>(app.page); }

    // A new form that passes every rule but for the changes (IDC_CDROM "1" ticks the box).
    Fields Fill(const Fields& changes, int method = Visa)
    {
        Fields fields = changes;
        fields.insert({{IDC_NAME, "Ann Lee"}, {IDC_ADDRESS, "1 Elm St"}, {IDC_CITY, "Albany"}, {IDC_STATE, "CA"},
                       {IDC_ZIPCODE, "12207"}, {IDC_EMAIL, "ann@lee.example"}, {IDC_HEARD, "A friend"},
                       {IDC_COMMENTS, "Deal me in"}, {IDC_CARDNUM, "4111"}, {IDC_EXPDATE, "12/29"}});
        Command(ID_ORDERFORM);
        for (const auto& [id, text] : fields)
            SetDlgItemTextA(host, id, text.c_str());
        Item(host, IDC_CDROM).check = changes.count(IDC_CDROM);
        Command(IDC_STATE);
        Command(ID_METHOD_FIRST + method);   // 499: no method
        Mark();
        return fields;
    }

    // Into exactly the room promised, so that ASan sees any write past it.
    std::string Compose(int expected)
    {
        std::vector<char> text(OrderTextSize);
        EXPECT_EQ(ComposeOrderText(Form(), text.data()), expected);
        return expected ? "" : text.data();
    }

    // Clears what was seen; a page made from now on has a handle past the mark.
    static uintptr_t Mark()
    {
        seen = {};
        return state.next;
    }

    static Page After(uintptr_t mark)
    {
        for (const auto& [handle, object] : state.objects)
            if (object.kind == Bitmap && handle >= mark)
                return object.id == IDB_TOPICS ? Topics : object.id == IDB_PHONE ? Phone : NewForm;
        return seen.dialogsEnded ? Ended : Stays;
    }

    Register app;
    HWND host = nullptr;
};

std::string Saved() { return std::string(std::istreambuf_iterator<char>(std::ifstream("My Order.txt").rdbuf()), {}); }

// Accepted, the order holds the piece found. Refused, the one box says it, the focus goes to the field (for no
// method it stays in Name), the menu opens only for a missing method, and no field changes but a bad date.
TEST_F(Program, AFormMakesItsOrderOrIsRefusedAtTheFirstBrokenRule)
{
    const std::string name = "That is not a valid name, please check it.", method = "You must select a payment method.";
    const std::string date = "That is not a valid date, please check it.";
    const std::string payable = "\n\nPlease make checks payable to Quintara Software.\n\n";
    const int num = IDC_CARDNUM;
    const auto card = [](std::string brand) { return "This is not a valid " + brand + " number!\n Please check it."; };
    Fields full;   // every field at 600 characters, past any control's limit, each read as its first 511
    for (int id = IDC_NAME; id <= IDC_EXPDATE; ++id)
        full[id] = std::string(id == IDC_EMAIL ? "@." : id == num ? "4" : id == IDC_EXPDATE ? "12/29" : "") +
                   std::string(600, 'n');
    const struct { Fields fields; int method; std::string found; int focus; } rows[] = {
        {{{IDC_NAME, "  "}, {IDC_ADDRESS, "ab"}}, Visa, "\nName:       \nAddress:  ab\n", 0},
        {{{IDC_NAME, "A"}}, Visa, name, IDC_NAME}, {{{IDC_NAME, "A"}}, NoMethod, name, IDC_NAME},
        {{}, NoMethod, method, IDC_NAME},
        {{{IDC_ADDRESS, "x"}}, Visa, "That is not a valid address, please check it.", IDC_ADDRESS},
        {{{IDC_EMAIL, ""}}, Visa, "12207\n\nEmail:    \n\nHeard on: A friend\n", 0},
        {{{IDC_EMAIL, ".@"}}, Visa, "\nEmail:    .@\n", 0},
        {{{IDC_EMAIL, "ann@lee"}}, Visa, "That is not a valid E-mail address, please check it.", IDC_EMAIL},
        {{{num, "4"}}, Visa, "Deal me in\n\nCredit Card Type: Visa\nCredit Card Num: 4\nExp. Date: 12/29", 0},
        {{{num, "5-1"}}, Mc, ": Mastercard\nCredit Card Num: 5-1\n", 0}, {{{num, "4"}}, Mc, card("mc"), num},
        {{{num, "3"}}, Amex, ": American Express\nCredit Card Num: 3\n", 0}, {{{num, "6"}}, Amex, card("amex"), num},
        {{{num, "6"}}, Dscv, ": Discover\nCredit Card Num: 6\n", 0}, {{{num, "3"}}, Dscv, card("dscv"), num},
        {{{num, "5123 4567"}}, Visa, card("visa"), num},
        {{{IDC_EXPDATE, "13/00"}}, Visa, "Date: 13/00", 0}, {{{IDC_EXPDATE, "00/00"}}, Visa, "Date: 00/00", 0},
        {{{IDC_EXPDATE, "1/25"}}, Visa, date, IDC_EXPDATE},  {{{IDC_EXPDATE, "12/2"}}, Visa, date, IDC_EXPDATE},
        {{{IDC_EXPDATE, "12-25"}}, Visa, date, IDC_EXPDATE}, {{{IDC_EXPDATE, "mm/yy"}}, Visa, date, IDC_EXPDATE},
        {{{IDC_CARDNUM, "x"}, {IDC_EXPDATE, "?"}}, Check, "Comment:\nDeal me in\n\nCheck" + payable, 0},
        {{{IDC_CARDNUM, ""}}, PostalOrder, "\n\nPostal Money Order - in US dollars" + payable, 0},
        {{{IDC_STATE, "NY"}, {IDC_CDROM, "1"}}, Visa, " amount of $27.00 U.S.\n\nMY INFO:\n", 0},
        {full, Visa, "\nExp. Date: 12/29" + std::string(506, 'n'), 0},
        {{{IDC_ADDRESS, "1 Elm\r\nFlat 2"}}, Visa, "Address:  1 Elm\r\nFlat 2\n          Albany, CA 12207\n", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        const Fields fields = Fill(row.fields, row.method);
        const std::string text = Compose(row.focus != 0);
        ASSERT_EQ(seen.boxes.size(), row.focus ? 1u : 0u);
        if (!row.focus) {
            EXPECT_NE(text.find(row.found), std::string::npos) << text;
            SaveOrder(Form());   // whole, then the closing block
            EXPECT_EQ(Saved(), text + HowToSubmitBlock);
            continue;
        }
        EXPECT_EQ(seen.boxes[0].text, row.found);
        EXPECT_TRUE(state.focus == GetDlgItem(host, row.focus) && seen.menusTracked == (row.found == method));
        for (const auto& [id, entry] : fields)
            EXPECT_EQ(Item(host, id).text, id == IDC_EXPDATE && row.focus == id ? "mm/yy" : entry);
    }
}

TEST_F(Program, AnAcceptedOrderIsSavedOrPrintedOnceAndAFailedSaveCanBeRetried)
{
    std::ofstream("My Order.txt") << "an older order";
    Fill({{IDC_NAME, "A"}});
    SaveOrder(Form());
    PrintOrder(Form());
    EXPECT_TRUE(Saved() == "an older order" && seen.boxes.size() == 2 && !seen.dialogsEnded);   // no print dialog
    Fill({});
    std::filesystem::remove("My Order.txt");
    std::filesystem::create_directory("My Order.txt");   // no file can be made under this name
    SaveOrder(Form());
    EXPECT_TRUE(seen.boxes.empty() && seen.dialogsEnded == 0);
    std::filesystem::remove("My Order.txt");
    SaveOrder(Form());
    EXPECT_EQ(Saved(), Compose(0) + HowToSubmitBlock);
    EXPECT_TRUE(seen.boxes.at(0).caption == "Thank you!" && seen.boxes[0].style == (MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(seen.dialogsEnded, 1);

    // A chosen printer is thanked for and closes the program; one page; the DC and settings go (else Fill fails).
    const struct { BOOL chosen; int startDoc, startPage, endPage; size_t pages; int endDocs; } rows[] = {
        {TRUE, 1, 1, 1, 1, 1},  {TRUE, 1, 0, 0, 1, 1},  {TRUE, 0, 1, 1, 0, 0},  {TRUE, -1, 1, 1, 0, 0},
        {TRUE, 1, -1, 1, 0, 0}, {TRUE, 1, 1, -1, 1, 0}, {FALSE, 1, 1, 1, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        Fill({{IDC_COMMENTS, "A\r\nB"}});
        std::tie(state.printerChosen, state.startDoc, state.startPage, state.endPage) =
            std::tie(row.chosen, row.startDoc, row.startPage, row.endPage);
        PrintOrder(Form());
        EXPECT_TRUE(seen.drawn.size() == row.pages && seen.endDocs == row.endDocs);
        for (const Drawn& page : seen.drawn)
            EXPECT_TRUE(page.text == Compose(0) && page.format == DT_WORDBREAK &&
                        (page.rect == RECT{0, 0, PrinterWidth, PrinterHeight}));
        EXPECT_TRUE(seen.dialogsEnded == row.chosen && seen.boxes.size() == size_t(row.chosen));
        for (const Box& box : seen.boxes)
            EXPECT_TRUE(box.text == "Thank you!" && box.caption == " " && box.style == (MB_OK | MB_ICONEXCLAMATION));
    }
}

// Another program may post commands while a save or print shows a box. Those that would leave the form wait
// until the operation returns (an exit beats a switch, the last switch counts, a second save or print is
// dropped); after the box the operation leaves the frozen form alone: no focus, no "mm/yy", no menu, no print.
TEST_F(Program, CommandsDuringASaveOrPrintWaitAndTheFormIsLeftAlone)
{
    const struct { const char* shown; Fields fields; int method, operation; bool thanks; } boxes[] = {
        {"That is not a valid name", {{IDC_NAME, "A"}}, Visa, ID_SAVE, false}, {"PrintDlgA", {}, Visa, ID_PRINT, false},
        {"That is not a valid date", {{IDC_EXPDATE, "1/25"}}, Visa, ID_SAVE, false},
        {"You must select", {}, NoMethod, ID_PRINT, false},
        // The operation's own exit is already on its way.
        {"Thank you!", {}, Visa, ID_PRINT, true}, {"A text file called", {}, Visa, ID_SAVE, true}};
    const struct { std::vector<int> commands; Page after; } sends[] = {
        {{ID_BACK}, Topics},           {{ID_PHONE}, Phone},           {{ID_ORDERFORM}, NewForm}, {{IDCANCEL}, Ended},
        {{ID_PHONE, ID_BACK}, Topics}, {{IDCANCEL, ID_PHONE}, Ended}, {{ID_BACK, ID_SAVE, ID_PRINT}, Topics}};
    for (const auto& box : boxes) {
        for (const auto& send : sends) {
            SCOPED_TRACE(testing::Message() << box.shown << ", then " << send.commands.back());
            Fill(box.fields, box.method);
            const uintptr_t mark = Mark();
            state.whileShown = [&](const std::string& shown) {
                if (shown.rfind(box.shown, 0) != 0)
                    return;
                for (int id : send.commands)
                    Command(id);
                Freeze(host);
            };
            Command(box.operation);
            state.whileShown = nullptr;
            EXPECT_EQ(seen.menusTracked, 0);
            EXPECT_EQ(After(mark), box.thanks ? Ended : send.after);
        }
    }
}

TEST_F(Program, AButtonHasAllFourEdgesAndSendsItsCommandOnlyOnAReleaseOverIt)
{
    const RECT hot = TopicsButtons[1].hotRect;   // By Phone
    const int x = (hot.left + hot.right) / 2, y = (hot.top + hot.bottom) / 2;
    const struct { int x, y; bool on; } points[] = {
        {hot.left, y, true}, {hot.left - 1, y, false}, {hot.right, y, true},  {hot.right + 1, y, false},
        {x, hot.top, true},  {x, hot.top - 1, false},  {x, hot.bottom, true}, {x, hot.bottom + 1, false}};
    for (const auto& point : points) {
        Command(ID_BACK);
        const uintptr_t mark = Mark();
        SendMessageA(host, WM_LBUTTONDOWN, 0, MAKELPARAM(point.x, point.y));
        EXPECT_EQ(state.capture, point.on ? host : nullptr) << point.x << "," << point.y;
        SendMessageA(host, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));   // its command deletes the page
        EXPECT_TRUE(!state.capture && seen.cues.size() == size_t(point.on)) << point.x << "," << point.y;
        EXPECT_EQ(After(mark), point.on ? Phone : Stays) << point.x << "," << point.y;
    }
    // Held, moved off: the held look goes, the release sends nothing. A page gone while held frees the capture.
    const uintptr_t mark = Mark();
    SendMessageA(host, WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
    SendMessageA(host, WM_MOUSEMOVE, 0, MAKELPARAM(hot.right + 1, y));
    SendMessageA(host, WM_LBUTTONUP, 0, MAKELPARAM(hot.right + 1, y));
    EXPECT_EQ(seen.repaints, std::vector<RECT>(3, TopicsButtons[1].highlightRect));
    EXPECT_TRUE(!state.capture && seen.cues.empty() && After(mark) == Stays);
    SendMessageA(host, WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
    Command(ID_ORDERFORM);
    EXPECT_FALSE(state.capture);
}

TEST_F(Program, TheTotalFollowsStateAndTheCdRomBoxAndRepaintsOnlyWhenItChanges)
{
    Command(ID_ORDERFORM);
    const struct { const char* state; int cdrom; const char* total; bool changes; } steps[] = {
        {"", 0, "$14.95 U.S.", false},   {"", 1, "$24.95 U.S.", true},   {"NY", 1, "$27.00 U.S.", true},
        {"NY", 1, "$27.00 U.S.", false}, {"NY", 0, "$16.18 U.S.", true}, {"ny", 0, "$14.95 U.S.", true}};
    for (const auto& step : steps) {
        SetDlgItemTextA(host, IDC_STATE, step.state);
        Item(host, IDC_CDROM).check = step.cdrom;
        Mark();
        Command(IDC_STATE);
        Command(IDC_CDROM);
        EXPECT_EQ(seen.repaints, std::vector<RECT>(step.changes, TotalRect)) << step.state << step.cdrom;
        SendMessageA(host, WM_PAINT, 0, 0);
        EXPECT_EQ(seen.drawn.at(0).text, step.total);
    }
}

// Cue 1 is the chime of the order buttons, cue 2 the click. The stand-in's frame makes the window 423 by 480:
// on a screen of 300 by 200 both edges overhang, rounded toward minus infinity.
TEST_F(Program, EachCommandPlaysItsCueAndLeadsToItsPageInACentredWindow)
{
    std::tie(state.screenWidth, state.screenHeight) = std::make_tuple(300, 200);
    const struct { int from, id, cue; Page after; } rows[] = {
        {ID_ORDERFORM, ID_ONLINE, 1, Stays}, {ID_ORDERFORM, ID_PHONE, 1, Phone}, {ID_PHONE, ID_ORDERFORM, 1, NewForm},
        {ID_BACK, ID_ORDERFORM, 1, NewForm}, {ID_ORDERFORM, ID_BACK, 2, Topics}, {ID_ORDERFORM, ID_SAVE, 2, Stays},
        {ID_ORDERFORM, ID_PRINT, 2, Stays}, {ID_ORDERFORM, IDCANCEL, 2, Ended}, {ID_ORDERFORM, IDOK, 0, Stays},
        {ID_ORDERFORM, ID_METHOD_LAST, 0, Stays}, {ID_ORDERFORM, IDC_CDROM, 0, Stays}, {ID_BACK, ID_SAVE, 2, Stays},
        {ID_BACK, ID_METHOD_FIRST, 0, Stays}, {ID_BACK, IDC_STATE, 0, Stays}};
    for (const auto& row : rows) {
        Command(row.from);
        const uintptr_t mark = Mark();
        Command(row.id);
        EXPECT_EQ(seen.cues, std::vector<int>(row.cue != 0, row.cue)) << row.from << " then " << row.id;
        EXPECT_EQ(After(mark), row.after) << row.from << " then " << row.id;
    }
    EXPECT_EQ(state.objects.at(Key(host)).rect, (RECT{-62, -140, 361, 340}));
}

// Fifty rounds of hovering, paints of every page, page switches and payment menus, then Exit; the stand-in
// checks every selection and release on the way. Each round four topics and two Backs click (cue 2).
TEST_F(Program, FiftyRoundsOfEverythingLeaveNothingAlive)
{
    for (int round = 0; round < 50; ++round) {
        for (int y = 60; y < 450; y += 30)   // every topic line, then the buttons' messages
            SendMessageA(host, WM_MOUSEMOVE, 0, MAKELPARAM(150, y));
        for (int command : {ID_PHONE, ID_BACK, ID_ORDERFORM, ID_METHOD_FIRST + round % 6, ID_BACK}) {
            SendMessageA(host, WM_PAINT, 0, 0);
            SendMessageA(host, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 310));   // the payment menu, on the form
            Command(command);
        }
    }
    Command(IDCANCEL);
    EXPECT_TRUE(seen.menusTracked == 100 && seen.dialogsEnded == 1);
    EXPECT_EQ(std::count(seen.cues.begin(), seen.cues.end(), 2), 50 * 6 + 1);
}

// The answers on the topics page quote what the form charges: the price, and the CD-ROM's extra.
TEST(TopicAnswers, QuoteThePricesOfTheForm)
{
    const double price = atof(PriceTexts[0] + 1), extra = atof(PriceTexts[1] + 1) - price;
    EXPECT_NE(std::string(TopicAnswers[1]).find("US" + std::string(PriceTexts[0], 6)), std::string::npos);
    EXPECT_NE(std::string(TopicAnswers[2]).find("US$" + std::to_string(int(extra + 0.5)) + " more"), std::string::npos);
    EXPECT_GT(price, 0);
}

}  // namespace
