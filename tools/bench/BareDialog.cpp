// The start-up yardstick: an empty dialog of the order helper's size that
// paints the first page's artwork and nothing else, so a start-up timing of
// the order helper can be read against the least any such window costs.
#include <windows.h>

#include "resources/resource.h"

namespace {

constexpr int ClientWidth = 415;
constexpr int ClientHeight = 450;

HBITMAP artwork;

// The same sizing and centring as the order helper's host window.
void CenterClient(HWND window)
{
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int outerWidth = ClientWidth + (outer.right - outer.left) - (client.right - client.left);
    const int outerHeight = ClientHeight + (outer.bottom - outer.top) - (client.bottom - client.top);
    MoveWindow(window, (GetSystemMetrics(SM_CXSCREEN) - outerWidth) >> 1,
               (GetSystemMetrics(SM_CYSCREEN) - outerHeight) >> 1, outerWidth, outerHeight, TRUE);
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, artwork);
    const RECT& r = paint.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left, r.top, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

INT_PTR CALLBACK BareDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterClient(window);
        SetFocus(window);   // no controls: Esc reaches the dialog only this way
        return FALSE;
    case WM_ERASEBKGND: return 1;   // the artwork covers every pixel
    case WM_PAINT: Paint(window); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            EndDialog(window, IDCANCEL);   // Esc
        return TRUE;
    default: return 0;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    artwork = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_TOPICS));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_HOST), nullptr, BareDialogProc, 0);
    DeleteObject(artwork);
    return 0;
}
