// Saving the order to "My Order.txt" and printing it: the file's exact
// content, the print calls in order, every failure path, the thanks and the close.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <fstream>

#include "app/Vendor.h"
#include "order/OrderOutput.h"
#include "support/OrderForm.h"
#include "support/TempFolder.h"

using namespace order_test;

namespace {

const std::string Block =
    "\n\n------------------------\nHow To Submit This Order\n\nE-Mail to:\n   " VENDOR_SALES_EMAIL
    "\n\nFax to:\n   " VENDOR_FAX "\n\nPrint, and mail to:\n   Quintara Software\n   " VENDOR_STREET
    "\n   " VENDOR_CITY_LINE
    "\n\nYou may also order through the web via our secure on-line store by going\nto:\n   " VENDOR_WEB_SITE
    "\n\n                THANK YOU!";

const std::string SavedThanks =
    "\"A text file called \"My Order.txt\" has been saved in the same directory as the game. Please e-mail either "
    "the file itself or the text to us at  " VENDOR_SALES_EMAIL ". \", \"Thank you!\", 0x30)";
const std::string PrintedThanks = "\"Thank you!\", \" \", 0x30)";

const char OrderFile[] = "My Order.txt";

// Each test works in a folder of its own, the program's working directory.
class OutputTest : public OrderFormFixture {
protected:
    // The thanks, then the close through the host's cancel command.
    Strings Thanks(const std::string& message) const
    {
        return {"MessageBoxA(" + H + ", " + message, "SendMessageA(" + H + ", WM_COMMAND, 2, 0)"};
    }
    static Strings ThanksAndClose() { return Calls("MessageBoxA", "SendMessageA"); }

    TempFolder folder;
};

TEST_F(OutputTest, TheSavedOrderReplacesTheFileWithTheTextAndTheClosingBlockThenThanksAndCloses)
{
    const struct {
        int method;
        std::string beforeRule;   // one empty line after a card order, three after a check order
    } rows[] = {
        {Visa, "\nExp. Date: 12/34\n\n------------------------\n"},
        {Check, "Quintara Software.\n\n\n\n------------------------\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.method);
        Rebuild();
        std::ofstream(OrderFile) << std::string(20000, 'z') << "\n";
        FormEntries form;
        form.method = row.method;
        form.address = "12 Elm St\r\nApt 4";   // written as typed, as are format directives
        form.name = form.comments = "%s%n%x";
        Fill(form);
        const std::string text = Composed();
        fake::ClearLog();
        SaveOrder(page.get());
        const std::string saved = ReadFile(OrderFile);
        EXPECT_EQ(saved, text + Block);
        EXPECT_NE(text.find("Name:     %s%n%x\n"), std::string::npos);
        EXPECT_NE(saved.find(row.beforeRule), std::string::npos);
        EXPECT_EQ(ThanksAndClose(), Thanks(SavedThanks));
    }
}

TEST_F(OutputTest, ARefusedFormTouchesNoFileAndOpensNoDialog)
{
    const struct {
        void (*output)(CPage2*);
        void (*change)(FormEntries&);
    } rows[] = {
        {SaveOrder, [](auto& f) { f.name = "x"; }},       {SaveOrder, [](auto& f) { f.method = NoMethod; }},
        {SaveOrder, [](auto& f) { f.expiry = "mm/yy"; }}, {PrintOrder, [](auto& f) { f.address = ""; }},
        {PrintOrder, [](auto& f) { f.method = NoMethod; }}, {PrintOrder, [](auto& f) { f.cardNumber = "5"; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        Rebuild();
        std::ofstream(OrderFile) << "the order saved before";
        FormEntries form;
        row.change(form);
        Fill(form);
        fake::ClearLog();

        row.output(page.get());

        EXPECT_EQ(ReadFile(OrderFile), "the order saved before");
        EXPECT_EQ(ThanksAndClose().size(), 1u);   // the refusal alone
        EXPECT_EQ(fake::Calls("PrintDlgA"), Strings{});
    }
}

TEST_F(OutputTest, AFileThatCannotBeMadeIsSilentAndTheNextPressRetries)
{
    Fill(FormEntries());
    const std::string text = Composed();
    ASSERT_EQ(0, mkdir(OrderFile, 0755));   // permissions do not stop root; a folder in the file's place does
    fake::ClearLog();
    SaveOrder(page.get());
    EXPECT_EQ(ThanksAndClose(), Strings{});
    EXPECT_EQ(fake::ItemText(host, IDC_NAME), "Ann Lee");

    ASSERT_EQ(0, rmdir(OrderFile));
    SaveOrder(page.get());
    EXPECT_EQ(ReadFile(OrderFile), text + Block);
    EXPECT_EQ(ThanksAndClose(), Thanks(SavedThanks));
}

// Format directives in every field are printed as typed.
TEST_F(OutputTest, EveryPrintAsksAfreshAndDrawsTheOrderTextAloneOnTheWholePage)
{
    FormEntries f;
    f.name = f.address = f.city = f.zip = f.heard = f.comments = "%s%n%x";
    f.state = "%n"; f.email = "%s%n%x@."; f.cardNumber = "4%s%n%x%p";
    Fill(f);
    const std::string text = Composed();
    EXPECT_NE(text.find("Name:     %s%n%x\nAddress:  %s%n%x\n          %s%n%x, %n %s%n%x\n\nEmail:    %s%n%x@.\n\n"
                        "Heard on: %s%n%x\n\nComment:\n%s%n%x\n\nCredit Card Type: Visa\nCredit Card Num: 4%s%n%x%p\n"),
              std::string::npos);
    fake::script.horzRes = 2400;
    fake::script.vertRes = 3300;
    PrintOrder(page.get());
    fake::ClearLog();
    PrintOrder(page.get());   // no choice carries over from the first

    const PRINTDLGA& r = fake::LastPrintDialog();
    auto u = [](auto v) { return (uintptr_t)v; };
    EXPECT_EQ((std::vector<uintptr_t>{u(r.lStructSize), u(r.hwndOwner), u(r.hDevMode), u(r.hDevNames), u(r.hDC),
                                      u(r.Flags), u(r.nFromPage), u(r.nToPage), u(r.nMinPage), u(r.nMaxPage),
                                      u(r.nCopies), u(r.hInstance), u(r.lCustData), u(r.lpfnPrintHook),
                                      u(r.lpfnSetupHook), u(r.lpPrintTemplateName), u(r.lpSetupTemplateName),
                                      u(r.hPrintTemplate), u(r.hSetupTemplate)}),
              (std::vector<uintptr_t>{sizeof(PRINTDLGA), u(host), 0, 0, 0, 0x110, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,
                                      0}));

    // Every printing call goes to the one device context the dialog returned.
    const std::string startDoc = fake::Calls("StartDocA").at(0);
    const std::string dc = startDoc.substr(10, startDoc.find(',') - 10);
    EXPECT_EQ(startDoc, "StartDocA(" + dc + ", " + std::to_string(sizeof(DOCINFOA)) + ", \"\", null, null, 0)");
    EXPECT_EQ(fake::Calls("StartPage"), Strings{"StartPage(" + dc + ")"});
    EXPECT_EQ(fake::Calls("GetDeviceCaps"), (Strings{"GetDeviceCaps(" + dc + ", 8)", "GetDeviceCaps(" + dc + ", 10)"}));
    EXPECT_EQ(fake::Calls("DrawTextA"),
              Strings{"DrawTextA(" + dc + ", " + std::to_string(text.size()) + ", 0,0,2400,3300, 0x10)"});
    EXPECT_EQ(fake::Calls("EndPage"), Strings{"EndPage(" + dc + ")"});
    EXPECT_EQ(fake::Calls("EndDoc"), Strings{"EndDoc(" + dc + ")"});
    EXPECT_EQ(fake::Calls("DeleteDC"), Strings{"DeleteDC(" + dc + ")"});
    ASSERT_EQ(fake::Texts().size(), 1u);
    EXPECT_EQ(fake::Texts()[0].text, text);   // without the closing block
    EXPECT_EQ(fake::Calls("wsprintfA"), Strings{});
}

TEST_F(OutputTest, EachPrintOutcomeEndsWhatItStartedAndStillThanks)
{
    const std::string start = "PrintDlgA GlobalFree GlobalFree StartDocA ";
    const std::string drawn = "StartPage GetDeviceCaps GetDeviceCaps DrawTextA EndPage ";
    const std::string thanks = "DeleteDC MessageBoxA SendMessageA";
    const struct {
        const char* what;
        bool dialogOk;
        int startDoc, startPage, endPage;
        std::string calls;
    } rows[] = {
        {"printed", true, 1, 1, 1, start + drawn + "EndDoc " + thanks},
        {"dialog cancelled", false, 1, 1, 1, "PrintDlgA"},
        {"document refused with 0", true, 0, 1, 1, start + thanks},
        {"document refused with -1", true, -1, 1, 1, start + thanks},
        {"page refused", true, 1, -1, 1, start + "StartPage " + thanks},
        {"page started with 0", true, 1, 0, 1, start + drawn + "EndDoc " + thanks},
        {"page not ended", true, 1, 1, -1, start + drawn + thanks},
        {"page ended with 0", true, 1, 1, 0, start + drawn + "EndDoc " + thanks},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Rebuild();
        Fill(FormEntries());
        fake::ClearLog();
        fake::script.printDialogOk = row.dialogOk;
        fake::script.startDocResult = row.startDoc;
        fake::script.startPageResult = row.startPage;
        fake::script.endPageResult = row.endPage;
        const int liveObjects = fake::LiveGdiObjects();

        PrintOrder(page.get());

        std::string calls;
        for (const std::string& name : fake::Sequence({"PrintDlgA", "GlobalFree", "StartDocA", "StartPage",
                                                       "GetDeviceCaps", "DrawTextA", "EndPage", "EndDoc", "DeleteDC",
                                                       "MessageBoxA", "SendMessageA", "SelectObject", "SetTextColor",
                                                       "SetBkMode", "CreateFontIndirectA"}))
            calls += (calls.empty() ? "" : " ") + name;
        EXPECT_EQ(calls, row.calls);
        EXPECT_EQ(ThanksAndClose(), row.dialogOk ? Thanks(PrintedThanks) : Strings{});
        EXPECT_EQ(fake::LiveGdiObjects(), liveObjects);
        EXPECT_EQ(fake::LiveGlobals(), 0);
        EXPECT_EQ(fake::Errors(), Strings{});
    }
}

// The seven free fields cut at 511 characters, State, Card # and Exp. Date at
// their controls' limits: the order, its closing block and both outputs whole.
TEST_F(OutputTest, TheFullestFormIsComposedSavedAndPrintedWhole)
{
    const struct {
        int method;
        std::string ending;
    } rows[] = {
        {Amex, "\n\nCredit Card Type: American Express\nCredit Card Num: 37828224631000512345\nExp. Date: 12/34"},
        {PostalOrder, "\n\nPostal Money Order - in US dollars\n\nPlease make checks payable to Quintara Software.\n\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.method);
        Rebuild();
        FormEntries f;
        f.name = std::string(600, 'n'); f.address = std::string(600, 'a'); f.city = std::string(600, 'c');
        f.zip = std::string(600, 'z'); f.email = "@." + std::string(598, 'e'); f.heard = std::string(600, 'h');
        f.comments = std::string(600, 'm'); f.state = "NY"; f.cdrom = true; f.method = row.method;
        f.cardNumber = "37828224631000512345";
        Fill(f);
        const std::string text = Composed();
        EXPECT_EQ(text, "Zorbel Solitaire v.1.0\n------ For Windows 95/98 -----\n\nPlease register me for Zorbel "
                        "Solitaire.\n\nI authorize Quintara Software to bill my credit card once in the amount of "
                        "$27.00 U.S.\n\nMY INFO:\nName:     " + std::string(511, 'n') + "\nAddress:  " +
                            std::string(511, 'a') + "\n          " + std::string(511, 'c') + ", NY " +
                            std::string(511, 'z') + "\n\nEmail:    @." + std::string(509, 'e') + "\n\nHeard on: " +
                            std::string(511, 'h') + "\n\nComment:\n" + std::string(511, 'm') + row.ending);
        std::unique_ptr<char[]> buffer(new char[OrderTextSize]);   // exactly the promised room
        strcpy(buffer.get(), text.c_str());
        AppendToOrder(buffer.get(), HowToSubmitBlock);
        EXPECT_EQ(buffer.get(), text + Block);

        SaveOrder(page.get());
        EXPECT_EQ(ReadFile(OrderFile), text + Block);
        fake::ClearLog();
        PrintOrder(page.get());
        ASSERT_EQ(fake::Texts().size(), 1u);
        EXPECT_EQ(fake::Texts()[0].text, text);
    }
}

}  // namespace
