// Saving the order to "My Order.txt" and printing it: the file's exact
// content, the print calls in order, every failure path, the thanks and the close.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/Vendor.h"
#include "order/OrderOutput.h"
#include "order/OrderText.h"
#include "support/OrderForm.h"

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
    "the file itself or the text to us at  " VENDOR_SALES_EMAIL ". \", \"Thank you!\", 0x30";
const std::string PrintedThanks = "\"Thank you!\", \" \", 0x30";

const char OrderFile[] = "My Order.txt";

std::string ReadFile(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const char* name, const std::string& content)
{
    std::ofstream(name, std::ios::binary) << content;
}

// Each test works in a folder of its own, the program's working directory.
class OutputTest : public OrderFormFixture {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ordertest.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        folder = pattern;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        OrderFormFixture::SetUp();
    }

    void TearDown() override
    {
        OrderFormFixture::TearDown();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

    // The order text as composed for the form now on the page.
    std::string Composed()
    {
        std::unique_ptr<char[]> text(new char[OrderTextSize]);
        EXPECT_EQ(0, ComposeOrderText(page, text.get()));
        const std::string out = text.get();
        fake::ClearLog();
        return out;
    }

    std::string HostCall(const std::string& function, const std::string& rest) const
    {
        return function + "(" + fake::Name(host) + ", " + rest + ")";
    }

    std::vector<std::string> Closes() const
    {
        std::vector<std::string> out;
        for (const std::string& call : fake::Calls("SendMessageA"))
            if (call.find("WM_COMMAND") != std::string::npos)
                out.push_back(call);
        return out;
    }

    std::filesystem::path folder, previous;
};

TEST_F(OutputTest, SavedOrderIsTheTextThenTheClosingBlockThenThanksAndClose)
{
    struct Row {
        int method;
        std::string beforeRule;   // one empty line after a card order, three after a check order
    } rows[] = {
        {Visa, "\nExp. Date: 12/34\n\n------------------------\n"},
        {Check, "Quintara Software.\n\n\n\n------------------------\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.method);
        Rebuild();
        FormEntries form;
        form.method = row.method;
        form.address = "12 Elm St\r\nApt 4";
        Fill(form);
        const std::string text = Composed();

        SaveOrder(page);

        const std::string saved = ReadFile(OrderFile);
        EXPECT_EQ(text + Block, saved);
        EXPECT_NE(std::string::npos, saved.find(row.beforeRule));
        EXPECT_NE(std::string::npos, saved.find("Address:  12 Elm St\r\nApt 4\n"));
        EXPECT_EQ("\n\n                THANK YOU!", saved.substr(saved.size() - 28));
        EXPECT_EQ(std::vector<std::string>{HostCall("MessageBoxA", SavedThanks)}, fake::Calls("MessageBoxA"));
        EXPECT_EQ(std::vector<std::string>{HostCall("SendMessageA", "WM_COMMAND, 2, 0")}, Closes());
        EXPECT_EQ((std::vector<std::string>{"MessageBoxA", "SendMessageA"}),
                  fake::Sequence({"MessageBoxA", "SendMessageA"}));
    }
}

TEST_F(OutputTest, AnExistingOrderFileIsReplacedWhole)
{
    WriteFile(OrderFile, std::string(20000, 'z') + "\n");
    Fill(FormEntries());
    const std::string text = Composed();

    SaveOrder(page);

    EXPECT_EQ(text + Block, ReadFile(OrderFile));
}

TEST_F(OutputTest, ARefusedFormTouchesNoFileAndOpensNoDialog)
{
    struct Row {
        const char* what;
        void (*output)(CPage2*);
        void (*change)(FormEntries&);
    } rows[] = {
        {"save, bad name", SaveOrder, [](FormEntries& f) { f.name = "x"; }},
        {"save, no method", SaveOrder, [](FormEntries& f) { f.method = NoMethod; }},
        {"save, bad date", SaveOrder, [](FormEntries& f) { f.expiry = "mm/yy"; }},
        {"print, bad address", PrintOrder, [](FormEntries& f) { f.address = ""; }},
        {"print, no method", PrintOrder, [](FormEntries& f) { f.method = NoMethod; }},
        {"print, bad card", PrintOrder, [](FormEntries& f) { f.cardNumber = "5"; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Rebuild();
        WriteFile(OrderFile, "the order saved before");
        FormEntries form;
        row.change(form);
        Fill(form);
        fake::ClearLog();

        row.output(page);

        EXPECT_EQ("the order saved before", ReadFile(OrderFile));
        EXPECT_EQ(1u, fake::Calls("MessageBoxA").size());   // the refusal alone
        EXPECT_TRUE(fake::Calls("PrintDlgA").empty());
        EXPECT_TRUE(Closes().empty());
    }
}

TEST_F(OutputTest, AFileThatCannotBeMadeIsSilentAndTheNextPressRetries)
{
    Fill(FormEntries());
    const std::string text = Composed();
    // Permissions do not stop root; a folder in the file's place does.
    ASSERT_EQ(0, mkdir(OrderFile, 0755));

    SaveOrder(page);

    EXPECT_TRUE(fake::Calls("MessageBoxA").empty());
    EXPECT_TRUE(Closes().empty());
    EXPECT_EQ("Ann Lee", fake::ItemText(host, IDC_NAME));

    ASSERT_EQ(0, rmdir(OrderFile));
    fake::ClearLog();
    SaveOrder(page);

    EXPECT_EQ(text + Block, ReadFile(OrderFile));
    EXPECT_EQ(std::vector<std::string>{HostCall("MessageBoxA", SavedThanks)}, fake::Calls("MessageBoxA"));
    EXPECT_EQ(1u, Closes().size());
}

TEST_F(OutputTest, FormatDirectivesInEveryFieldAreWrittenVerbatim)
{
    FormEntries form;
    form.name = form.address = form.city = form.zip = form.heard = form.comments = "%s%n%x";
    form.state = "%n";
    form.email = "%s%n%x@.";
    form.cardNumber = "4%s%n%x%p";
    Fill(form);
    const std::string fields = "Name:     %s%n%x\nAddress:  %s%n%x\n          %s%n%x, %n %s%n%x\n\n"
                               "Email:    %s%n%x@.\n\nHeard on: %s%n%x\n\nComment:\n%s%n%x\n\n"
                               "Credit Card Type: Visa\nCredit Card Num: 4%s%n%x%p\nExp. Date: 12/34\n\n---";

    SaveOrder(page);
    EXPECT_NE(std::string::npos, ReadFile(OrderFile).find(fields));

    fake::ClearLog();
    PrintOrder(page);
    ASSERT_EQ(1u, fake::Texts().size());
    EXPECT_NE(std::string::npos, (fake::Texts()[0].text + "\n\n---").find(fields));
    EXPECT_TRUE(fake::Calls("wsprintfA").empty());
}

TEST_F(OutputTest, PrintingDrawsTheOrderTextAloneOnOnePage)
{
    Fill(FormEntries());
    const std::string text = Composed();
    fake::script.horzRes = 2400;
    fake::script.vertRes = 3300;
    const int liveObjects = fake::LiveGdiObjects();

    PrintOrder(page);

    EXPECT_EQ((std::vector<std::string>{"PrintDlgA", "GlobalFree", "GlobalFree", "StartDocA", "StartPage",
                                        "GetDeviceCaps", "GetDeviceCaps", "DrawTextA", "EndPage", "EndDoc",
                                        "DeleteDC", "MessageBoxA", "SendMessageA"}),
              fake::Sequence({"PrintDlgA", "GlobalFree", "StartDocA", "StartPage", "GetDeviceCaps", "DrawTextA",
                              "EndPage", "EndDoc", "DeleteDC", "MessageBoxA", "SendMessageA", "SelectObject",
                              "SetTextColor", "SetBkMode", "CreateFontIndirectA"}));

    const PRINTDLGA& request = fake::LastPrintDialog();
    EXPECT_EQ(sizeof(PRINTDLGA), request.lStructSize);
    EXPECT_EQ(host, request.hwndOwner);
    EXPECT_EQ(nullptr, request.hDevMode);
    EXPECT_EQ(nullptr, request.hDevNames);
    EXPECT_EQ(nullptr, request.hDC);
    EXPECT_EQ(0x110u, request.Flags);
    EXPECT_EQ(0, request.nFromPage + request.nToPage + request.nMinPage + request.nMaxPage);
    EXPECT_EQ(1, request.nCopies);
    EXPECT_EQ(nullptr, request.hInstance);
    EXPECT_EQ(0, request.lCustData);
    EXPECT_EQ(nullptr, request.lpfnPrintHook);
    EXPECT_EQ(nullptr, request.lpfnSetupHook);
    EXPECT_EQ(nullptr, request.lpPrintTemplateName);
    EXPECT_EQ(nullptr, request.lpSetupTemplateName);
    EXPECT_EQ(nullptr, request.hPrintTemplate);
    EXPECT_EQ(nullptr, request.hSetupTemplate);

    const DOCINFOA& document = fake::LastDocInfo();
    EXPECT_EQ(static_cast<int>(sizeof(DOCINFOA)), document.cbSize);
    ASSERT_NE(nullptr, document.lpszDocName);
    EXPECT_STREQ("", document.lpszDocName);
    EXPECT_EQ(nullptr, document.lpszOutput);
    EXPECT_EQ(nullptr, document.lpszDatatype);
    EXPECT_EQ(0u, document.fwType);

    // Every printing call goes to the one device context the dialog returned.
    const std::string startDoc = fake::Calls("StartDocA").at(0);
    const std::string printer = startDoc.substr(10, startDoc.find(',') - 10);
    EXPECT_EQ(std::vector<std::string>{"StartPage(" + printer + ")"}, fake::Calls("StartPage"));
    EXPECT_EQ((std::vector<std::string>{"GetDeviceCaps(" + printer + ", 8)", "GetDeviceCaps(" + printer + ", 10)"}),
              fake::Calls("GetDeviceCaps"));
    EXPECT_EQ(std::vector<std::string>{"DrawTextA(" + printer + ", " + std::to_string(text.size()) +
                                       ", 0,0,2400,3300, 0x10)"},
              fake::Calls("DrawTextA"));
    EXPECT_EQ(std::vector<std::string>{"EndPage(" + printer + ")"}, fake::Calls("EndPage"));
    EXPECT_EQ(std::vector<std::string>{"EndDoc(" + printer + ")"}, fake::Calls("EndDoc"));
    EXPECT_EQ(std::vector<std::string>{"DeleteDC(" + printer + ")"}, fake::Calls("DeleteDC"));
    ASSERT_EQ(1u, fake::Texts().size());
    EXPECT_EQ(text, fake::Texts()[0].text);   // without the closing block

    EXPECT_EQ(std::vector<std::string>{HostCall("MessageBoxA", PrintedThanks)}, fake::Calls("MessageBoxA"));
    EXPECT_EQ(std::vector<std::string>{HostCall("SendMessageA", "WM_COMMAND, 2, 0")}, Closes());
    EXPECT_EQ(liveObjects, fake::LiveGdiObjects());
    EXPECT_EQ(0, fake::LiveGlobals());
    EXPECT_TRUE(fake::Errors().empty());
}

TEST_F(OutputTest, EveryPrintStartsFromAFreshRequest)
{
    Fill(FormEntries());
    PrintOrder(page);
    fake::ClearLog();
    PrintOrder(page);

    const PRINTDLGA& request = fake::LastPrintDialog();
    EXPECT_EQ(nullptr, request.hDevMode);
    EXPECT_EQ(nullptr, request.hDevNames);
    EXPECT_EQ(nullptr, request.hDC);
    EXPECT_EQ(1, request.nCopies);
    EXPECT_EQ(0, fake::LiveGlobals());
}

TEST_F(OutputTest, PrintFailures)
{
    const std::vector<std::string> start = {"PrintDlgA", "GlobalFree", "GlobalFree", "StartDocA"};
    const std::vector<std::string> thanks = {"DeleteDC", "MessageBoxA", "SendMessageA"};
    auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<std::string> drawn = {"StartPage", "GetDeviceCaps", "GetDeviceCaps", "DrawTextA", "EndPage"};
    struct Row {
        const char* what;
        bool dialogOk;
        int startDoc, startPage, endPage;
        std::vector<std::string> calls;
    } rows[] = {
        {"dialog cancelled", false, 1, 1, 1, {"PrintDlgA"}},
        {"document refused with 0", true, 0, 1, 1, join(start, thanks)},
        {"document refused with -1", true, -1, 1, 1, join(start, thanks)},
        {"page refused", true, 1, -1, 1, join(join(start, {"StartPage"}), thanks)},
        {"page started with 0", true, 1, 0, 1, join(join(join(start, drawn), {"EndDoc"}), thanks)},
        {"page not ended", true, 1, 1, -1, join(join(start, drawn), thanks)},
        {"page ended with 0", true, 1, 1, 0, join(join(join(start, drawn), {"EndDoc"}), thanks)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Rebuild();
        Fill(FormEntries());
        fake::ClearLog();
        fake::script.printDialogOk = row.dialogOk;
        fake::script.startDocResult = row.startDoc;
        fake::script.startPageResult = row.startPage;
        fake::script.endPageResult = row.endPage;
        const int liveObjects = fake::LiveGdiObjects();

        PrintOrder(page);

        EXPECT_EQ(row.calls, fake::Sequence({"PrintDlgA", "GlobalFree", "StartDocA", "StartPage", "GetDeviceCaps",
                                             "DrawTextA", "EndPage", "EndDoc", "DeleteDC", "MessageBoxA",
                                             "SendMessageA"}));
        if (row.dialogOk) {
            EXPECT_EQ(std::vector<std::string>{HostCall("MessageBoxA", PrintedThanks)}, fake::Calls("MessageBoxA"));
            EXPECT_EQ(std::vector<std::string>{HostCall("SendMessageA", "WM_COMMAND, 2, 0")}, Closes());
        } else {
            EXPECT_EQ("Ann Lee", fake::ItemText(host, IDC_NAME));   // the form stays as it was
        }
        EXPECT_EQ(liveObjects, fake::LiveGdiObjects());
        EXPECT_EQ(0, fake::LiveGlobals());
        EXPECT_TRUE(fake::Errors().empty());
    }
}

TEST_F(OutputTest, TheFullestFormIsSavedAndPrintedWhole)
{
    for (const int method : {Amex, PostalOrder}) {
        SCOPED_TRACE(method);
        Rebuild();
        FormEntries form;
        form.name = std::string(511, 'n');
        form.address = std::string(511, 'a');
        form.city = std::string(511, 'c');
        form.state = "NY";
        form.zip = std::string(511, 'z');
        form.email = "@." + std::string(509, 'e');
        form.heard = std::string(511, 'h');
        form.comments = std::string(511, 'm');
        form.cdrom = true;
        form.method = method;
        form.cardNumber = "3" + std::string(19, '9');
        Fill(form);
        const std::string text = Composed();
        // All seven free fields arrived whole.
        for (const char c : {'n', 'a', 'c', 'z', 'e', 'h', 'm'})
            EXPECT_NE(std::string::npos, text.find(std::string(c == 'e' ? 509 : 511, c))) << c;

        SaveOrder(page);
        EXPECT_EQ(text + Block, ReadFile(OrderFile));

        fake::ClearLog();
        PrintOrder(page);
        ASSERT_EQ(1u, fake::Texts().size());
        EXPECT_EQ(text, fake::Texts()[0].text);
    }
}

// The closing command goes through the host's own procedure, after the thanks.
std::vector<std::string> hostCommands;
bool thanked = false;

INT_PTR CALLBACK RecordingHost(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        hostCommands.push_back(std::to_string(LOWORD(wParam)) + "/" + std::to_string(HIWORD(wParam)) + "/" +
                               std::to_string(lParam) + (thanked ? " after thanks" : " before thanks"));
    return TRUE;
}

class ClosingTest : public OutputTest {
protected:
    DLGPROC HostProc() override { return RecordingHost; }
};

TEST_F(ClosingTest, SaveAndPrintCloseThroughTheHostAfterTheThanks)
{
    for (void (*output)(CPage2*) : {SaveOrder, PrintOrder}) {
        Rebuild();
        hostCommands.clear();
        thanked = false;
        fake::script.onMessageBox = [](const std::string&) { thanked = true; };
        Fill(FormEntries());

        output(page);

        EXPECT_EQ(std::vector<std::string>{"2/0/0 after thanks"}, hostCommands);
    }
}

}  // namespace
