// The topics page: the four topic lines, their answers on hover, the sound
// when a topic is entered.
#include "pages/CPage1.h"

#include <mmsystem.h>

#include <cstring>

#include "pages/GdiOwners.h"

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);
constexpr int TopicLeft = 20;
constexpr int FirstTopicTop = 50;
constexpr int TopicSpacing = 30;   // 26 rows of line, 4 rows of gap
constexpr int TopicHeight = 25;    // bottom - top; both edges hit
constexpr int UnderlineRise = 3;   // underline this far above the bottom
}  // namespace

CPage1::CPage1(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow,
               const char* defaultMessage)
    : CPage1_2(buttonCount, buttons, artworkId, hostWindow, defaultMessage)
{
    // The lines are measured once in the font they are drawn in.
    {
        WindowDC dc(hostWindow);
        SelectedObject font(dc, smallFont);
        for (int i = 0; i < 4; ++i) {
            SIZE extent{};
            GetTextExtentPoint32A(dc, TopicTitles[i], static_cast<int>(std::strlen(TopicTitles[i])), &extent);
            const int top = FirstTopicTop + TopicSpacing * i;
            topicRects[i] = RECT{TopicLeft, top, TopicLeft + extent.cx, top + TopicHeight};
        }
    }
    defaultInSmallFont = 0;   // "Choose a topic..." stands out in the large font
}

CPage1::~CPage1() = default;

int CPage1::HitTopic(int x, int y) const
{
    for (int i = 0; i < 4; ++i)
        if (Contains(topicRects[i], x, y))
            return i;
    return -1;
}

void CPage1::InvalidateTopic(int index) const
{
    InvalidateRect(hostWindow, &topicRects[index], TRUE);
}

void CPage1::Paint(HDC dc, const RECT* updateRect)
{
    CPage1_2::Paint(dc, updateRect);
    SelectedObject font(dc, smallFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, 0);
    Pen whitePen(2, White);
    Pen greyPen(2, Grey);
    for (int i = 0; i < 4; ++i) {
        const bool selected = message == TopicAnswers[i];
        const RECT& r = topicRects[i];
        SetTextColor(dc, selected ? White : Grey);
        SelectedObject pen(dc, selected ? whitePen : greyPen);
        TextOutA(dc, r.left, r.top, TopicTitles[i], static_cast<int>(std::strlen(TopicTitles[i])));
        MoveToEx(dc, r.left, r.bottom - UnderlineRise, nullptr);
        LineTo(dc, r.right, r.bottom - UnderlineRise);
    }
}

// The topic lines come before the buttons and react even while a button is
// held: the answers stay readable during a press.
int CPage1::OnMouseMove(int x, int y)
{
    const int hit = HitTopic(x, y);
    if (hit != -1) {
        if (message == TopicAnswers[hit])
            return 1;
        for (int i = 0; i < 4; ++i)
            if (i != hit && message == TopicAnswers[i])
                InvalidateTopic(i);
        PlaySoundA(MAKEINTRESOURCEA(IDW_CUE_CLICK), InstanceOf(hostWindow), SND_RESOURCE | SND_ASYNC);
        message = TopicAnswers[hit];
        InvalidateTopic(hit);
        InvalidateMessageArea();
        return 1;
    }
    for (int i = 0; i < 4; ++i) {
        if (message == TopicAnswers[i]) {
            message = nullptr;
            InvalidateTopic(i);
        }
    }
    return CPage1_2::OnMouseMove(x, y);
}
