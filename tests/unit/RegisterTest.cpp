// The application object: start-up, the command table, page switches,
// window placement, the shortcut file and shut-down.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "FakeWin32.h"
#include "app/CenterWindowClient.h"
#include "app/Register.h"
#include "pages/CPage.h"
#include "resources/resource.h"

namespace {

using Strings = std::vector<std::string>;

// Runs the program's dialog with a scripted session, in a fresh directory.
class RegisterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        char pattern[] = "/tmp/registertest.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
        ASSERT_EQ(getcwd(previous, sizeof previous), previous);
        ASSERT_EQ(chdir(directory.c_str()), 0);
    }
    void TearDown() override
    {
        ASSERT_EQ(chdir(previous), 0);
        std::string command = "rm -rf '" + directory + "'";
        ASSERT_EQ(system(command.c_str()), 0);
        EXPECT_TRUE(fake::Errors().empty()) << fake::Errors().front();
    }
    // Runs the whole program: WM_INITDIALOG, the session, WM_DESTROY.
    void RunProgram(std::function<void(Register&, HWND)> session)
    {
        app.instance = fake::Instance();
        fake::script.dialogSession = [&](HWND h) {
            host = h;
            session(app, h);
        };
        app.Run();
    }
    static LRESULT Command(HWND h, WPARAM w) { return fake::Send(h, WM_COMMAND, w, 0); }
    static size_t Index(const std::string& prefix)
    {
        const Strings& log = fake::Log();
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].compare(0, prefix.size(), prefix) == 0)
                return i;
        return std::string::npos;
    }

    Register app;
    HWND host = nullptr;
    std::string directory;
    char previous[4096] = {};
};

TEST_F(RegisterTest, StartUpMakesTheHiddenCancelButtonAndShowsTheTopicsPage)
{
    RunProgram([](Register& r, HWND h) {
        EXPECT_EQ(r.dialogWindow, h);
        EXPECT_EQ(GetWindowLongPtrA(h, DWLP_USER), reinterpret_cast<LONG_PTR>(&r));
        const Strings created = fake::Calls("CreateWindowExA");
        ASSERT_FALSE(created.empty());
        EXPECT_EQ(created[0], "CreateWindowExA(0x0, \"BUTTON\", \"\", 0x50030000, -100,-100,10,10, " + fake::Name(h) +
                                  ", 2, " + fake::Name(fake::Instance()) + ", null)");
        EXPECT_EQ(fake::Calls("SetFocus").at(0), "SetFocus(" + fake::Name(GetDlgItem(h, IDCANCEL)) + ")");
        EXPECT_EQ(fake::Calls("LoadBitmapA").at(0), "LoadBitmapA(" + fake::Name(fake::Instance()) + ", #30000)");
        // Sized and centred before the window is first shown.
        RECT client;
        GetClientRect(h, &client);
        EXPECT_EQ(client.right, 415);
        EXPECT_EQ(client.bottom, 450);
    });
    EXPECT_EQ(fake::Calls("DialogBoxParamA").at(0),
              "DialogBoxParamA(" + fake::Name(fake::Instance()) + ", #28672, null)");
}

TEST_F(RegisterTest, EveryCommandPlaysItsCueAndDoesItsAction)
{
    struct Case {
        WPARAM wParam;
        const char* cue;          // expected PlaySoundA name, or null for none
        LRESULT result;
        const char* action;       // a call that only this action makes, or null
    } cases[] = {
        {IDCANCEL, "#2", 1, "EndDialog"},
        {MAKEWPARAM(IDCANCEL, 0), "#2", 1, "EndDialog"},
        {100, "#1", 0, "ShellExecuteA"},
        {101, "#1", 0, "LoadBitmapA"},
        {102, "#1", 0, "LoadBitmapA"},
        {103, "#2", 0, "LoadBitmapA"},
        {MAKEWPARAM(103, 0x0300), "#2", 0, "LoadBitmapA"},   // a notification code changes nothing
        {104, "#2", 0, nullptr},   // not on the order form: nothing is saved
        {105, "#2", 0, nullptr},   // nor printed
        {500, nullptr, 0, nullptr},
        {505, nullptr, 0, nullptr},
        {1103, nullptr, 0, nullptr},
        {1111, nullptr, 0, nullptr},
        {IDOK, nullptr, 0, nullptr},
        {0, nullptr, 0, nullptr},
        {99, nullptr, 0, nullptr},
        {106, nullptr, 0, nullptr},
        {499, nullptr, 0, nullptr},
        {506, nullptr, 0, nullptr},
        {1100, nullptr, 0, nullptr},
        {65535, nullptr, 0, nullptr},
    };
    for (const Case& c : cases) {
        fake::Reset();
        app.page = nullptr;
        RunProgram([&](Register&, HWND h) {
            fake::ClearLog();
            EXPECT_EQ(Command(h, c.wParam), c.result) << c.wParam;
            const Strings sounds = fake::Calls("PlaySoundA");
            if (c.cue) {
                ASSERT_EQ(sounds.size(), 1u) << c.wParam;
                EXPECT_EQ(sounds[0], std::string("PlaySoundA(") + c.cue + ", " + fake::Name(fake::Instance()) +
                                         ", 0x40005)");
            } else {
                EXPECT_TRUE(sounds.empty()) << c.wParam;
            }
            if (c.action) {
                EXPECT_EQ(fake::Calls(c.action).size(), 1u) << c.wParam;
            }
            // Nothing reads a form or opens a dialog from the topics page.
            EXPECT_TRUE(fake::Calls("GetDlgItemTextA").empty()) << c.wParam;
            EXPECT_TRUE(fake::Calls("PrintDlgA").empty()) << c.wParam;
            EXPECT_TRUE(fake::Calls("TrackPopupMenu").empty()) << c.wParam;
            EXPECT_EQ(fake::DialogEnded(), c.result == 1) << c.wParam;
            // The cue starts before the action.
            if (c.cue && c.action) {
                EXPECT_LT(Index("PlaySoundA"), Index(c.action)) << c.wParam;
            }
        });
    }
}

TEST_F(RegisterTest, APageSwitchDeletesTheOldPageBeforeBuildingTheNew)
{
    RunProgram([&](Register&, HWND h) {
        Command(h, ID_ORDERFORM);
        const std::string formArtwork = "LoadBitmapA(" + fake::Name(fake::Instance()) + ", #30001)";
        ASSERT_NE(Index(formArtwork), std::string::npos);
        fake::ClearLog();
        Command(h, ID_BACK);
        const size_t lastControl = Index("DestroyWindow");
        const size_t load = Index("LoadBitmapA");
        const size_t move = Index("MoveWindow");
        const size_t repaint = Index("InvalidateRect(" + fake::Name(h) + ", null, 1)");
        ASSERT_NE(lastControl, std::string::npos);
        EXPECT_EQ(fake::Calls("DestroyWindow").size(), 11u);
        EXPECT_LT(lastControl, load);
        EXPECT_LT(Index("DeleteObject"), load);   // the old artwork goes first too
        EXPECT_LT(load, move);
        EXPECT_LT(move, repaint);
        EXPECT_EQ(fake::LiveChildWindows(h), 1);  // only the hidden cancel button
        EXPECT_EQ(fake::Calls("InvalidateRect").size(), 1u);
    });
}

TEST_F(RegisterTest, CentringGivesTheClientAreaAndHalvesByArithmeticShift)
{
    struct Case {
        int screenWidth, screenHeight, frameWidth, frameHeight;
        int left, top, width, height;
    } cases[] = {
        {1024, 768, 6, 6, 301, 156, 421, 456},
        {1023, 767, 6, 6, 301, 155, 421, 456},
        {800, 600, 8, 30, 188, 60, 423, 480},
        {400, 300, 6, 6, -11, -78, 421, 456},   // smaller than the window: overhangs both edges
        {420, 455, 6, 6, -1, -1, 421, 456},     // -1 >> 1 stays -1
    };
    for (const Case& c : cases) {
        fake::Reset();
        fake::script.screenWidth = c.screenWidth;
        fake::script.screenHeight = c.screenHeight;
        fake::script.frameWidth = c.frameWidth;
        fake::script.frameHeight = c.frameHeight;
        HWND h = fake::CreateHost();
        CenterWindowClient(h, 415, 450);
        EXPECT_EQ(fake::Calls("MoveWindow"),
                  Strings{"MoveWindow(" + fake::Name(h) + ", " + std::to_string(c.left) + "," + std::to_string(c.top) +
                          "," + std::to_string(c.width) + "," + std::to_string(c.height) + ", 1)"})
            << c.screenWidth << "x" << c.screenHeight;
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
    EXPECT_EQ(fake::Calls("PlaySoundA"), (Strings{"PlaySoundA(#2, " + fake::Name(fake::Instance()) + ", 0x40005)",
                                                  "PlaySoundA(null, null, 0x1)", "PlaySoundA(null, null, 0x1)",
                                                  "PlaySoundA(null, null, 0x1)"}));
    EXPECT_EQ(fake::Calls("DeleteObject").size(), 3u);   // artwork and two fonts, once each
    EXPECT_EQ(fake::LiveGdiObjects(), 0);
}

TEST_F(RegisterTest, AMissingDialogTemplateEndsQuietly)
{
    fake::script.dialogTemplateMissing = true;
    app.instance = fake::Instance();
    app.Run();
    EXPECT_TRUE(fake::Calls("MessageBoxA").empty());
    EXPECT_EQ(fake::Calls("PlaySoundA").size(), 1u);
    EXPECT_EQ(app.page, nullptr);
}

// Records what the host hands to its page.
class ProbePage : public CPage {
public:
    ProbePage(HWND host, Strings& seen) : CPage(0, nullptr, 30000, host), seen(seen) {}
    void Paint(HDC, const RECT* r) override
    {
        seen.push_back("Paint " + std::to_string(r->left) + "," + std::to_string(r->bottom));
    }
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

TEST_F(RegisterTest, TheDialogProcedureHandsMessagesToThePage)
{
    Strings seen;
    RunProgram([&](Register& r, HWND h) {
        delete r.page;
        r.page = new ProbePage(h, seen);
        fake::script.paintRect = {7, 8, 9, 10};
        struct Case {
            UINT message;
            LPARAM lParam;
            LRESULT result;
        } cases[] = {
            {WM_MOUSEMOVE, MAKELPARAM(30, 40), 0},
            {WM_MOUSEMOVE, MAKELPARAM(-5, -1), 0},          // left of and above: unsigned words
            {WM_LBUTTONDOWN, MAKELPARAM(0xFFFF, 0x8000), 0},
            {WM_LBUTTONDOWN, static_cast<LPARAM>(0x7FFFFFFF00010002LL), 0},   // only the low 32 bits count
            {WM_PAINT, 0, 0},
            {WM_ERASEBKGND, 0, 1},
            {0x0084 /* WM_NCHITTEST: not ours */, 0, 0},
        };
        for (const Case& c : cases)
            EXPECT_EQ(fake::Send(h, c.message, 0, c.lParam), c.result) << c.message;
    });
    EXPECT_EQ(seen, (Strings{"move 30,40", "move 65531,65535", "down 65535,32768", "down 2,1", "Paint 7,10"}));
}

TEST_F(RegisterTest, WithNoPageNothingIsDrawnOrTracked)
{
    RunProgram([&](Register& r, HWND h) {
        delete r.page;
        r.page = nullptr;
        fake::ClearLog();
        fake::Send(h, WM_PAINT, 0, 0);
        fake::Send(h, WM_MOUSEMOVE, 0, MAKELPARAM(50, 420));
        fake::Send(h, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 420));
        fake::Send(h, WM_LBUTTONUP, 0, MAKELPARAM(50, 420));
        EXPECT_EQ(fake::Sequence({"BeginPaint", "EndPaint", "BitBlt", "SetCapture", "InvalidateRect"}),
                  (Strings{"BeginPaint", "EndPaint"}));
    });
}

TEST_F(RegisterTest, MessagesBeforeInitialisationAreLeftToThePlatform)
{
    HWND h = fake::CreateHost();
    EXPECT_EQ(RegisterDialogProc(h, WM_PAINT, 0, 0), 0);
    EXPECT_EQ(RegisterDialogProc(h, WM_COMMAND, IDCANCEL, 0), 0);
    EXPECT_TRUE(fake::Log().empty());
}

std::string ReadFile(const char* name)
{
    std::string content;
    if (FILE* f = fopen(name, "rb")) {
        char buffer[512];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
            content.append(buffer, n);
        fclose(f);
    }
    return content;
}

TEST_F(RegisterTest, RegisterOnlineWritesTheShortcutAndOpensIt)
{
    const std::string expected = "[InternetShortcut]\nURL=http://www.quintara.example/html/zorbel_order.html";
    RunProgram([&](Register&, HWND h) {
        FILE* old = fopen("quintara.url", "w");
        fputs("an older, longer shortcut that must disappear entirely\n\n\n", old);
        fclose(old);
        for (int i = 0; i < 2; ++i) {   // twice: rewritten and opened again
            Command(h, ID_ONLINE);
            EXPECT_EQ(ReadFile("quintara.url"), expected);
        }
        EXPECT_EQ(fake::Calls("ShellExecuteA"),
                  Strings(2, "ShellExecuteA(" + fake::Name(h) + ", null, \"quintara.url\", null, null, 5)"));
    });
}

TEST_F(RegisterTest, AnUnwritableShortcutOnlyPlaysTheCue)
{
    ASSERT_EQ(mkdir("quintara.url", 0755), 0);   // a folder in its place cannot be opened for writing
    RunProgram([&](Register&, HWND h) {
        fake::ClearLog();
        Command(h, ID_ONLINE);
        EXPECT_EQ(fake::Sequence({"PlaySoundA", "ShellExecuteA", "MessageBoxA"}), Strings{"PlaySoundA"});
    });
}

TEST_F(RegisterTest, AThousandPageSwitchesLeaveNothingBehind)
{
    const WPARAM tour[] = {ID_PHONE, ID_BACK, ID_ORDERFORM, ID_BACK};
    int liveOnTopics = -1;
    RunProgram([&](Register&, HWND h) {
        for (int i = 0; i < 1000; ++i) {
            Command(h, tour[i % 4]);
            fake::Send(h, WM_MOUSEMOVE, 0, MAKELPARAM(30, 85));
            fake::Send(h, WM_PAINT, 0, 0);
            if (i % 4 == 3) {
                if (liveOnTopics == -1)
                    liveOnTopics = fake::LiveGdiObjects();
                ASSERT_EQ(fake::LiveGdiObjects(), liveOnTopics) << "after switch " << i;
                ASSERT_EQ(fake::LiveChildWindows(h), 1) << "after switch " << i;
            }
            fake::ClearLog();
        }
    });
    EXPECT_EQ(liveOnTopics, 3);   // the topics page's artwork and two fonts
    EXPECT_EQ(fake::LiveGdiObjects(), 0);
    EXPECT_EQ(fake::LiveMenus(), 0);
}

}  // namespace
