// Stand-in for <windows.h> in the native build: the types, constants and
// functions the program calls, implemented by FakeWin32.cpp, which records
// every call and answers from values a test can script (see FakeWin32.h).
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK

typedef int BOOL, INT;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* LPVOID;
typedef intptr_t INT_PTR, LONG_PTR, LPARAM, LRESULT;
typedef uintptr_t UINT_PTR, WPARAM;
typedef DWORD COLORREF;

// Each handle type distinct, as with STRICT.
#define DECLARE_FAKE_HANDLE(name) \
    struct name##__ { int unused; }; \
    typedef struct name##__* name
DECLARE_FAKE_HANDLE(HWND);
DECLARE_FAKE_HANDLE(HDC);
DECLARE_FAKE_HANDLE(HINSTANCE);
DECLARE_FAKE_HANDLE(HMENU);
DECLARE_FAKE_HANDLE(HBITMAP);
DECLARE_FAKE_HANDLE(HFONT);
DECLARE_FAKE_HANDLE(HPEN);
#undef DECLARE_FAKE_HANDLE
typedef HINSTANCE HMODULE;
typedef void *HGDIOBJ, *HGLOBAL;

#define TRUE 1
#define FALSE 0

struct RECT { LONG left, top, right, bottom; };
struct POINT { LONG x, y; };
struct SIZE { LONG cx, cy; };
typedef RECT* LPRECT;
typedef POINT* LPPOINT;
typedef SIZE* LPSIZE;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore, fIncUpdate;
    BYTE rgbReserved[32];
};

#define LF_FACESIZE 32
struct LOGFONTA {
    LONG lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
    BYTE lfItalic, lfUnderline, lfStrikeOut, lfCharSet;
    BYTE lfOutPrecision, lfClipPrecision, lfQuality, lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];
};

struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode, hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage, nToPage, nMinPage, nMaxPage, nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    UINT_PTR (*lpfnPrintHook)(HWND, UINT, WPARAM, LPARAM);
    UINT_PTR (*lpfnSetupHook)(HWND, UINT, WPARAM, LPARAM);
    LPCSTR lpPrintTemplateName, lpSetupTemplateName;
    HGLOBAL hPrintTemplate, hSetupTemplate;
};

struct DOCINFOA {
    int cbSize;
    LPCSTR lpszDocName, lpszOutput, lpszDatatype;
    DWORD fwType;
};

typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

#define LOWORD(l) ((WORD)(((UINT_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((UINT_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) ((LONG)(((WORD)(a)) | ((DWORD)((WORD)(b))) << 16))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKEINTRESOURCEA(i) ((LPSTR)((UINT_PTR)((WORD)(i))))
#define IS_INTRESOURCE(p) ((((UINT_PTR)(p)) >> 16) == 0)
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))

// Messages
#define WM_DESTROY       0x0002
#define WM_PAINT         0x000F
#define WM_ERASEBKGND    0x0014
#define WM_SETFONT       0x0030
#define WM_INITDIALOG    0x0110
#define WM_COMMAND       0x0111
#define WM_MOUSEMOVE     0x0200
#define WM_LBUTTONDOWN   0x0201
#define WM_LBUTTONUP     0x0202
#define EM_LIMITTEXT     0x00C5
#define BM_GETCHECK      0x00F0
#define BST_CHECKED      1

// Window styles
#define WS_CHILD         0x40000000L
#define WS_VISIBLE       0x10000000L
#define WS_GROUP         0x00020000L
#define WS_TABSTOP       0x00010000L
#define ES_LEFT          0x0000L
#define ES_MULTILINE     0x0004L
#define ES_UPPERCASE     0x0008L
#define ES_AUTOVSCROLL   0x0040L
#define ES_AUTOHSCROLL   0x0080L
#define ES_WANTRETURN    0x1000L
#define BS_PUSHBUTTON    0x0000L
#define BS_AUTOCHECKBOX  0x0003L

#define IDOK     1
#define IDCANCEL 2
#define DWLP_USER      ((int)(sizeof(LRESULT) + sizeof(DLGPROC)))
#define GWLP_HINSTANCE (-6)
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SW_SHOW 5
#define MB_OK 0x00000000L
#define MB_ICONEXCLAMATION 0x00000030L
#define MF_STRING  0x00000000L
#define MF_CHECKED 0x00000008L
#define TPM_LEFTALIGN   0x0000L
#define TPM_TOPALIGN    0x0000L
#define TPM_LEFTBUTTON  0x0000L
#define COLOR_MENU 4
#define COLOR_MENUTEXT 7

#define SRCCOPY 0x00CC0020
#define TRANSPARENT 1
#define OPAQUE 2
#define TA_LEFT 0
#define TA_TOP 0
#define PS_SOLID 0
#define FW_BOLD 700
#define DT_WORDBREAK 0x00000010
#define HORZRES 8
#define VERTRES 10

#define SND_ASYNC    0x0001
#define SND_RESOURCE 0x00040004L
#define PD_RETURNDC 0x00000100
#define PD_COLLATE  0x00000010

// user32
INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);
BOOL EndDialog(HWND, INT_PTR);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE, LPVOID);
BOOL DestroyWindow(HWND);
HWND SetFocus(HWND);
LONG_PTR SetWindowLongPtrA(HWND, int, LONG_PTR);
LONG_PTR GetWindowLongPtrA(HWND, int);
HDC BeginPaint(HWND, PAINTSTRUCT*);
BOOL EndPaint(HWND, const PAINTSTRUCT*);
BOOL InvalidateRect(HWND, const RECT*, BOOL);
HWND SetCapture(HWND);
BOOL ReleaseCapture();
LRESULT SendMessageA(HWND, UINT, WPARAM, LPARAM);
int GetSystemMetrics(int);
BOOL GetWindowRect(HWND, LPRECT);
BOOL GetClientRect(HWND, LPRECT);
BOOL MoveWindow(HWND, int, int, int, int, BOOL);
HDC GetDC(HWND);
int ReleaseDC(HWND, HDC);
int DrawTextA(HDC, LPCSTR, int, LPRECT, UINT);
HWND GetDlgItem(HWND, int);
UINT GetDlgItemTextA(HWND, int, LPSTR, int);
BOOL SetDlgItemTextA(HWND, int, LPCSTR);
HMENU CreatePopupMenu();
BOOL AppendMenuA(HMENU, UINT, UINT_PTR, LPCSTR);
BOOL TrackPopupMenu(HMENU, UINT, int, int, int, HWND, const RECT*);
BOOL DestroyMenu(HMENU);
BOOL ClientToScreen(HWND, LPPOINT);
int MessageBoxA(HWND, LPCSTR, LPCSTR, UINT);
int wsprintfA(LPSTR, LPCSTR, ...);
DWORD GetSysColor(int);
HBITMAP LoadBitmapA(HINSTANCE, LPCSTR);

// gdi32
HDC CreateCompatibleDC(HDC);
HGDIOBJ SelectObject(HDC, HGDIOBJ);
BOOL BitBlt(HDC, int, int, int, int, HDC, int, int, DWORD);
BOOL DeleteDC(HDC);
BOOL DeleteObject(HGDIOBJ);
HFONT CreateFontIndirectA(const LOGFONTA*);
HPEN CreatePen(int, int, COLORREF);
COLORREF SetTextColor(HDC, COLORREF);
COLORREF SetBkColor(HDC, COLORREF);
int SetBkMode(HDC, int);
UINT SetTextAlign(HDC, UINT);
BOOL TextOutA(HDC, int, int, LPCSTR, int);
BOOL GetTextExtentPoint32A(HDC, LPCSTR, int, LPSIZE);
BOOL MoveToEx(HDC, int, int, LPPOINT);
BOOL LineTo(HDC, int, int);
int StartDocA(HDC, const DOCINFOA*);
int StartPage(HDC);
int EndPage(HDC);
int EndDoc(HDC);
int GetDeviceCaps(HDC, int);

// kernel32, winmm, shell32, comdlg32
HGLOBAL GlobalFree(HGLOBAL);
BOOL PlaySoundA(LPCSTR, HMODULE, DWORD);
HINSTANCE ShellExecuteA(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
BOOL PrintDlgA(PRINTDLGA*);
