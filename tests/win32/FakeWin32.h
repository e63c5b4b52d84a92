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
    int screenWidth = 1024, screenHeight = 768;
    int frameWidth = 6, frameHeight = 6;   // outer size minus client size of every window
    int charWidth = 7;     // text extent: characters times this
    bool failBitmaps = false;
    bool dialogTemplateMissing = false;
    std::set<int> failControlIds;       // CreateWindowExA fails for these ids
    bool printDialogOk = true;
    int startDocResult = 1, startPageResult = 1, endPageResult = 1;
    int horzRes = 4800, vertRes = 6600;
    RECT paintRect = {0, 0, 415, 450};  // update rectangle handed out by BeginPaint
    // Run inside the modal dialog, after WM_INITDIALOG.
    std::function<void(HWND host)> dialogSession;
    // Run while a popup menu is tracked.
    std::function<void(HMENU menu)> onTrackPopupMenu;
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
    COLORREF color, bkColor;
    int bkMode;
};

struct Window {
    std::string text;
    RECT outer = {};   // on the screen
    HWND parent = nullptr;
    int id = 0, check = 0;
    DLGPROC proc = nullptr;
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
const PRINTDLGA& LastPrintDialog();

// Sends a message through the window's dialog procedure, as the platform would.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace fake
