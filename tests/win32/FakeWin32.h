// The test side of the recording Win32 layer: what was called, what is
// alive, and the replies a test scripts before driving the program.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake {

// Replies, reset to these defaults by Reset().
struct Script {
    int screenWidth = 1024;
    int screenHeight = 768;
    int frameWidth = 6;    // outer width minus client width of every window
    int frameHeight = 6;
    int charWidth = 9;     // text extent: characters times this
    int charHeight = 22;
    bool failBitmaps = false;
    bool dialogTemplateMissing = false;
    std::set<int> failControlIds;       // CreateWindowExA fails for these ids
    int messageBoxReply = IDOK;
    bool printDialogOk = true;
    int startDocResult = 1;
    int startPageResult = 1;
    int endPageResult = 1;
    int horzRes = 4800;
    int vertRes = 6600;
    RECT paintRect = {0, 0, 415, 450};  // update rectangle handed out by BeginPaint
    // Run inside the modal dialog, after WM_INITDIALOG.
    std::function<void(HWND host)> dialogSession;
    // Run while a message box is up, a popup menu is tracked, the print dialog is open.
    std::function<void(const std::string& text)> onMessageBox;
    std::function<void(HMENU menu)> onTrackPopupMenu;
    std::function<void()> onPrintDialog;
};
extern Script script;

// One text drawn with TextOutA or DrawTextA, with the DC state at the time.
struct DrawnText {
    std::string api;        // "TextOutA" or "DrawTextA"
    HDC dc;
    int x, y;               // TextOutA position, or the rectangle's top-left
    RECT rect;              // DrawTextA rectangle
    UINT format;
    std::string text;
    HFONT font;
    COLORREF color;
    int bkMode;
    COLORREF bkColor;
};

struct MenuItem {
    UINT flags;
    UINT_PTR id;
    std::string text;
};

struct Window {
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;   // outer rectangle
    HWND parent = nullptr;
    int id = 0;
    HINSTANCE instance = nullptr;
    DLGPROC proc = nullptr;
    bool alive = true;
    HFONT font = nullptr;
    int textLimit = 0;
    int check = 0;
    std::map<int, LONG_PTR> longs;
};

void Reset();

// Every call as "Name(arg, arg, ...)", handles by their names ("W1", "F3").
const std::vector<std::string>& Log();
// The calls to one function, in order.
std::vector<std::string> Calls(const std::string& name);
// The names of the calls, in order, restricted to the given set.
std::vector<std::string> Sequence(const std::set<std::string>& names);
void ClearLog();

std::string Name(const void* handle);
const std::vector<DrawnText>& Texts();
std::string FontDescription(HFONT font);   // "Arial 20 700"

// Problems the layer noticed: double deletes, deleting a selected object,
// releasing a DC with an object still selected, touching a dead window.
const std::vector<std::string>& Errors();
int LiveGdiObjects();
int LiveMenus();
int LiveGlobals();   // memory handed out by PrintDlgA and not yet freed
int LiveChildWindows(HWND parent);

// Windows.
HINSTANCE Instance();
HWND CreateHost(DLGPROC proc = nullptr);
Window* Find(HWND window);
void SetItemText(HWND host, int id, const std::string& text);
std::string ItemText(HWND host, int id);
void SetCheck(HWND host, int id, int state);
HWND Capture();
HWND Focus();
bool DialogEnded();
const std::vector<MenuItem>& MenuItems(HMENU menu);
HMENU LastMenu();
const PRINTDLGA& LastPrintDialog();
const DOCINFOA& LastDocInfo();

// Sends a message through the window's dialog procedure, as the platform would.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace fake
