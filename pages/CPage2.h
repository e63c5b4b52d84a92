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

// The selector text is not clipped, and "Postal Money Order - in US dollars"
// in the form font runs about ten pixels past PaymentMethodRect's right edge.
// A method change therefore repaints up to the right edge of the page, so a
// shorter name leaves no remnant of a longer one.
inline constexpr RECT SelectorRepaintRect = {PaymentMethodRect.left, PaymentMethodRect.top, 415,
                                             PaymentMethodRect.bottom};

// One line of the form font is as tall as the single-line fields.
constexpr int FormFontHeight = 18;
// Pixels left blank each side of the text in a single-line field. The
// margins the bold font brings (five pixels a side) leave State too little
// room for "WA", whose first letter would scroll out of sight; two keep
// every state code whole there, and a card number typed in fours in Card #.
constexpr int FieldMargin = 2;

inline constexpr ImageButton OrderButtons[3] = {
    {ID_SAVE, {74, 412, 190, 440}, {68, 406, 196, 450}, 68, 450, nullptr},
    {ID_PRINT, {202, 412, 343, 440}, {196, 406, 350, 450}, 196, 450, nullptr},
    {ID_BACK, {356, 412, 407, 440}, {350, 406, 415, 450}, 350, 450, nullptr},
};

// Every control has its own tab stop and group and no border: the artwork's
// white boxes are the only frames.
constexpr DWORD ControlStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
// Edit fields scroll sideways rather than wrap, even the multi-line ones.
constexpr DWORD EditFieldStyle = ControlStyle | ES_LEFT | ES_AUTOHSCROLL;
// Address and Comments: Enter starts a new line, and the field scrolls down
// when the lines outgrow its box, so no line typed is ever refused.
constexpr DWORD MultiLineStyle = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
constexpr DWORD CheckBoxStyle = ControlStyle | BS_AUTOCHECKBOX;
static_assert(EditFieldStyle == 0x50030080, "plain edit field");
static_assert((EditFieldStyle | MultiLineStyle) == 0x500310C4, "Address and Comments");
static_assert((EditFieldStyle | ES_UPPERCASE) == 0x50030088, "State");
static_assert(CheckBoxStyle == 0x50030003, "CD-ROM box");

struct FormControl {
    enum Kind { EditField, CheckBox };
    int id;
    Kind kind;                // EditField: class "EDIT"; CheckBox: class "BUTTON"
    int x, y, width, height;
    DWORD extraStyle;         // an edit field's styles beyond EditFieldStyle
    int textLimit;            // 0: the edit control's default
    const char* initialText;  // null: none
};

// Creation order is the tab order.
inline constexpr FormControl FormControls[11] = {
    {IDC_NAME, FormControl::EditField, 93, 33, 309, 18, 0, 0, nullptr},
    {IDC_ADDRESS, FormControl::EditField, 93, 60, 309, 54, MultiLineStyle, 0, nullptr},
    {IDC_CITY, FormControl::EditField, 93, 123, 107, 18, 0, 0, nullptr},
    {IDC_STATE, FormControl::EditField, 245, 123, 31, 18, ES_UPPERCASE, 2, nullptr},
    {IDC_ZIPCODE, FormControl::EditField, 338, 123, 64, 18, 0, 0, nullptr},
    {IDC_EMAIL, FormControl::EditField, 93, 150, 309, 18, 0, 0, nullptr},
    {IDC_HEARD, FormControl::EditField, 248, 177, 154, 18, 0, 0, nullptr},
    {IDC_COMMENTS, FormControl::EditField, 93, 203, 309, 45, MultiLineStyle, 0, nullptr},
    {IDC_CDROM, FormControl::CheckBox, 18, 253, 12, 12, 0, 0, nullptr},
    {IDC_CARDNUM, FormControl::EditField, 63, 329, 162, 18, 0, 20, nullptr},
    {IDC_EXPDATE, FormControl::EditField, 303, 329, 77, 18, 0, 5, "mm/yy"},
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

    int PaymentMethod() const { return paymentMethod; }   // -1: none chosen yet
    int PriceIndex() const { return priceIndex; }

    // Set when the program is to leave this form as soon as the save or
    // print under way returns: after its next box that operation leaves the
    // form alone.
    void MarkLeaving() { leaving = true; }
    bool Leaving() const { return leaving; }

protected:
    HFONT formFont;
    int paymentMethod;
    int priceIndex;
    bool leaving;
    HWND controls[12];   // in FormControls order; the last slot stays empty
};

// Each returns the new control, or null when it could not be made.
HWND CreateEditField(HWND parent, HFONT font, int id, const char* initialText, const RECT& rect, int textLimit,
                     DWORD extraStyle);
HWND CreateCheckBox(HWND parent, HFONT font, int id, const char* caption, const RECT& rect);
