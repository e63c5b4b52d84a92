// The order form page: the form's controls over the artwork, the payment
// method selector and the total that follows State and the CD-ROM box.
#pragma once

#include "pages/CPage.h"
#include "resources/resource.h"

inline constexpr const char* PaymentMethodNames[6] = {
    "Check", "Postal Money Order - in US dollars", "Visa", "Mastercard", "American Express", "Discover",
};
constexpr int FirstCardMethod = 2;   // methods 2 to 5 are paid by card

// Indexed by priceIndex: bit 0 the CD-ROM box, bit 1 State "NY".
inline constexpr const char* PriceTexts[4] = {"$14.95 U.S.", "$24.95 U.S.", "$16.18 U.S.", "$27.00 U.S."};

inline constexpr char NoMethodText[] = "Choose Payment Method";
inline constexpr RECT PaymentMethodRect = {127, 304, 380, 322};
inline constexpr POINT TotalTextPos = {304, 362};
inline constexpr RECT TotalRect = {304, 362, 415, 380};

inline constexpr ImageButton OrderButtons[3] = {
    {ID_SAVE, {74, 412, 190, 440}, {68, 406, 196, 450}, 68, 450, nullptr},
    {ID_PRINT, {202, 412, 343, 440}, {196, 406, 350, 450}, 196, 450, nullptr},
    {ID_BACK, {356, 412, 407, 440}, {350, 406, 415, 450}, 350, 450, nullptr},
};

struct FormControl {
    int id;
    const char* className;
    int x, y, width, height;
    DWORD style;              // with the common WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP
    int textLimit;            // 0: the edit control's default
    const char* initialText;  // null: none
};

// Creation order is the tab order.
inline constexpr FormControl FormControls[11] = {
    {IDC_NAME, "EDIT", 93, 33, 309, 18, 0x50030080, 0, nullptr},
    {IDC_ADDRESS, "EDIT", 93, 60, 309, 54, 0x50031084, 0, nullptr},
    {IDC_CITY, "EDIT", 93, 123, 107, 18, 0x50030080, 0, nullptr},
    {IDC_STATE, "EDIT", 245, 123, 31, 18, 0x50030088, 2, nullptr},
    {IDC_ZIPCODE, "EDIT", 338, 123, 64, 18, 0x50030080, 0, nullptr},
    {IDC_EMAIL, "EDIT", 93, 150, 309, 18, 0x50030080, 0, nullptr},
    {IDC_HEARD, "EDIT", 248, 177, 154, 18, 0x50030080, 0, nullptr},
    {IDC_COMMENTS, "EDIT", 93, 203, 309, 45, 0x50031084, 0, nullptr},
    {IDC_CDROM, "BUTTON", 18, 253, 12, 12, 0x50030003, 0, nullptr},
    {IDC_CARDNUM, "EDIT", 63, 329, 162, 18, 0x50030080, 20, nullptr},
    {IDC_EXPDATE, "EDIT", 303, 329, 77, 18, 0x50030080, 5, "mm/yy"},
};

class CPage2 : public CPage {
public:
    CPage2(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow);
    ~CPage2() override;

    void Paint(HDC dc, const RECT* updateRect) override;
    int OnLButtonDown(int x, int y) override;

    void ShowPaymentMenu();
    void OnPaymentMethodChosen(WORD commandId);
    void UpdateTotal();

    int PaymentMethod() const { return paymentMethod; }
    int PriceIndex() const { return priceIndex; }

protected:
    HFONT formFont;
    int paymentMethod;
    int priceIndex;
    HWND controls[12];
};

HWND CreateEditField(HWND parent, HFONT font, int id, const char* initialText, const RECT& rect, int textLimit,
                     DWORD extraStyle);
HWND CreateCheckBox(HWND parent, HFONT font, int id, const char* caption, const RECT& rect);
