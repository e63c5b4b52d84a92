// The recording Win32 layer: each function logs its call and answers from
// the script or from the little state it keeps (windows, GDI objects, DCs).
#include "FakeWin32.h"

#include <cstdarg>
#include <cstdio>
#include <algorithm>
#include <cstring>

namespace fake {

Script script;

namespace {

enum class Kind { Window, DC, Bitmap, Font, Pen, Menu, Instance, Stock, Global };

struct Object {
    Kind kind;
    std::string name;
    bool alive = true;
    std::string description;
};

struct DeviceContext {
    HGDIOBJ font, bitmap, pen;            // currently selected
    HGDIOBJ stockFont, stockBitmap, stockPen;
    COLORREF color = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
};

struct State {
    int nextHandle = 1;
    std::map<const void*, Object> objects;
    std::map<const void*, std::string> goneNames;   // tests may name a handle after its release
    std::map<HWND, Window> windows;
    std::map<HDC, DeviceContext> dcs;
    std::map<HMENU, std::vector<MenuItem>> menus;
    std::vector<std::string> log;
    std::vector<DrawnText> texts;
    std::vector<std::string> errors;
    HINSTANCE instance = nullptr;
    HWND capture = nullptr;
    HWND focus = nullptr;
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;
    HMENU lastMenu = nullptr;
    PRINTDLGA lastPrintDialog{};
    DOCINFOA lastDocInfo{};
    std::string docName;
};

State* state = nullptr;

State& S()
{
    if (!state)
        state = new State;
    return *state;
}

const char* Prefix(Kind kind)
{
    switch (kind) {
    case Kind::Window: return "W";
    case Kind::DC: return "D";
    case Kind::Bitmap: return "B";
    case Kind::Font: return "F";
    case Kind::Pen: return "P";
    case Kind::Menu: return "M";
    case Kind::Instance: return "I";
    case Kind::Stock: return "S";
    case Kind::Global: return "G";
    }
    return "?";
}

void* NewHandle(Kind kind, const std::string& description = "")
{
    State& s = S();
    const int n = s.nextHandle++;
    void* handle = reinterpret_cast<void*>(static_cast<uintptr_t>(0x10000 + 16 * n));
    s.objects[handle] = Object{kind, Prefix(kind) + std::to_string(n), true, description};
    return handle;
}

std::string Str(const char* text)
{
    if (!text)
        return "null";
    if (IS_INTRESOURCE(text))
        return "#" + std::to_string(reinterpret_cast<uintptr_t>(text));
    return "\"" + std::string(text) + "\"";
}

std::string Rect(const RECT* r)
{
    if (!r)
        return "null";
    char buffer[64];
    snprintf(buffer, sizeof buffer, "%d,%d,%d,%d", int(r->left), int(r->top), int(r->right), int(r->bottom));
    return buffer;
}

std::string Hex(unsigned long long value)
{
    char buffer[32];
    snprintf(buffer, sizeof buffer, "0x%llX", value);
    return buffer;
}

void Record(const std::string& name, const std::string& args)
{
    S().log.push_back(name + "(" + args + ")");
}

void Error(const std::string& what)
{
    S().errors.push_back(what);
}

// Gone objects are forgotten, so long sessions stay quick; a later use of
// their handle is then an unknown handle, which is reported.
void Forget(const void* handle)
{
    auto it = S().objects.find(handle);
    if (it == S().objects.end())
        return;
    S().goneNames[handle] = it->second.name;
    S().objects.erase(it);
}

Object* Obj(const void* handle)
{
    auto it = S().objects.find(handle);
    return it == S().objects.end() ? nullptr : &it->second;
}

Window* LiveWindow(HWND window, const char* caller)
{
    Window* w = Find(window);
    if (!w || !w->alive) {
        Error(std::string(caller) + " on a window that does not exist: " + Name(window));
        return nullptr;
    }
    return w;
}

HDC NewDC(const std::string& description)
{
    HDC dc = static_cast<HDC>(NewHandle(Kind::DC, description));
    DeviceContext context;
    context.stockFont = context.font = NewHandle(Kind::Stock, "stock font");
    context.stockBitmap = context.bitmap = NewHandle(Kind::Stock, "stock bitmap");
    context.stockPen = context.pen = NewHandle(Kind::Stock, "stock pen");
    S().dcs[dc] = context;
    return dc;
}

bool ReleaseContext(HDC dc, const char* caller)
{
    auto it = S().dcs.find(dc);
    if (it == S().dcs.end()) {
        Error(std::string(caller) + " of an unknown DC " + Name(dc));
        return false;
    }
    const DeviceContext& c = it->second;
    if (c.font != c.stockFont || c.bitmap != c.stockBitmap || c.pen != c.stockPen)
        Error(std::string(caller) + " of " + Name(dc) + " with an object still selected");
    for (HGDIOBJ stock : {c.stockFont, c.stockBitmap, c.stockPen})
        Forget(stock);
    S().dcs.erase(it);
    Forget(dc);
    return true;
}

HWND NewWindow(const Window& w)
{
    HWND window = static_cast<HWND>(NewHandle(Kind::Window));
    S().windows[window] = w;
    return window;
}

void KillWindow(HWND window)
{
    Window* w = Find(window);
    if (!w || !w->alive)
        return;
    if (S().focus == window)
        S().focus = nullptr;
    if (S().capture == window)
        S().capture = nullptr;
    std::vector<HWND> children;
    for (auto& [child, info] : S().windows)
        if (info.parent == window)
            children.push_back(child);
    for (HWND child : children)
        KillWindow(child);
    S().windows.erase(window);
    Forget(window);
}

const char* MessageName(UINT message)
{
    switch (message) {
    case WM_DESTROY: return "WM_DESTROY";
    case WM_PAINT: return "WM_PAINT";
    case WM_SETFONT: return "WM_SETFONT";
    case WM_INITDIALOG: return "WM_INITDIALOG";
    case WM_COMMAND: return "WM_COMMAND";
    case EM_LIMITTEXT: return "EM_LIMITTEXT";
    case BM_GETCHECK: return "BM_GETCHECK";
    default: return nullptr;
    }
}

}  // namespace

void Reset()
{
    delete state;
    state = new State;
    state->instance = static_cast<HINSTANCE>(NewHandle(Kind::Instance));
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
    for (const std::string& line : S().log) {
        const std::string name = line.substr(0, line.find('('));
        if (names.count(name))
            out.push_back(name);
    }
    return out;
}

void ClearLog()
{
    S().log.clear();
    S().texts.clear();
}

std::string Name(const void* handle)
{
    if (!handle)
        return "null";
    if (const Object* o = Obj(handle))
        return o->name;
    auto gone = S().goneNames.find(handle);
    return gone != S().goneNames.end() ? gone->second : Hex(reinterpret_cast<uintptr_t>(handle));
}

const std::vector<DrawnText>& Texts() { return S().texts; }

std::string FontDescription(HFONT font)
{
    const Object* o = Obj(font);
    return o ? o->description : "unknown";
}

const std::vector<std::string>& Errors() { return S().errors; }

int LiveGdiObjects()
{
    int n = 0;
    for (const auto& [handle, o] : S().objects)
        if (o.alive && (o.kind == Kind::Bitmap || o.kind == Kind::Font || o.kind == Kind::Pen ||
                        o.kind == Kind::DC))
            ++n;
    return n;
}

int LiveMenus()
{
    int n = 0;
    for (const auto& [handle, o] : S().objects)
        if (o.alive && o.kind == Kind::Menu)
            ++n;
    return n;
}

int LiveGlobals()
{
    int n = 0;
    for (const auto& [handle, o] : S().objects)
        if (o.alive && o.kind == Kind::Global)
            ++n;
    return n;
}

int LiveChildWindows(HWND parent)
{
    int n = 0;
    for (const auto& [window, w] : S().windows)
        if (w.alive && w.parent == parent)
            ++n;
    return n;
}

HINSTANCE Instance() { return S().instance; }

HWND CreateHost(DLGPROC proc)
{
    Window w;
    w.className = "#32770";
    w.style = 0x920000C4;
    w.width = 300 + script.frameWidth;
    w.height = 163 + script.frameHeight;
    w.instance = S().instance;
    w.proc = proc;
    w.longs[GWLP_HINSTANCE] = reinterpret_cast<LONG_PTR>(S().instance);
    return NewWindow(w);
}

Window* Find(HWND window)
{
    auto it = S().windows.find(window);
    return it == S().windows.end() ? nullptr : &it->second;
}

static HWND Child(HWND parent, int id)
{
    for (auto& [window, w] : S().windows)
        if (w.alive && w.parent == parent && w.id == id)
            return window;
    return nullptr;
}

void SetItemText(HWND host, int id, const std::string& text)
{
    if (Window* w = Find(Child(host, id)))
        w->text = text;
}

std::string ItemText(HWND host, int id)
{
    Window* w = Find(Child(host, id));
    return w ? w->text : "<no control>";
}

void SetCheck(HWND host, int id, int value)
{
    if (Window* w = Find(Child(host, id)))
        w->check = value;
}

HWND Capture() { return S().capture; }
HWND Focus() { return S().focus; }
bool DialogEnded() { return S().dialogEnded; }

const std::vector<MenuItem>& MenuItems(HMENU menu) { return S().menus[menu]; }
HMENU LastMenu() { return S().lastMenu; }
const PRINTDLGA& LastPrintDialog() { return S().lastPrintDialog; }
const DOCINFOA& LastDocInfo() { return S().lastDocInfo; }

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = Find(window);
    if (!w || !w->alive || !w->proc)
        return 0;
    return w->proc(window, message, wParam, lParam);
}

}  // namespace fake

using namespace fake;

// ---- user32 ----------------------------------------------------------------

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param)
{
    Record("DialogBoxParamA", Name(instance) + ", " + Str(templateName) + ", " + Name(parent));
    if (script.dialogTemplateMissing)
        return -1;
    State& s = S();
    s.dialogEnded = false;
    s.dialogResult = 0;
    HWND host = CreateHost(proc);
    Find(host)->instance = instance;
    Find(host)->longs[GWLP_HINSTANCE] = reinterpret_cast<LONG_PTR>(instance);
    proc(host, WM_INITDIALOG, 0, param);
    if (script.dialogSession)
        script.dialogSession(host);
    proc(host, WM_DESTROY, 0, 0);
    KillWindow(host);
    return s.dialogResult;
}

BOOL EndDialog(HWND window, INT_PTR result)
{
    Record("EndDialog", Name(window) + ", " + std::to_string(result));
    S().dialogEnded = true;
    S().dialogResult = result;
    return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    const int id = static_cast<int>(reinterpret_cast<uintptr_t>(menu));
    std::string args = Hex(exStyle) + ", " + Str(className) + ", " + Str(text) + ", " + Hex(style) + ", " +
                       std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + "," +
                       std::to_string(height) + ", " + Name(parent) + ", " + std::to_string(id) + ", " +
                       Name(instance) + ", " + (param ? "param" : "null");
    Record("CreateWindowExA", args);
    if (script.failControlIds.count(id))
        return nullptr;
    Window w;
    w.className = className ? className : "";
    w.text = text ? text : "";
    w.style = style;
    w.exStyle = exStyle;
    w.x = x;
    w.y = y;
    w.width = width;
    w.height = height;
    w.parent = parent;
    w.id = id;
    w.instance = instance;
    return NewWindow(w);
}

BOOL DestroyWindow(HWND window)
{
    Record("DestroyWindow", Name(window));
    if (!LiveWindow(window, "DestroyWindow"))
        return FALSE;
    KillWindow(window);
    return TRUE;
}

HWND SetFocus(HWND window)
{
    Record("SetFocus", Name(window));
    HWND previous = S().focus;
    if (window && !LiveWindow(window, "SetFocus"))
        return nullptr;
    S().focus = window;
    return previous;
}

HWND GetFocus() { return S().focus; }

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value)
{
    Record("SetWindowLongPtrA", Name(window) + ", " + std::to_string(index));
    Window* w = LiveWindow(window, "SetWindowLongPtrA");
    if (!w)
        return 0;
    LONG_PTR previous = w->longs[index];
    w->longs[index] = value;
    return previous;
}

LONG_PTR GetWindowLongPtrA(HWND window, int index)
{
    Window* w = Find(window);
    if (!w)
        return 0;
    auto it = w->longs.find(index);
    return it == w->longs.end() ? 0 : it->second;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint)
{
    HDC dc = NewDC("paint");
    Record("BeginPaint", Name(window) + " -> " + Name(dc));
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    paint->rcPaint = script.paintRect;
    return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint)
{
    Record("EndPaint", Name(window) + ", " + Name(paint->hdc));
    return ReleaseContext(paint->hdc, "EndPaint");
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase)
{
    Record("InvalidateRect", Name(window) + ", " + Rect(rect) + ", " + std::to_string(erase));
    return LiveWindow(window, "InvalidateRect") != nullptr;
}

HWND SetCapture(HWND window)
{
    Record("SetCapture", Name(window));
    HWND previous = S().capture;
    S().capture = window;
    return previous;
}

BOOL ReleaseCapture()
{
    Record("ReleaseCapture", "");
    S().capture = nullptr;
    return TRUE;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const char* name = MessageName(message);
    std::string args = Name(window) + ", " + (name ? name : Hex(message)) + ", ";
    if (message == WM_SETFONT)
        args += Name(reinterpret_cast<void*>(wParam));
    else
        args += std::to_string(wParam);
    Record("SendMessageA", args + ", " + std::to_string(lParam));
    Window* w = LiveWindow(window, "SendMessageA");
    if (!w)
        return 0;
    switch (message) {
    case WM_SETFONT: w->font = reinterpret_cast<HFONT>(wParam); return 0;
    case EM_LIMITTEXT: w->textLimit = static_cast<int>(wParam); return 0;
    case BM_GETCHECK: return w->check;
    default: return w->proc ? w->proc(window, message, wParam, lParam) : 0;
    }
}

int GetSystemMetrics(int index)
{
    return index == SM_CXSCREEN ? script.screenWidth : index == SM_CYSCREEN ? script.screenHeight : 0;
}

BOOL GetWindowRect(HWND window, LPRECT rect)
{
    Window* w = LiveWindow(window, "GetWindowRect");
    if (!w)
        return FALSE;
    *rect = RECT{w->x, w->y, w->x + w->width, w->y + w->height};
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect)
{
    Window* w = LiveWindow(window, "GetClientRect");
    if (!w)
        return FALSE;
    *rect = RECT{0, 0, w->width - script.frameWidth, w->height - script.frameHeight};
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint)
{
    Record("MoveWindow", Name(window) + ", " + std::to_string(x) + "," + std::to_string(y) + "," +
                             std::to_string(width) + "," + std::to_string(height) + ", " + std::to_string(repaint));
    Window* w = LiveWindow(window, "MoveWindow");
    if (!w)
        return FALSE;
    w->x = x;
    w->y = y;
    w->width = width;
    w->height = height;
    return TRUE;
}

HDC GetDC(HWND window)
{
    HDC dc = NewDC("window");
    Record("GetDC", Name(window) + " -> " + Name(dc));
    return dc;
}

int ReleaseDC(HWND window, HDC dc)
{
    Record("ReleaseDC", Name(window) + ", " + Name(dc));
    return ReleaseContext(dc, "ReleaseDC");
}

static void RecordText(const char* api, HDC dc, int x, int y, const RECT* rect, UINT format, const std::string& text)
{
    DrawnText t{};
    t.api = api;
    t.dc = dc;
    t.x = x;
    t.y = y;
    if (rect)
        t.rect = *rect;
    t.format = format;
    t.text = text;
    auto it = S().dcs.find(dc);
    if (it == S().dcs.end()) {
        Error(std::string(api) + " on an unknown DC");
    } else {
        t.font = static_cast<HFONT>(it->second.font);
        t.color = it->second.color;
        t.bkMode = it->second.bkMode;
        t.bkColor = it->second.bkColor;
    }
    S().texts.push_back(t);
}

int DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    const std::string s = length < 0 ? std::string(text) : std::string(text, static_cast<size_t>(length));
    Record("DrawTextA", Name(dc) + ", " + std::to_string(length) + ", " + Rect(rect) + ", " + Hex(format));
    RecordText("DrawTextA", dc, rect->left, rect->top, rect, format, s);
    return script.charHeight;
}

HWND GetDlgItem(HWND parent, int id)
{
    HWND child = fake::Child(parent, id);
    Record("GetDlgItem", Name(parent) + ", " + std::to_string(id) + " -> " + Name(child));
    return child;
}

UINT GetDlgItemTextA(HWND parent, int id, LPSTR buffer, int size)
{
    Record("GetDlgItemTextA", Name(parent) + ", " + std::to_string(id) + ", " + std::to_string(size));
    Window* w = Find(fake::Child(parent, id));
    if (size <= 0)
        return 0;
    const std::string text = w ? w->text : "";
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<UINT>(n);
}

BOOL SetDlgItemTextA(HWND parent, int id, LPCSTR text)
{
    Record("SetDlgItemTextA", Name(parent) + ", " + std::to_string(id) + ", " + Str(text));
    Window* w = Find(fake::Child(parent, id));
    if (!w)
        return FALSE;
    w->text = text;
    return TRUE;
}

HMENU CreatePopupMenu()
{
    HMENU menu = static_cast<HMENU>(NewHandle(Kind::Menu));
    Record("CreatePopupMenu", "-> " + Name(menu));
    S().menus[menu];
    S().lastMenu = menu;
    return menu;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text)
{
    Record("AppendMenuA", Name(menu) + ", " + Hex(flags) + ", " + std::to_string(id) + ", " + Str(text));
    S().menus[menu].push_back(MenuItem{flags, id, text ? text : ""});
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* exclude)
{
    Record("TrackPopupMenu", Name(menu) + ", " + Hex(flags) + ", " + std::to_string(x) + "," + std::to_string(y) +
                                 ", " + std::to_string(reserved) + ", " + Name(owner) + ", " + Rect(exclude));
    if (script.onTrackPopupMenu)
        script.onTrackPopupMenu(menu);
    return TRUE;
}

BOOL DestroyMenu(HMENU menu)
{
    Record("DestroyMenu", Name(menu));
    Object* o = Obj(menu);
    if (!o || !o->alive) {
        Error("DestroyMenu of a menu that does not exist");
        return FALSE;
    }
    Forget(menu);
    return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point)
{
    Window* w = LiveWindow(window, "ClientToScreen");
    if (!w)
        return FALSE;
    point->x += w->x + script.frameWidth / 2;
    point->y += w->y + script.frameHeight / 2;
    Record("ClientToScreen", Name(window) + " -> " + std::to_string(point->x) + "," + std::to_string(point->y));
    return TRUE;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    Record("MessageBoxA", Name(owner) + ", " + Str(text) + ", " + Str(caption) + ", " + Hex(style));
    if (script.onMessageBox)
        script.onMessageBox(text);
    return script.messageBoxReply;
}

int wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    Record("wsprintfA", Str(format));
    va_list args;
    va_start(args, format);
    const int n = vsnprintf(buffer, 1025, format, args);   // wsprintfA writes at most 1024 characters
    va_end(args);
    return n;
}

DWORD GetSysColor(int index)
{
    return index == COLOR_MENU ? 0xF0F0F0 : index == COLOR_MENUTEXT ? 0x000000 : 0x808080;
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name)
{
    Record("LoadBitmapA", Name(instance) + ", " + Str(name));
    if (script.failBitmaps)
        return nullptr;
    return static_cast<HBITMAP>(NewHandle(Kind::Bitmap, "bitmap " + Str(name)));
}

// ---- gdi32 -----------------------------------------------------------------

HDC CreateCompatibleDC(HDC dc)
{
    HDC memory = NewDC("memory");
    Record("CreateCompatibleDC", Name(dc) + " -> " + Name(memory));
    return memory;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    Record("SelectObject", Name(dc) + ", " + Name(object));
    auto it = S().dcs.find(dc);
    Object* o = Obj(object);
    if (it == S().dcs.end() || !o || !o->alive) {
        Error("SelectObject of " + Name(object) + " into " + Name(dc));
        return nullptr;
    }
    DeviceContext& c = it->second;
    HGDIOBJ* slot = nullptr;
    if (o->kind == Kind::Font || object == c.stockFont)
        slot = &c.font;
    else if (o->kind == Kind::Bitmap || object == c.stockBitmap)
        slot = &c.bitmap;
    else if (o->kind == Kind::Pen || object == c.stockPen)
        slot = &c.pen;
    if (!slot) {
        Error("SelectObject of a foreign object " + Name(object) + " into " + Name(dc));
        return nullptr;
    }
    HGDIOBJ previous = *slot;
    *slot = object;
    return previous;
}

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop)
{
    std::string selected = "?";
    auto it = S().dcs.find(source);
    if (it != S().dcs.end())
        selected = Name(it->second.bitmap);
    Record("BitBlt", Name(dc) + ", " + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) +
                         "," + std::to_string(height) + ", " + Name(source) + "[" + selected + "], " +
                         std::to_string(sourceX) + "," + std::to_string(sourceY) + ", " + Hex(rop));
    return TRUE;
}

BOOL DeleteDC(HDC dc)
{
    Record("DeleteDC", Name(dc));
    return ReleaseContext(dc, "DeleteDC");
}

BOOL DeleteObject(HGDIOBJ object)
{
    Record("DeleteObject", Name(object));
    Object* o = Obj(object);
    if (!object)
        return FALSE;
    if (!o || !o->alive) {
        Error("DeleteObject of " + Name(object) + ", which is not alive");
        return FALSE;
    }
    for (const auto& [dc, c] : S().dcs)
        if (c.font == object || c.bitmap == object || c.pen == object)
            Error("DeleteObject of " + Name(object) + " while selected into " + Name(dc));
    Forget(object);
    return TRUE;
}

HFONT CreateFontIndirectA(const LOGFONTA* font)
{
    const LOGFONTA& f = *font;
    const bool onlyThree = f.lfWidth == 0 && f.lfEscapement == 0 && f.lfOrientation == 0 && f.lfItalic == 0 &&
                           f.lfUnderline == 0 && f.lfStrikeOut == 0 && f.lfCharSet == 0 && f.lfOutPrecision == 0 &&
                           f.lfClipPrecision == 0 && f.lfQuality == 0 && f.lfPitchAndFamily == 0;
    std::string description = std::string(f.lfFaceName, strnlen(f.lfFaceName, LF_FACESIZE)) + " " +
                              std::to_string(f.lfHeight) + " " + std::to_string(f.lfWeight) +
                              (onlyThree ? "" : " +other fields");
    HFONT handle = static_cast<HFONT>(NewHandle(Kind::Font, description));
    Record("CreateFontIndirectA", description + " -> " + Name(handle));
    return handle;
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    HPEN pen = static_cast<HPEN>(NewHandle(Kind::Pen, "pen " + Hex(color)));
    Record("CreatePen", std::to_string(style) + ", " + std::to_string(width) + ", " + Hex(color) + " -> " + Name(pen));
    return pen;
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    Record("SetTextColor", Name(dc) + ", " + Hex(color));
    COLORREF previous = S().dcs[dc].color;
    S().dcs[dc].color = color;
    return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    Record("SetBkColor", Name(dc) + ", " + Hex(color));
    COLORREF previous = S().dcs[dc].bkColor;
    S().dcs[dc].bkColor = color;
    return previous;
}

int SetBkMode(HDC dc, int mode)
{
    Record("SetBkMode", Name(dc) + ", " + std::to_string(mode));
    int previous = S().dcs[dc].bkMode;
    S().dcs[dc].bkMode = mode;
    return previous;
}

UINT SetTextAlign(HDC dc, UINT align)
{
    Record("SetTextAlign", Name(dc) + ", " + std::to_string(align));
    return 0;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length)
{
    const std::string s(text, static_cast<size_t>(length));
    Record("TextOutA", Name(dc) + ", " + std::to_string(x) + "," + std::to_string(y) + ", \"" + s + "\"");
    RecordText("TextOutA", dc, x, y, nullptr, 0, s);
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size)
{
    Record("GetTextExtentPoint32A", Name(dc) + ", \"" + std::string(text, static_cast<size_t>(length)) + "\"");
    size->cx = length * script.charWidth;
    size->cy = script.charHeight;
    return TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT)
{
    Record("MoveToEx", Name(dc) + ", " + std::to_string(x) + "," + std::to_string(y));
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y)
{
    auto it = S().dcs.find(dc);
    const std::string pen = it == S().dcs.end() ? "?" : FontDescription(static_cast<HFONT>(it->second.pen));
    Record("LineTo", Name(dc) + ", " + std::to_string(x) + "," + std::to_string(y) + ", " + pen);
    return TRUE;
}

int StartDocA(HDC dc, const DOCINFOA* info)
{
    Record("StartDocA", Name(dc) + ", " + std::to_string(info->cbSize) + ", " + Str(info->lpszDocName) + ", " +
                            Str(info->lpszOutput) + ", " + Str(info->lpszDatatype) + ", " +
                            std::to_string(info->fwType));
    S().lastDocInfo = *info;
    return script.startDocResult;
}

int StartPage(HDC dc)
{
    Record("StartPage", Name(dc));
    return script.startPageResult;
}

int EndPage(HDC dc)
{
    Record("EndPage", Name(dc));
    return script.endPageResult;
}

int EndDoc(HDC dc)
{
    Record("EndDoc", Name(dc));
    return 1;
}

int GetDeviceCaps(HDC dc, int index)
{
    Record("GetDeviceCaps", Name(dc) + ", " + std::to_string(index));
    return index == HORZRES ? script.horzRes : index == VERTRES ? script.vertRes : 0;
}

// ---- winmm, shell32, comdlg32 ---------------------------------------------

BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags)
{
    Record("PlaySoundA", Str(sound) + ", " + Name(module) + ", " + Hex(flags));
    return TRUE;
}

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    Record("ShellExecuteA", Name(owner) + ", " + Str(verb) + ", " + Str(file) + ", " + Str(parameters) + ", " +
                                Str(directory) + ", " + std::to_string(show));
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(42));
}

BOOL PrintDlgA(PRINTDLGA* request)
{
    Record("PrintDlgA", Name(request->hwndOwner) + ", " + std::to_string(request->lStructSize) + ", " +
                            Hex(request->Flags));
    S().lastPrintDialog = *request;
    if (script.onPrintDialog)
        script.onPrintDialog();
    if (!script.printDialogOk)
        return FALSE;
    // Asked for no device settings, the dialog allocates them for the caller to free.
    if (!request->hDevMode)
        request->hDevMode = NewHandle(Kind::Global, "device mode");
    if (!request->hDevNames)
        request->hDevNames = NewHandle(Kind::Global, "device names");
    request->hDC = NewDC("printer");
    return TRUE;
}

// ---- kernel32 ----------------------------------------------------------------

HGLOBAL GlobalFree(HGLOBAL memory)
{
    Record("GlobalFree", Name(memory));
    Object* o = Obj(memory);
    if (!o || !o->alive || o->kind != Kind::Global) {
        Error("GlobalFree of " + Name(memory) + ", which is not allocated");
        return memory;
    }
    o->alive = false;
    return nullptr;
}
