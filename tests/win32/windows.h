// Stand-in for <windows.h> in the native build: the calls the program makes, over one table of live
// objects that the tests script and read (namespace fake); a handle is its object's serial number.
// Misuse stops the program where it happens (see Use and Release).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#define CALLBACK
#define TRUE 1
#define FALSE 0
#define wsprintfA std::sprintf   // without the platform's 1024-character cap
// The flags that are 0, as macros, so that static analysis takes them as names.
#define ES_LEFT 0u
#define BS_PUSHBUTTON 0u
#define MB_OK 0u
#define TPM_LEFTALIGN 0u
#define TPM_TOPALIGN 0u
#define TPM_LEFTBUTTON 0u
#define TA_LEFT 0u
#define TA_TOP 0u

typedef int BOOL, INT, LONG;
typedef unsigned int UINT, DWORD, COLORREF;
typedef uint16_t WORD;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef intptr_t INT_PTR, LONG_PTR, LPARAM, LRESULT;
typedef uintptr_t UINT_PTR, WPARAM;
// One handle type: the Windows builds, whose handle types differ, check the program's use of them.
typedef void *HWND, *HDC, *HINSTANCE, *HMODULE, *HMENU, *HBITMAP, *HFONT, *HPEN, *HGDIOBJ, *HGLOBAL;
typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct RECT { LONG left, top, right, bottom; };
struct POINT { LONG x, y; };
struct SIZE { LONG cx, cy; };
struct PAINTSTRUCT { HDC hdc; RECT rcPaint; };
struct LOGFONTA { LONG lfHeight, lfWeight; char lfFaceName[32]; };
struct PRINTDLGA { DWORD lStructSize; HWND hwndOwner; HGLOBAL hDevMode, hDevNames; HDC hDC; DWORD Flags, nCopies; };
struct DOCINFOA { int cbSize; LPCSTR lpszDocName, lpszOutput, lpszDatatype; DWORD fwType; };

#define LOWORD(l) ((WORD)((UINT_PTR)(l) & 0xffff))
#define HIWORD(l) ((WORD)(((UINT_PTR)(l) >> 16) & 0xffff))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)((WORD)(l) | ((DWORD)(WORD)(h) << 16)))
#define MAKELPARAM(l, h) ((LPARAM)MAKEWPARAM(l, h))
#define MAKEINTRESOURCEA(i) reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<WORD>(i)))
#define RGB(r, g, b) ((COLORREF)(((r) & 0xff) | ((g) & 0xff) << 8 | ((b) & 0xff) << 16))

enum : DWORD {
    WM_DESTROY = 2, WM_PAINT = 0xF, WM_ERASEBKGND = 0x14, WM_SETFONT = 0x30, WM_INITDIALOG = 0x110, WM_COMMAND = 0x111,
    WM_MOUSEMOVE = 0x200, WM_LBUTTONDOWN = 0x201, WM_LBUTTONUP = 0x202, EM_LIMITTEXT = 0xC5, EM_SETMARGINS = 0xD3,
    BM_GETCHECK = 0xF0, EC_LEFTMARGIN = 1, EC_RIGHTMARGIN = 2, BST_CHECKED = 1, WS_CHILD = 0x40000000,
    WS_VISIBLE = 0x10000000, WS_GROUP = 0x20000, WS_TABSTOP = 0x10000, ES_MULTILINE = 0x4, ES_UPPERCASE = 0x8,
    ES_AUTOVSCROLL = 0x40, ES_AUTOHSCROLL = 0x80, ES_WANTRETURN = 0x1000, BS_AUTOCHECKBOX = 3, SND_ASYNC = 1,
    SND_RESOURCE = 0x40004, PD_RETURNDC = 0x100, PD_COLLATE = 0x10, MB_ICONEXCLAMATION = 0x30, MF_CHECKED = 8,
    MF_STRING = 0, DT_WORDBREAK = 0x10, SRCCOPY = 0xCC0020,
};
enum : int {
    IDOK = 1, IDCANCEL = 2, DWLP_USER = 16, GWLP_HINSTANCE = -6, SM_CXSCREEN = 0, SM_CYSCREEN = 1, SW_SHOW = 5,
    OPAQUE = 2, COLOR_MENU = 4, COLOR_MENUTEXT = 7, TRANSPARENT = 1, PS_SOLID = 0, FW_BOLD = 700, HORZRES = 8,
    VERTRES = 10,
};

namespace fake {

// Those before Menu go last made, first gone. A frozen window (a form being left) may only be destroyed.
enum Kind { Window, DC, Bitmap, Font, Pen, Menu, Global, Frozen };

struct Object {
    Kind kind;
    int id = 0, check = 0;   // a control's id and check, a bitmap's resource
    std::string text = "";
    HWND parent = nullptr;
    DLGPROC proc = nullptr;
    RECT rect = {};   // a window's place on the screen
    LONG_PTR user = 0;
    // A DC's bitmap, font and pen: at first the stock ones, handles 1 to 3, kept outside the table.
    HGDIOBJ selected[3] = {reinterpret_cast<HGDIOBJ>(1), reinterpret_cast<HGDIOBJ>(2), reinterpret_cast<HGDIOBJ>(3)};
};

struct Box { std::string text, caption; UINT style; };
struct Drawn { std::string text; RECT rect; UINT format; };   // TextOutA: the position twice

struct Seen {   // what the user would have seen or heard; a test clears it at will
    std::vector<Box> boxes;
    std::vector<Drawn> drawn;
    std::vector<RECT> repaints;   // the whole window: all zero
    std::vector<int> cues;        // 0: all sound stopped
    int menusTracked = 0, endDocs = 0, dialogsEnded = 0;
};

constexpr int PrinterWidth = 4800, PrinterHeight = 6600, FrameWidth = 8, FrameHeight = 30;   // frame: outer - client

struct State {
    int screenWidth = 1024, screenHeight = 768, startDoc = 1, startPage = 1, endPage = 1;
    BOOL printerChosen = TRUE;
    std::function<void(const std::string& shown)> whileShown;   // a box's text, or "PrintDlgA"
    std::map<uintptr_t, Object> objects;                         // the live ones, by handle
    uintptr_t next = 4;
    HWND focus = nullptr, capture = nullptr;
    Seen seen;
};
inline State state;
inline Seen& seen = state.seen;
constexpr int W = 1 << Window, D = 1 << DC, Gdi = 1 << Bitmap | 1 << Font | 1 << Pen;

[[noreturn]] inline void Fail(const char* call, const char* problem)
{
    std::fprintf(stderr, "win32 stand-in: %s%s\n", call, problem);
    std::abort();
}

inline uintptr_t Key(const void* handle) { return reinterpret_cast<uintptr_t>(handle); }

inline void* Make(const Object& object)
{
    state.objects[state.next] = object;
    return reinterpret_cast<void*>(state.next++);
}

inline Object* Use(const void* handle, int kinds, const char* call)   // kinds: a mask
{
    const auto it = state.objects.find(Key(handle));
    if (it == state.objects.end() || !(kinds & 1 << it->second.kind))
        Fail(call, " on a dead handle, one of the wrong kind or a frozen window");
    return &it->second;
}

template <typename T>
T On(const void* handle, int kinds, const char* call, T result)
{
    Use(handle, kinds, call);
    return result;
}

template <typename T>
BOOL Set(T& to, const T& value)
{
    to = value;
    return TRUE;
}

template <typename T>
BOOL Add(std::vector<T>& to, const T& value)
{
    to.push_back(value);
    return TRUE;
}

// A DC must hold its stock objects again, no DC may hold what goes, and no
// window, DC or GDI object made after a DC or GDI object may outlive it.
inline BOOL Release(const void* handle, int kinds, const char* call)
{
    const Object* object = Use(handle, kinds, call);
    if (!std::equal(object->selected, object->selected + 3, Object{DC}.selected))
        Fail(call, " of a DC still holding a selection");
    for (const auto& [key, other] : state.objects) {
        if (kinds & (W | D | Gdi) && other.kind < Menu && key > Key(handle))
            Fail(call, " while an object made after it lives");
        if (std::count(other.selected, other.selected + 3, handle))
            Fail(call, " of an object still selected");
    }
    return static_cast<BOOL>(state.objects.erase(Key(handle)));
}

inline HWND Child(const void* parent, int id)   // any child, frozen or not, for -1
{
    for (const auto& [key, object] : state.objects)
        if (object.parent == parent && (id == -1 || (object.id == id && object.kind == Window)))
            return reinterpret_cast<HWND>(key);
    return nullptr;
}

inline Object& Item(HWND host, int id) { return *Use(Child(host, id), W, "a test"); }

inline void Freeze(const void* parent)
{
    for (auto& entry : state.objects)
        entry.second.kind = entry.second.parent == parent ? Frozen : entry.second.kind;
}

inline HWND Dialog(DLGPROC proc, LPARAM param)   // a host dialog after its WM_INITDIALOG
{
    HWND host = Make(Object{Window, 0, 0, "", nullptr, proc, {0, 0, 300 + FrameWidth, 200 + FrameHeight}});
    if (proc)
        proc(host, WM_INITDIALOG, 0, param);
    return host;
}

namespace win32 {   // the calls themselves, made global at the end

inline BOOL EndDialog(HWND w, INT_PTR) { return On(w, W, __func__, ++seen.dialogsEnded); }

inline HWND CreateWindowExA(DWORD, LPCSTR, LPCSTR text, DWORD, int x, int y, int cx, int cy, HWND parent, HMENU menu,
                            HINSTANCE, void*)
{
    const Object window{Window, int(Key(menu)), 0, text ? text : "", parent, nullptr, {x, y, x + cx, y + cy}};
    return On(parent, W, __func__, Make(window));
}

inline BOOL DestroyWindow(HWND w)   // and its children
{
    const DLGPROC proc = Use(w, W | 1 << Frozen, __func__)->proc;
    if (proc)
        proc(w, WM_DESTROY, 0, 0);
    while (HWND child = Child(w, -1))
        DestroyWindow(child);
    return static_cast<BOOL>(state.objects.erase(Key(w)));
}

inline HWND SetFocus(HWND w) { return On(w, W, __func__, std::exchange(state.focus, w)); }
inline LONG_PTR SetWindowLongPtrA(HWND w, int, LONG_PTR to) { return std::exchange(Use(w, W, __func__)->user, to); }
inline LONG_PTR GetWindowLongPtrA(HWND w, int index) { return index == DWLP_USER ? Use(w, W, __func__)->user : 0; }

inline HDC BeginPaint(HWND w, PAINTSTRUCT* paint)
{
    paint->rcPaint = RECT{0, 0, 415, 450};
    return paint->hdc = On(w, W, __func__, Make(Object{DC}));
}

inline BOOL EndPaint(HWND, const PAINTSTRUCT* paint) { return Release(paint->hdc, D, __func__); }

inline BOOL InvalidateRect(HWND w, const RECT* rect, BOOL)
{
    return On(w, W, __func__, Add(seen.repaints, rect ? *rect : RECT{}));
}

inline HWND SetCapture(HWND w) { return On(w, W, __func__, std::exchange(state.capture, w)); }
inline BOOL ReleaseCapture() { return std::exchange(state.capture, nullptr) != nullptr; }

inline LRESULT SendMessageA(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Object target = *Use(w, W, __func__);
    return message == BM_GETCHECK ? target.check : target.proc ? target.proc(w, message, wParam, lParam) : 0;
}

inline int GetSystemMetrics(int index) { return index == SM_CXSCREEN ? state.screenWidth : state.screenHeight; }
inline BOOL GetWindowRect(HWND w, RECT* rect) { return Set(*rect, Use(w, W, __func__)->rect); }

inline BOOL GetClientRect(HWND w, RECT* rect)
{
    const RECT outer = Use(w, W, __func__)->rect;
    return Set(*rect, RECT{0, 0, outer.right - outer.left - FrameWidth, outer.bottom - outer.top - FrameHeight});
}

inline BOOL MoveWindow(HWND w, int x, int y, int cx, int cy, BOOL)
{
    return Set(Use(w, W, __func__)->rect, RECT{x, y, x + cx, y + cy});
}

inline HDC GetDC(HWND w) { return On(w, W, __func__, Make(Object{DC})); }
inline int ReleaseDC(HWND, HDC dc) { return Release(dc, D, __func__); }

inline int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format)   // length -1: to the NUL
{
    return On(dc, D, __func__, Add(seen.drawn, Drawn{std::string(text).substr(0, size_t(length)), *rect, format}));
}

inline HWND GetDlgItem(HWND parent, int id) { return Child(parent, id); }

inline UINT GetDlgItemTextA(HWND parent, int id, LPSTR buffer, int size)   // cut to size, with its NUL
{
    return UINT(std::snprintf(buffer, size_t(size), "%s", Use(Child(parent, id), W, __func__)->text.c_str()));
}

inline BOOL SetDlgItemTextA(HWND parent, int id, LPCSTR text)
{
    return Set(Use(Child(parent, id), W, __func__)->text, std::string(text));
}

inline HMENU CreatePopupMenu() { return Make(Object{Menu}); }
inline BOOL AppendMenuA(HMENU menu, UINT, UINT_PTR, LPCSTR) { return On(menu, 1 << Menu, __func__, TRUE); }

inline BOOL TrackPopupMenu(HMENU menu, UINT, int, int, int, HWND owner, const RECT*)
{
    return On(owner, W, __func__, On(menu, 1 << Menu, __func__, ++seen.menusTracked));
}

inline BOOL DestroyMenu(HMENU menu) { return Release(menu, 1 << Menu, __func__); }
inline BOOL ClientToScreen(HWND w, POINT*) { return On(w, W, __func__, TRUE); }

inline int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    Add(seen.boxes, Box{text, caption ? caption : "(none)", style});
    if (state.whileShown)
        state.whileShown(text);
    return On(owner, W, __func__, IDOK);
}

inline DWORD GetSysColor(int) { return 0; }
inline HBITMAP LoadBitmapA(HINSTANCE, LPCSTR name) { return Make(Object{Bitmap, int(Key(name))}); }
inline HDC CreateCompatibleDC(HDC dc) { return On(dc, D, __func__, Make(Object{DC})); }

inline HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)   // a stock object's handle (1 to 3) is its slot's
{
    const int slot = Key(object) - 1 < 3 ? int(Key(object) - 1) : Use(object, Gdi, __func__)->kind - Bitmap;
    return std::exchange(Use(dc, D, __func__)->selected[slot], object);
}

inline BOOL BitBlt(HDC dc, int, int, int, int, HDC, int, int, DWORD) { return On(dc, D, __func__, TRUE); }
inline BOOL DeleteDC(HDC dc) { return Release(dc, D, __func__); }
inline BOOL DeleteObject(HGDIOBJ object) { return Release(object, Gdi, __func__); }
inline HFONT CreateFontIndirectA(const LOGFONTA*) { return Make(Object{Font}); }
inline HPEN CreatePen(int, int, COLORREF) { return Make(Object{Pen}); }
inline COLORREF SetTextColor(HDC dc, COLORREF) { return On(dc, D, __func__, 0u); }
inline COLORREF SetBkColor(HDC dc, COLORREF) { return On(dc, D, __func__, 0u); }
inline int SetBkMode(HDC dc, int) { return On(dc, D, __func__, int(OPAQUE)); }
inline UINT SetTextAlign(HDC dc, UINT) { return On(dc, D, __func__, 0u); }

inline BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length)
{
    return On(dc, D, __func__, Add(seen.drawn, Drawn{std::string(text, size_t(length)), RECT{x, y, x, y}, 0}));
}

inline BOOL GetTextExtentPoint32A(HDC dc, LPCSTR, int length, SIZE* size)
{
    return On(dc, D, __func__, Set(*size, SIZE{8 * length, 20}));
}

inline BOOL MoveToEx(HDC dc, int, int, POINT*) { return On(dc, D, __func__, TRUE); }
inline BOOL LineTo(HDC dc, int, int) { return On(dc, D, __func__, TRUE); }
inline int StartDocA(HDC dc, const DOCINFOA*) { return On(dc, D, __func__, state.startDoc); }
inline int StartPage(HDC dc) { return On(dc, D, __func__, state.startPage); }
inline int EndPage(HDC dc) { return On(dc, D, __func__, state.endPage); }
inline int EndDoc(HDC dc) { return On(dc, D, __func__, ++seen.endDocs); }
inline int GetDeviceCaps(HDC dc, int cap) { return On(dc, D, __func__, cap == HORZRES ? PrinterWidth : PrinterHeight); }
inline HGLOBAL GlobalFree(HGLOBAL memory) { return Release(memory, 1 << Global, __func__) ? nullptr : memory; }
inline BOOL PlaySoundA(LPCSTR sound, HMODULE, DWORD) { return Add(seen.cues, int(Key(sound))); }
inline HINSTANCE ShellExecuteA(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) { return reinterpret_cast<HINSTANCE>(42); }

// The device settings come back whether or not a printer is chosen.
inline BOOL PrintDlgA(PRINTDLGA* request)
{
    if (state.whileShown)
        state.whileShown("PrintDlgA");
    request->hDevMode = Make(Object{Global});
    request->hDevNames = Make(Object{Global});
    request->hDC = state.printerChosen ? Make(Object{DC}) : nullptr;
    return state.printerChosen;
}

// Ends at once: the tests drive the host made by Dialog instead.
inline INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR, HWND, DLGPROC proc, LPARAM param)
{
    return DestroyWindow(Dialog(proc, param)) ? IDCANCEL : 0;
}

}  // namespace win32
}  // namespace fake

using namespace fake::win32;
