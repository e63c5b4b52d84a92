// The page base: artwork, image buttons with their held-down look,
// commands on release, hover messages for the message pages.
#pragma once

#include "pages/ImageButton.h"

class CPage {
public:
    CPage(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow);
    virtual ~CPage();
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    virtual void Paint(HDC dc, const RECT* updateRect);
    // 1 when the page took the event, else 0.
    virtual int OnMouseMove(int x, int y);
    virtual int OnLButtonDown(int x, int y);
    // Not virtual: the same for every page. May send a command that deletes
    // this page, so nothing of the page is touched after the send.
    int OnLButtonUp(int x, int y);

    HWND Host() const { return hostWindow; }

protected:
    int HitButton(int x, int y) const;
    void InvalidateButton(int index) const;

    int buttonCount;
    const ImageButton* buttons;
    const char* message;
    int hotButton;
    int pressedButton;
    HBITMAP artwork;
    HWND hostWindow;
};

// The module instance the host dialog was created with.
inline HINSTANCE InstanceOf(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}
