// The page base: painting from the artwork and tracking of the image buttons.
#include "pages/CPage.h"

#include "pages/GdiOwners.h"

CPage::CPage(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow)
    : buttonCount(buttonCount),
      buttons(buttons),
      message(nullptr),
      hotButton(-1),
      pressedButton(-1),
      artwork(LoadBitmapA(InstanceOf(hostWindow), MAKEINTRESOURCEA(artworkId))),
      hostWindow(hostWindow)
{
}

CPage::~CPage()
{
    if (pressedButton != -1)
        ReleaseCapture();
    DeleteObject(artwork);
}

void CPage::Paint(HDC dc, const RECT* updateRect)
{
    // Without its artwork (a damaged program file) a page shows only what the
    // derived page writes over it; the window is not erased either.
    if (!artwork)
        return;
    MemoryDC memory(dc);
    SelectedObject picture(memory, artwork);
    BitBlt(dc, updateRect->left, updateRect->top, updateRect->right - updateRect->left,
           updateRect->bottom - updateRect->top, memory, updateRect->left, updateRect->top, SRCCOPY);
    if (hotButton != -1) {
        const ImageButton& b = buttons[hotButton];
        BitBlt(dc, b.highlightRect.left, b.highlightRect.top, b.highlightRect.right - b.highlightRect.left,
               b.highlightRect.bottom - b.highlightRect.top, memory, b.sourceX, b.sourceY, SRCCOPY);
    }
}

int CPage::HitButton(int x, int y) const
{
    for (int i = 0; i < buttonCount; ++i)
        if (Contains(buttons[i].hotRect, x, y))
            return i;
    return -1;
}

void CPage::InvalidateButton(int index) const
{
    InvalidateRect(hostWindow, &buttons[index].highlightRect, TRUE);
}

int CPage::OnMouseMove(int x, int y)
{
    if (pressedButton != -1) {
        const bool on = Contains(buttons[pressedButton].hotRect, x, y);
        if (on != (hotButton == pressedButton)) {
            hotButton = on ? pressedButton : -1;
            InvalidateButton(pressedButton);
        }
        return 1;
    }
    const int hit = HitButton(x, y);
    if (hit == -1)
        return 0;
    // Message pages repaint their message area when this changes it.
    const char* hover = buttons[hit].hoverMessage;
    if (hover && hover != message)
        message = hover;
    return 1;
}

int CPage::OnLButtonDown(int x, int y)
{
    if (pressedButton != -1) {
        // The release went elsewhere (the capture was taken away): this click
        // only ends the old press.
        InvalidateButton(pressedButton);
        hotButton = pressedButton = -1;
        ReleaseCapture();
        return 1;
    }
    const int hit = HitButton(x, y);
    if (hit == -1)
        return 0;
    hotButton = pressedButton = hit;
    SetCapture(hostWindow);
    InvalidateButton(hit);
    return 1;
}

int CPage::OnLButtonUp(int, int)
{
    if (pressedButton == -1)
        return 0;
    ReleaseCapture();
    const WORD command = hotButton != -1 ? buttons[pressedButton].id : NoCommand;
    const RECT highlight = buttons[pressedButton].highlightRect;
    const HWND host = hostWindow;
    hotButton = pressedButton = -1;
    InvalidateRect(host, &highlight, TRUE);
    // The page is idle now; the command may delete it.
    if (command != NoCommand)
        SendMessageA(host, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return 1;
}
