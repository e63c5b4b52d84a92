// Sizing and centring a window around a client area of a given size.
#pragma once

#include <windows.h>

void CenterWindowClient(HWND window, int width, int height);
