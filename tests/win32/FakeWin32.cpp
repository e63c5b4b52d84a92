// The recording Win32 layer: each function logs its call and answers from
// the script or from the little state it keeps (windows, GDI objects, DCs).
#include "FakeWin32.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

namespace fake {

Script script;

namespace {

enum class Kind { Window, DC, Bitmap, Font, Pen, Menu, Instance, Stock, Global };
const char Prefixes[] = "WDBFPMISG";   // a handle's name: this letter, then a serial number

// Every handle ever made stays known by name; only its liveness changes.
struct Object {
    Kind kind;
    std::string name, description;
    bool alive = true;
};

struct DeviceContext {
    HGDIOBJ selected[3];   // font, bitmap, pen
    COLORREF color = 0, bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
};

struct State {
    int nextHandle = 1;
    std::map<const void*, Object> objects;
    int live[9] = {};   // by Kind
    HGDIOBJ stock[3] = {};   // what every DC comes with: font, bitmap, pen
    std::map<HWND, Window> windows;
    std::map<HDC, DeviceContext> dcs;
    std::vector<std::string> log, errors;
    std::vector<DrawnText> texts;
    HINSTANCE instance = nullptr;
    HWND capture = nullptr, focus = nullptr;
    PRINTDLGA lastPrintDialog{};
};

State* state = nullptr;
void* NewHandle(Kind kind, const std::string& description = "");

// The state, made on first use with the instance and the stock objects.
State& S()
{
    if (!state) {
        state = new State;
        state->instance = static_cast<HINSTANCE>(NewHandle(Kind::Instance));
        for (HGDIOBJ& stock : state->stock)
            stock = NewHandle(Kind::Stock);
    }
    return *state;
}

int& LiveCount(Kind kind) { return S().live[static_cast<int>(kind)]; }

void* NewHandle(Kind kind, const std::string& description)
{
    const int n = S().nextHandle++;
    void* handle = reinterpret_cast<void*>(static_cast<uintptr_t>(0x10000 + 16 * n));
    S().objects[handle] = Object{kind, Prefixes[static_cast<int>(kind)] + std::to_string(n), description};
    ++LiveCount(kind);
    return handle;
}

std::string Str(const char* text)
{
    if (!text)
        return "null";
    const uintptr_t id = reinterpret_cast<uintptr_t>(text);
    return IS_INTRESOURCE(text) ? "#" + std::to_string(id) : "\"" + std::string(text) + "\"";
}

std::string Hex(unsigned long long value)
{
    char buffer[32];
    snprintf(buffer, sizeof buffer, "0x%llX", value);
    return buffer;
}

// Numbers that belong together, as "x,y" or "left,top,right,bottom".
template <typename... Numbers>
std::string Xy(Numbers... n)
{
    std::string out;
    ((out += (out.empty() ? "" : ",") + std::to_string(n)), ...);
    return out;
}

std::string Rect(const RECT* r) { return r ? Xy(r->left, r->top, r->right, r->bottom) : "null"; }

// How each argument is logged: texts quoted, handles by name, numbers as
// they are, preformatted pieces as given.
std::string Arg(const std::string& piece) { return piece; }
std::string Arg(const char* text) { return Str(text); }
std::string Arg(long long number) { return std::to_string(number); }
template <typename T>
std::string Arg(T* handle) { return Name(handle); }

// Logs "Function(arg, arg, ...)".
template <typename... Args>
void Record(const char* function, const Args&... args)
{
    std::string line = std::string(function) + "(";
    [[maybe_unused]] const char* separator = "";
    ((line += separator + Arg(args), separator = ", "), ...);
    S().log.push_back(line + ")");
}

// Logs a call that hands out a handle, as "Function(args -> handle)".
template <typename Handle>
Handle Made(const char* function, const std::string& args, Handle handle)
{
    Record(function, args + (args.empty() ? "-> " : " -> ") + Name(handle));
    return handle;
}

void Error(const std::string& what) { S().errors.push_back(what); }

// The live object behind a handle, or null.
Object* Obj(const void* handle)
{
    auto it = S().objects.find(handle);
    return it != S().objects.end() && it->second.alive ? &it->second : nullptr;
}

bool IsLive(const void* handle, Kind kind) { return Obj(handle) && Obj(handle)->kind == kind; }

// Ends an object's life; false when it was not alive.
bool Forget(const void* handle)
{
    Object* o = Obj(handle);
    if (!o)
        return false;
    o->alive = false;
    --LiveCount(o->kind);
    return true;
}

Window* LiveWindow(HWND window, const char* caller)
{
    Window* w = Find(window);
    if (!w)
        Error(std::string(caller) + " on a window that does not exist: " + Name(window));
    return w;
}

HWND NewWindow(HWND parent, const RECT& outer)
{
    HWND window = static_cast<HWND>(NewHandle(Kind::Window));
    S().windows[window].parent = parent;
    S().windows[window].outer = outer;
    return window;
}

void KillWindow(HWND window)
{
    if (!Find(window))
        return;
    if (S().focus == window)
        S().focus = nullptr;
    if (S().capture == window)
        S().capture = nullptr;
    std::vector<HWND> children;
    for (const auto& [child, w] : S().windows)
        if (w.parent == window)
            children.push_back(child);
    for (HWND child : children)
        KillWindow(child);
    S().windows.erase(window);
    Forget(window);
}

HWND Child(HWND parent, int id)
{
    for (const auto& [window, w] : S().windows)
        if (w.parent == parent && w.id == id)
            return window;
    return nullptr;
}

HDC NewDC()
{
    HDC dc = static_cast<HDC>(NewHandle(Kind::DC));
    std::copy(S().stock, S().stock + 3, S().dcs[dc].selected);
    return dc;
}

DeviceContext* Context(HDC dc)
{
    auto it = S().dcs.find(dc);
    return it == S().dcs.end() ? nullptr : &it->second;
}

bool ReleaseContext(HDC dc, const char* caller)
{
    const DeviceContext* c = Context(dc);
    if (!c) {
        Error(std::string(caller) + " of an unknown DC " + Name(dc));
        return false;
    }
    if (!std::equal(c->selected, c->selected + 3, S().stock))
        Error(std::string(caller) + " of " + Name(dc) + " with an object still selected");
    S().dcs.erase(dc);
    return Forget(dc);
}

void RecordText(const char* api, HDC dc, int x, int y, const RECT* rect, UINT format, const std::string& text)
{
    if (const DeviceContext* c = Context(dc))
        S().texts.push_back(DrawnText{api, dc, x, y, rect ? *rect : RECT{}, format, text,
                                      static_cast<HFONT>(c->selected[0]), c->color, c->bkColor, c->bkMode});
    else
        Error(std::string(api) + " on an unknown DC");
}

}  // namespace

void Reset()
{
    delete state;
    state = nullptr;
    script = Script{};
}

const std::vector<std::string>& Log() { return S().log; }

std::vector<std::string> Calls(const std::string& name)
{
    std::vector<std::string> out;
    for (const std::string& line : S().log)
        if (line.compare(0, name.size() + 1, name + "(") == 0)
            out.push_back(line);
    return out;
}

std::vector<std::string> Sequence(const std::set<std::string>& names)
{
    std::vector<std::string> out;
    for (const std::string& line : S().log)
        if (names.count(line.substr(0, line.find('('))))
            out.push_back(line.substr(0, line.find('(')));
    return out;
}

void ClearLog() { S().log.clear(); S().texts.clear(); }

std::string Name(const void* handle)
{
    auto it = S().objects.find(handle);
    return !handle ? "null" : it != S().objects.end() ? it->second.name : Hex(reinterpret_cast<uintptr_t>(handle));
}

const std::vector<DrawnText>& Texts() { return S().texts; }
std::string FontDescription(HFONT font) { return Obj(font) ? Obj(font)->description : "unknown"; }
const std::vector<std::string>& Errors() { return S().errors; }
int LiveGdiObjects()
{
    return LiveCount(Kind::Bitmap) + LiveCount(Kind::Font) + LiveCount(Kind::Pen) + LiveCount(Kind::DC);
}
int LiveMenus() { return LiveCount(Kind::Menu); }
int LiveGlobals() { return LiveCount(Kind::Global); }

int LiveChildWindows(HWND parent)
{
    int n = 0;
    for (const auto& entry : S().windows)
        n += entry.second.parent == parent;
    return n;
}

HINSTANCE Instance() { return S().instance; }

HWND CreateHost(DLGPROC proc)
{
    HWND host = NewWindow(nullptr, RECT{0, 0, 300 + script.frameWidth, 163 + script.frameHeight});
    Find(host)->proc = proc;
    Find(host)->longs[GWLP_HINSTANCE] = reinterpret_cast<LONG_PTR>(S().instance);
    return host;
}

Window* Find(HWND window)
{
    auto it = S().windows.find(window);
    return it == S().windows.end() ? nullptr : &it->second;
}

void SetItemText(HWND host, int id, const std::string& text)
{
    if (Window* w = Find(Child(host, id)))
        w->text = text;
}

std::string ItemText(HWND host, int id)
{
    const Window* w = Find(Child(host, id));
    return w ? w->text : "<no control>";
}

void SetCheck(HWND host, int id, int value)
{
    if (Window* w = Find(Child(host, id)))
        w->check = value;
}

HWND Capture() { return S().capture; }
HWND Focus() { return S().focus; }
const PRINTDLGA& LastPrintDialog() { return S().lastPrintDialog; }

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window* w = Find(window);
    return w && w->proc ? w->proc(window, message, wParam, lParam) : 0;
}

}  // namespace fake

using namespace fake;

// ---- user32 ----------------------------------------------------------------

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param)
{
    Record("DialogBoxParamA", instance, templateName, parent);
    if (script.dialogTemplateMissing)
        return -1;
    HWND host = CreateHost(proc);
    Find(host)->longs[GWLP_HINSTANCE] = reinterpret_cast<LONG_PTR>(instance);
    proc(host, WM_INITDIALOG, 0, param);
    if (script.dialogSession)
        script.dialogSession(host);
    proc(host, WM_DESTROY, 0, 0);
    KillWindow(host);
    return 0;
}

BOOL EndDialog(HWND window, INT_PTR result) { Record("EndDialog", window, result); return TRUE; }

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    const int id = static_cast<int>(reinterpret_cast<uintptr_t>(menu));
    Record("CreateWindowExA", Hex(exStyle), className, text, Hex(style), Xy(x, y, width, height), parent, id,
           instance, std::string(param ? "param" : "null"));
    if (script.failControlIds.count(id))
        return nullptr;
    HWND window = NewWindow(parent, RECT{x, y, x + width, y + height});
    Find(window)->text = text ? text : "";
    Find(window)->id = id;
    return window;
}

BOOL DestroyWindow(HWND window)
{
    Record("DestroyWindow", window);
    const bool alive = LiveWindow(window, "DestroyWindow");
    KillWindow(window);
    return alive;
}

HWND SetFocus(HWND window)
{
    Record("SetFocus", window);
    return !window || LiveWindow(window, "SetFocus") ? std::exchange(S().focus, window) : nullptr;
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value)
{
    Record("SetWindowLongPtrA", window, index);
    Window* w = LiveWindow(window, "SetWindowLongPtrA");
    return w ? std::exchange(w->longs[index], value) : 0;
}

LONG_PTR GetWindowLongPtrA(HWND window, int index)
{
    Window* w = Find(window);
    return w && w->longs.count(index) ? w->longs[index] : 0;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint)
{
    *paint = PAINTSTRUCT{};
    paint->rcPaint = script.paintRect;
    paint->hdc = Made("BeginPaint", Name(window), NewDC());
    return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint)
{
    Record("EndPaint", window, paint->hdc);
    return ReleaseContext(paint->hdc, "EndPaint");
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase)
{
    Record("InvalidateRect", window, Rect(rect), erase);
    return LiveWindow(window, "InvalidateRect") != nullptr;
}

HWND SetCapture(HWND window) { Record("SetCapture", window); return std::exchange(S().capture, window); }
BOOL ReleaseCapture() { Record("ReleaseCapture"); S().capture = nullptr; return TRUE; }

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const std::map<UINT, const char*> names = {
        {WM_SETFONT, "WM_SETFONT"}, {WM_COMMAND, "WM_COMMAND"}, {EM_LIMITTEXT, "EM_LIMITTEXT"},
        {BM_GETCHECK, "BM_GETCHECK"}};
    Record("SendMessageA", window, names.count(message) ? names.at(message) : Hex(message),
           message == WM_SETFONT ? Name(reinterpret_cast<void*>(wParam)) : std::to_string(wParam), lParam);
    Window* target = LiveWindow(window, "SendMessageA");
    if (!target)
        return 0;
    switch (message) {
    case WM_SETFONT:
    case EM_LIMITTEXT: return 0;
    case BM_GETCHECK: return target->check;
    default: return target->proc ? target->proc(window, message, wParam, lParam) : 0;
    }
}

int GetSystemMetrics(int index)
{
    return index == SM_CXSCREEN ? script.screenWidth : index == SM_CYSCREEN ? script.screenHeight : 0;
}

BOOL GetWindowRect(HWND window, LPRECT rect)
{
    const Window* w = LiveWindow(window, "GetWindowRect");
    if (w)
        *rect = w->outer;
    return w != nullptr;
}

BOOL GetClientRect(HWND window, LPRECT rect)
{
    const Window* w = LiveWindow(window, "GetClientRect");
    if (w)
        *rect = RECT{0, 0, w->outer.right - w->outer.left - script.frameWidth,
                     w->outer.bottom - w->outer.top - script.frameHeight};
    return w != nullptr;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint)
{
    Record("MoveWindow", window, Xy(x, y, width, height), repaint);
    Window* w = LiveWindow(window, "MoveWindow");
    if (w)
        w->outer = RECT{x, y, x + width, y + height};
    return w != nullptr;
}

HDC GetDC(HWND window) { return Made("GetDC", Name(window), NewDC()); }
int ReleaseDC(HWND window, HDC dc) { Record("ReleaseDC", window, dc); return ReleaseContext(dc, "ReleaseDC"); }

int DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    Record("DrawTextA", dc, length, Rect(rect), Hex(format));
    RecordText("DrawTextA", dc, rect->left, rect->top, rect, format,
               length < 0 ? std::string(text) : std::string(text, static_cast<size_t>(length)));
    return 22;   // one line's height
}

HWND GetDlgItem(HWND parent, int id)
{
    return Made("GetDlgItem", Name(parent) + ", " + std::to_string(id), Child(parent, id));
}

UINT GetDlgItemTextA(HWND parent, int id, LPSTR buffer, int size)
{
    Record("GetDlgItemTextA", parent, id, size);
    const Window* w = Find(Child(parent, id));
    const std::string text = w && size > 0 ? w->text.substr(0, static_cast<size_t>(size - 1)) : "";
    if (size > 0)
        memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<UINT>(text.size());
}

BOOL SetDlgItemTextA(HWND parent, int id, LPCSTR text)
{
    Record("SetDlgItemTextA", parent, id, text);
    Window* w = Find(Child(parent, id));
    if (w)
        w->text = text;
    return w != nullptr;
}

HMENU CreatePopupMenu() { return Made("CreatePopupMenu", "", static_cast<HMENU>(NewHandle(Kind::Menu))); }

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text)
{
    Record("AppendMenuA", menu, Hex(flags), id, text);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* exclude)
{
    Record("TrackPopupMenu", menu, Hex(flags), Xy(x, y), reserved, owner, Rect(exclude));
    if (script.onTrackPopupMenu)
        script.onTrackPopupMenu(menu);
    return TRUE;
}

BOOL DestroyMenu(HMENU menu)
{
    Record("DestroyMenu", menu);
    if (!IsLive(menu, Kind::Menu))
        Error("DestroyMenu of a menu that does not exist");
    return Forget(menu);
}

BOOL ClientToScreen(HWND window, LPPOINT point)
{
    const Window* w = LiveWindow(window, "ClientToScreen");
    if (w) {
        point->x += w->outer.left + script.frameWidth / 2;
        point->y += w->outer.top + script.frameHeight / 2;
    }
    Record("ClientToScreen", Name(window) + " -> " + Xy(point->x, point->y));
    return w != nullptr;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    Record("MessageBoxA", owner, text, caption, Hex(style));
    return IDOK;
}

int wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    Record("wsprintfA", format);
    va_list args;
    va_start(args, format);
    const int n = vsnprintf(buffer, 1025, format, args);   // wsprintfA writes at most 1024 characters
    va_end(args);
    return n;
}

DWORD GetSysColor(int index) { return index == COLOR_MENU ? 0xF0F0F0 : index == COLOR_MENUTEXT ? 0x000000 : 0x808080; }

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name)
{
    Record("LoadBitmapA", instance, name);
    return script.failBitmaps ? nullptr : static_cast<HBITMAP>(NewHandle(Kind::Bitmap));
}

// ---- gdi32 -----------------------------------------------------------------

HDC CreateCompatibleDC(HDC dc) { return Made("CreateCompatibleDC", Name(dc), NewDC()); }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    Record("SelectObject", dc, object);
    DeviceContext* c = Context(dc);
    const Object* o = Obj(object);
    int slot = !o ? -1 : o->kind == Kind::Font ? 0 : o->kind == Kind::Bitmap ? 1 : o->kind == Kind::Pen ? 2 : -1;
    for (int i = 0; i < 3; ++i)
        if (S().stock[i] == object)
            slot = i;
    if (!c || slot < 0) {
        Error("SelectObject of " + Name(object) + " into " + Name(dc));
        return nullptr;
    }
    return std::exchange(c->selected[slot], object);
}

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop)
{
    const DeviceContext* c = Context(source);
    Record("BitBlt", dc, Xy(x, y, width, height), Name(source) + "[" + (c ? Name(c->selected[1]) : "?") + "]",
           Xy(sourceX, sourceY), Hex(rop));
    return TRUE;
}

BOOL DeleteDC(HDC dc) { Record("DeleteDC", dc); return ReleaseContext(dc, "DeleteDC"); }

BOOL DeleteObject(HGDIOBJ object)
{
    Record("DeleteObject", object);
    if (object && !Obj(object))
        Error("DeleteObject of " + Name(object) + ", which is not alive");
    for (const auto& [dc, c] : S().dcs)
        if (object && std::count(c.selected, c.selected + 3, object))
            Error("DeleteObject of " + Name(object) + " while selected into " + Name(dc));
    return Forget(object);
}

HFONT CreateFontIndirectA(const LOGFONTA* font)
{
    // Every field but the face, height and weight is expected to be zero.
    LOGFONTA others = *font;
    others.lfHeight = others.lfWeight = 0;
    memset(others.lfFaceName, 0, sizeof others.lfFaceName);
    const LOGFONTA zero{};
    const std::string description = std::string(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE)) + " " +
                                    std::to_string(font->lfHeight) + " " + std::to_string(font->lfWeight) +
                                    (memcmp(&others, &zero, sizeof zero) == 0 ? "" : " +other fields");
    return Made("CreateFontIndirectA", description, static_cast<HFONT>(NewHandle(Kind::Font, description)));
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    const std::string args = std::to_string(style) + ", " + std::to_string(width) + ", " + Hex(color);
    return Made("CreatePen", args, static_cast<HPEN>(NewHandle(Kind::Pen, "pen " + Hex(color))));
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    Record("SetTextColor", dc, Hex(color));
    return std::exchange(S().dcs[dc].color, color);
}

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    Record("SetBkColor", dc, Hex(color));
    return std::exchange(S().dcs[dc].bkColor, color);
}

int SetBkMode(HDC dc, int mode) { Record("SetBkMode", dc, mode); return std::exchange(S().dcs[dc].bkMode, mode); }
UINT SetTextAlign(HDC dc, UINT align) { Record("SetTextAlign", dc, align); return 0; }

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length)
{
    const std::string s(text, static_cast<size_t>(length));
    Record("TextOutA", dc, Xy(x, y), "\"" + s + "\"");
    RecordText("TextOutA", dc, x, y, nullptr, 0, s);
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size)
{
    Record("GetTextExtentPoint32A", dc, "\"" + std::string(text, static_cast<size_t>(length)) + "\"");
    *size = SIZE{length * script.charWidth, 22};
    return TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT) { Record("MoveToEx", dc, Xy(x, y)); return TRUE; }

BOOL LineTo(HDC dc, int x, int y)
{
    const DeviceContext* c = Context(dc);
    Record("LineTo", dc, Xy(x, y), c ? FontDescription(static_cast<HFONT>(c->selected[2])) : "?");
    return TRUE;
}

int StartDocA(HDC dc, const DOCINFOA* info)
{
    Record("StartDocA", dc, info->cbSize, info->lpszDocName, info->lpszOutput, info->lpszDatatype, info->fwType);
    return script.startDocResult;
}

int StartPage(HDC dc) { Record("StartPage", dc); return script.startPageResult; }
int EndPage(HDC dc) { Record("EndPage", dc); return script.endPageResult; }
int EndDoc(HDC dc) { Record("EndDoc", dc); return 1; }

int GetDeviceCaps(HDC dc, int index)
{
    Record("GetDeviceCaps", dc, index);
    return index == HORZRES ? script.horzRes : index == VERTRES ? script.vertRes : 0;
}

// ---- winmm, shell32, comdlg32, kernel32 -------------------------------------

BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags)
{
    Record("PlaySoundA", sound, module, Hex(flags));
    return TRUE;
}

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    Record("ShellExecuteA", owner, verb, file, parameters, directory, show);
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(42));   // above 32: success
}

BOOL PrintDlgA(PRINTDLGA* request)
{
    Record("PrintDlgA", request->hwndOwner, request->lStructSize, Hex(request->Flags));
    S().lastPrintDialog = *request;
    if (!script.printDialogOk)
        return FALSE;
    // Asked for no device settings, the dialog allocates them for the caller to free.
    for (HGLOBAL* settings : {&request->hDevMode, &request->hDevNames})
        if (!*settings)
            *settings = NewHandle(Kind::Global);
    request->hDC = NewDC();
    return TRUE;
}

HGLOBAL GlobalFree(HGLOBAL memory)
{
    Record("GlobalFree", memory);
    if (!IsLive(memory, Kind::Global)) {
        Error("GlobalFree of " + Name(memory) + ", which is not allocated");
        return memory;
    }
    Forget(memory);
    return nullptr;
}
