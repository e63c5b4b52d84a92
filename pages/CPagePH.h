// The phone page: the order telephone numbers and a note about ordering online.
#pragma once

#include "app/Vendor.h"
#include "pages/CPage1_2.h"
#include "resources/resource.h"

inline constexpr char PhoneText[] =
    "Call us now at:\n" VENDOR_PHONE_US "\nOutside the U.S. call:\n" VENDOR_PHONE_WORLD
    "\n\nOur office hours are 10 a.m. to 6 p.m. Eastern Standard Time. If we're not open right now, "
    "consider using the internet as it is easy, fast and secure!";

inline constexpr char PhoneNote[] =
    "(to order on-line,click the \"back\" button and then the \"register on-line\" button.)";

inline constexpr RECT NoteArea = {100, 300, 400, 400};

inline constexpr ImageButton PhoneButtons[2] = {
    {ID_BACK, {292, 412, 325, 440}, {285, 406, 350, 450}, 285, 450, nullptr},
    {IDCANCEL, {356, 412, 407, 440}, {350, 406, 415, 450}, 350, 450, nullptr},
};

class CPagePH : public CPage1_2 {
public:
    CPagePH(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow,
            const char* defaultMessage, const char* note);
    ~CPagePH() override;

    void Paint(HDC dc, const RECT* updateRect) override;

protected:
    HFONT noteFont;
    const char* noteText;
};
