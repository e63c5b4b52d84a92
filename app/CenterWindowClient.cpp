// Sizing and centring the host window around a client area.
#include "app/CenterWindowClient.h"

void CenterWindowClient(HWND window, int width, int height)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int outerWidth = width + (outer.right - outer.left) - (client.right - client.left);
    const int outerHeight = height + (outer.bottom - outer.top) - (client.bottom - client.top);
    // Shift, not divide: on a screen smaller than the window both edges
    // overhang alike, rounding toward minus infinity.
    MoveWindow(window, (screenWidth - outerWidth) >> 1, (screenHeight - outerHeight) >> 1, outerWidth, outerHeight,
               TRUE);
}
