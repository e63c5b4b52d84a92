// The message page: the title line and the message area over the artwork.
#include "pages/CPage1_2.h"

#include "pages/GdiOwners.h"

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
}

CPage1_2::CPage1_2(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow,
                   const char* defaultMessage)
    : CPage(buttonCount, buttons, artworkId, hostWindow),
      smallFont(CreateBoldArial(20)),
      largeFont(CreateBoldArial(28)),
      defaultInSmallFont(1),
      messageOffset(0),
      defaultMessage(defaultMessage)
{
}

CPage1_2::~CPage1_2()
{
    if (largeFont) {
        DeleteObject(largeFont);
        largeFont = nullptr;
    }
    if (smallFont) {
        DeleteObject(smallFont);
        smallFont = nullptr;
    }
}

RECT CPage1_2::PageMessageArea() const
{
    return RECT{MessageArea.left, MessageArea.top + messageOffset, MessageArea.right,
                MessageArea.bottom + messageOffset};
}

void CPage1_2::InvalidateMessageArea() const
{
    const RECT area = PageMessageArea();
    InvalidateRect(hostWindow, &area, TRUE);
}

// Runs on every paint cycle whatever the update rectangle: the clipping of
// the paint DC keeps the text inside the part being repainted.
void CPage1_2::Paint(HDC dc, const RECT* updateRect)
{
    CPage::Paint(dc, updateRect);
    SelectedObject font(dc, largeFont);
    SetTextColor(dc, White);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, 0);
    TextOutA(dc, 20, 20, TitleText, sizeof TitleText - 1);
    if (!message)
        return;   // no message yet (or a topic was just left): the area stays empty
    if (message != defaultMessage || defaultInSmallFont)
        SelectObject(dc, smallFont);   // the kept font still goes back at the end
    RECT area = PageMessageArea();
    DrawTextA(dc, message, -1, &area, DT_WORDBREAK);
}

int CPage1_2::OnMouseMove(int x, int y)
{
    const char* shown = message;
    if (CPage::OnMouseMove(x, y)) {
        // The base picks a button's hover message but knows nothing of
        // message areas; only this page knows where its message is drawn.
        if (message != shown)
            InvalidateMessageArea();
        return 1;
    }
    if (message == defaultMessage)
        return 0;
    message = defaultMessage;
    InvalidateMessageArea();
    return 1;
}
