// The phone page: the telephone text in a raised message area and the note
// about ordering online below it.
#include "pages/CPagePH.h"

#include "pages/GdiOwners.h"

CPagePH::CPagePH(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow,
                 const char* defaultMessage, const char* note)
    : CPage1_2(buttonCount, buttons, artworkId, hostWindow, defaultMessage),
      noteFont(nullptr),
      noteText(note)
{
    messageOffset = -100;   // the telephone text sits above the note
    noteFont = CreateBoldArial(18);
}

CPagePH::~CPagePH()
{
    if (noteFont) {
        DeleteObject(noteFont);
        noteFont = nullptr;
    }
}

void CPagePH::Paint(HDC dc, const RECT* updateRect)
{
    CPage1_2::Paint(dc, updateRect);
    SelectedObject font(dc, noteFont);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, 0);
    RECT area = NoteArea;
    DrawTextA(dc, noteText, -1, &area, DT_WORDBREAK);
}
