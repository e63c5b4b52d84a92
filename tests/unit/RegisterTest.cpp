// The application object: start-up, the command table, page switches,
// window placement, the shortcut file and shut-down.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "FakeWin32.h"
#include "app/CenterWindowClient.h"
#include "app/Register.h"
#include "pages/CPage.h"
#include "resources/resource.h"
#include "support/TempFolder.h"

namespace {

using Strings = std::vector<std::string>;

// Runs the program's dialog with a scripted session, in a fresh directory.
class RegisterTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override { EXPECT_EQ(fake::Errors(), Strings{}); }
    // Runs the whole program: WM_INITDIALOG, the session, WM_DESTROY.
    void RunProgram(std::function<void(Register&, HWND)> session)
    {
        app.instance = fake::Instance();
        fake::script.dialogSession = [&](HWND h) { session(app, h); };
        app.Run();
    }
    static LRESULT Command(HWND h, WPARAM w) { return fake::Send(h, WM_COMMAND, w, 0); }
    static std::string Cue(const char* cue) { return std::string("PlaySoundA(") + cue + ", I1, 0x40005)"; }

    TempFolder folder;
    Register app;
};

TEST_F(RegisterTest, StartUpMakesTheHiddenCancelButtonAndShowsTheTopicsPage)
{
    RunProgram([](Register& r, HWND h) {
        EXPECT_EQ(r.dialogWindow, h);
        EXPECT_EQ(GetWindowLongPtrA(h, DWLP_USER), reinterpret_cast<LONG_PTR>(&r));
        EXPECT_EQ(fake::Calls("CreateWindowExA").at(0), "CreateWindowExA(0x0, \"BUTTON\", \"\", 0x50030000, "
                                                        "-100,-100,10,10, " + fake::Name(h) + ", 2, I1, null)");
        EXPECT_EQ(fake::Calls("SetFocus").at(0), "SetFocus(" + fake::Name(GetDlgItem(h, IDCANCEL)) + ")");
        EXPECT_EQ(fake::Calls("LoadBitmapA").at(0), "LoadBitmapA(I1, #30000)");
        // Sized and centred before the window is first shown.
        RECT client;
        GetClientRect(h, &client);
        EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(415, 450));
    });
    EXPECT_EQ(fake::Calls("DialogBoxParamA").at(0), "DialogBoxParamA(I1, #28672, null)");
}

TEST_F(RegisterTest, EveryCommandPlaysItsCueAndDoesItsAction)
{
    const struct {
        WPARAM wParam;
        const char* cue;      // the sound resource played first, or null for none
        LRESULT result;
        const char* action;   // a call that only this action makes, or null
    } cases[] = {
        {IDCANCEL, "#2", 1, "EndDialog"}, {MAKEWPARAM(IDCANCEL, 0), "#2", 1, "EndDialog"},
        {100, "#1", 0, "ShellExecuteA"},  {101, "#1", 0, "LoadBitmapA"}, {102, "#1", 0, "LoadBitmapA"},
        {103, "#2", 0, "LoadBitmapA"},    {MAKEWPARAM(103, 0x0300), "#2", 0, "LoadBitmapA"},   // a notification too
        {104, "#2", 0, nullptr},   // not on the order form: nothing is saved
        {105, "#2", 0, nullptr},   // nor printed
        {500, nullptr, 0, nullptr}, {505, nullptr, 0, nullptr}, {1103, nullptr, 0, nullptr},
        {1111, nullptr, 0, nullptr}, {IDOK, nullptr, 0, nullptr}, {0, nullptr, 0, nullptr},
        {99, nullptr, 0, nullptr}, {106, nullptr, 0, nullptr}, {499, nullptr, 0, nullptr},
        {506, nullptr, 0, nullptr}, {1100, nullptr, 0, nullptr}, {65535, nullptr, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wParam);
        fake::Reset();
        RunProgram([&](Register&, HWND h) {
            fake::ClearLog();
            EXPECT_EQ(Command(h, c.wParam), c.result);
            EXPECT_EQ(fake::Calls("PlaySoundA"), c.cue ? Strings{Cue(c.cue)} : Strings{});
            if (c.action) {   // once, after the cue
                EXPECT_EQ(fake::Sequence({"PlaySoundA", c.action}), (Strings{"PlaySoundA", c.action}));
            }
            // Nothing reads a form or opens a dialog from the topics page.
            EXPECT_EQ(fake::Sequence({"GetDlgItemTextA", "PrintDlgA", "TrackPopupMenu", "EndDialog"}),
                      c.result ? Strings{"EndDialog"} : Strings{});
        });
    }
}

TEST_F(RegisterTest, APageSwitchDeletesTheOldPageBeforeBuildingTheNew)
{
    RunProgram([&](Register&, HWND h) {
        Command(h, ID_ORDERFORM);
        ASSERT_EQ(fake::Calls("LoadBitmapA").back(), "LoadBitmapA(I1, #30001)");
        fake::ClearLog();
        Command(h, ID_BACK);
        // The form's controls, its font and artwork, then the new page, placed and repainted whole.
        Strings order(11, "DestroyWindow");
        order.insert(order.end(), {"DeleteObject", "DeleteObject", "LoadBitmapA", "MoveWindow", "InvalidateRect"});
        EXPECT_EQ(fake::Sequence({"DestroyWindow", "DeleteObject", "LoadBitmapA", "MoveWindow", "InvalidateRect"}),
                  order);
        EXPECT_EQ(fake::Calls("InvalidateRect"), Strings{"InvalidateRect(" + fake::Name(h) + ", null, 1)"});
        EXPECT_EQ(fake::LiveChildWindows(h), 1);   // only the hidden cancel button
    });
}

TEST_F(RegisterTest, CentringGivesTheClientAreaAndHalvesByArithmeticShift)
{
    const struct {
        int screenWidth, screenHeight, frameWidth, frameHeight;
        const char* moved;
    } cases[] = {
        {1024, 768, 6, 6, "301,156,421,456"}, {1023, 767, 6, 6, "301,155,421,456"},
        {800, 600, 8, 30, "188,60,423,480"},
        {400, 300, 6, 6, "-11,-78,421,456"},   // smaller than the window: overhangs both edges
        {420, 455, 6, 6, "-1,-1,421,456"},     // -1 >> 1 stays -1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moved);
        fake::Reset();
        fake::script.screenWidth = c.screenWidth; fake::script.screenHeight = c.screenHeight;
        fake::script.frameWidth = c.frameWidth; fake::script.frameHeight = c.frameHeight;
        HWND h = fake::CreateHost();
        CenterWindowClient(h, 415, 450);
        EXPECT_EQ(fake::Calls("MoveWindow"), Strings{"MoveWindow(" + fake::Name(h) + ", " + c.moved + ", 1)"});
    }
}

TEST_F(RegisterTest, ShutdownRunsThreeTimesAndFreesThePageOnce)
{
    {
        Register local;
        local.instance = fake::Instance();
        fake::script.dialogSession = [](HWND h) { Command(h, IDCANCEL); };
        local.Run();
        EXPECT_EQ(local.page, nullptr);
        EXPECT_EQ(local.instance, nullptr);
        EXPECT_NE(local.dialogWindow, nullptr);   // kept, though no longer valid
    }
    const std::string stop = "PlaySoundA(null, null, 0x1)";
    EXPECT_EQ(fake::Calls("PlaySoundA"), (Strings{Cue("#2"), stop, stop, stop}));
    EXPECT_EQ(fake::Calls("DeleteObject").size(), 3u);   // artwork and two fonts, once each
    EXPECT_EQ(fake::LiveGdiObjects(), 0);
}

TEST_F(RegisterTest, MessagesBeforeInitialisationAreLeftToThePlatformAndAMissingTemplateEndsQuietly)
{
    HWND h = fake::CreateHost();
    EXPECT_EQ(RegisterDialogProc(h, WM_PAINT, 0, 0), 0);
    EXPECT_EQ(RegisterDialogProc(h, WM_COMMAND, IDCANCEL, 0), 0);
    EXPECT_EQ(fake::Log(), Strings{});

    fake::script.dialogTemplateMissing = true;
    app.instance = fake::Instance();
    app.Run();
    EXPECT_EQ(fake::Sequence({"MessageBoxA", "PlaySoundA"}), Strings{"PlaySoundA"});
    EXPECT_EQ(app.page, nullptr);
}

// Records what the host hands to its page.
class ProbePage : public CPage {
public:
    ProbePage(HWND host, Strings& seen) : CPage(0, nullptr, 30000, host), seen(seen) {}
    void Paint(HDC, const RECT* r) override { Note("Paint", r->left, r->bottom); }
    int OnMouseMove(int x, int y) override { return Note("move", x, y); }
    int OnLButtonDown(int x, int y) override { return Note("down", x, y); }

private:
    int Note(const char* what, int x, int y)
    {
        seen.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
        return 1;
    }
    Strings& seen;
};

TEST_F(RegisterTest, TheDialogProcedureHandsMessagesToThePageWithUnsignedWords)
{
    Strings seen;
    RunProgram([&](Register& r, HWND h) {
        delete r.page;
        r.page = new ProbePage(h, seen);
        fake::script.paintRect = {7, 8, 9, 10};
        const struct {
            UINT message;
            LPARAM lParam;
            LRESULT result;
        } cases[] = {
            {WM_MOUSEMOVE, MAKELPARAM(30, 40), 0},
            {WM_MOUSEMOVE, MAKELPARAM(-5, -1), 0},   // left of and above: unsigned words
            {WM_LBUTTONDOWN, MAKELPARAM(0xFFFF, 0x8000), 0},
            {WM_LBUTTONDOWN, static_cast<LPARAM>(0x7FFFFFFF00010002LL), 0},   // only the low 32 bits count
            {WM_PAINT, 0, 0},
            {WM_ERASEBKGND, 0, 1},
            {0x0084 /* WM_NCHITTEST: not ours */, 0, 0},
        };
        for (const auto& c : cases)
            EXPECT_EQ(fake::Send(h, c.message, 0, c.lParam), c.result) << c.message;

        // With no page nothing is drawn or tracked.
        delete r.page;
        r.page = nullptr;
        fake::ClearLog();
        for (const UINT message : {WM_PAINT, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
            fake::Send(h, message, 0, MAKELPARAM(50, 420));
        EXPECT_EQ(fake::Sequence({"BeginPaint", "EndPaint", "BitBlt", "SetCapture", "InvalidateRect"}),
                  (Strings{"BeginPaint", "EndPaint"}));
    });
    EXPECT_EQ(seen, (Strings{"move 30,40", "move 65531,65535", "down 65535,32768", "down 2,1", "Paint 7,10"}));
}

TEST_F(RegisterTest, RegisterOnlineWritesTheShortcutAndOpensItOrOnlyPlaysTheCue)
{
    RunProgram([&](Register&, HWND h) {
        std::ofstream("quintara.url") << "an older, longer shortcut that must disappear entirely\n\n\n";
        for (int i = 0; i < 2; ++i) {   // twice: rewritten and opened again
            Command(h, ID_ONLINE);
            EXPECT_EQ(ReadFile("quintara.url"),
                      "[InternetShortcut]\nURL=http://www.quintara.example/html/zorbel_order.html");
        }
        EXPECT_EQ(fake::Calls("ShellExecuteA"),
                  Strings(2, "ShellExecuteA(" + fake::Name(h) + ", null, \"quintara.url\", null, null, 5)"));

        remove("quintara.url");
        ASSERT_EQ(mkdir("quintara.url", 0755), 0);   // a folder in its place cannot be opened for writing
        fake::ClearLog();
        Command(h, ID_ONLINE);
        EXPECT_EQ(fake::Sequence({"PlaySoundA", "ShellExecuteA", "MessageBoxA"}), Strings{"PlaySoundA"});
    });
}

}  // namespace
