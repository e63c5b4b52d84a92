// The message page: a title line and a message area over the artwork.
#pragma once

#include "pages/CPage.h"

inline constexpr char TitleText[] = "Zorbel Solitaire";
// Where message pages write their message, before their own offset.
inline constexpr RECT MessageArea = {100, 200, 400, 400};

class CPage1_2 : public CPage {
public:
    CPage1_2(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow,
             const char* defaultMessage);
    ~CPage1_2() override;

    void Paint(HDC dc, const RECT* updateRect) override;
    int OnMouseMove(int x, int y) override;

protected:
    // MessageArea moved by this page's messageOffset.
    RECT PageMessageArea() const;
    void InvalidateMessageArea() const;

    HFONT smallFont;
    HFONT largeFont;
    int defaultInSmallFont;
    int messageOffset;
    const char* defaultMessage;
};
