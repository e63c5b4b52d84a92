// The order form page: its controls, the payment method selector and menu,
// and the total that follows State and the CD-ROM box.
#include "pages/CPage2.h"

#include <cstring>

#include "pages/GdiOwners.h"

namespace {

constexpr char NewYork[] = "NY";   // compared byte for byte; the field upper-cases what is typed
constexpr int StateBufferSize = 30;

HWND CreateControl(HWND parent, HFONT font, int id, const char* className, const char* text, DWORD style,
                   const RECT& rect)
{
    HWND control = CreateWindowExA(0, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                   InstanceOf(parent), nullptr);
    if (control)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return control;
}

// The menu lives only while it is tracked.
class PopupMenu {
public:
    PopupMenu() : menu(CreatePopupMenu()) {}
    ~PopupMenu()
    {
        if (menu)
            DestroyMenu(menu);
    }
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    operator HMENU() const { return menu; }

private:
    HMENU menu;
};

void TextAt(HDC dc, POINT at, const char* text)
{
    TextOutA(dc, at.x, at.y, text, static_cast<int>(std::strlen(text)));
}

}  // namespace

HWND CreateEditField(HWND parent, HFONT font, int id, const char* initialText, const RECT& rect, int textLimit,
                     DWORD extraStyle)
{
    HWND field = CreateControl(parent, font, id, "EDIT", initialText, EditFieldStyle | extraStyle, rect);
    if (field && textLimit)
        SendMessageA(field, EM_LIMITTEXT, static_cast<WPARAM>(textLimit), 0);
    // The bold font's own margins hide a state code's first letter; set after WM_SETFONT, which resets them.
    if (field && !(extraStyle & ES_MULTILINE))
        SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(FieldMargin, FieldMargin));
    return field;
}

HWND CreateCheckBox(HWND parent, HFONT font, int id, const char* caption, const RECT& rect)
{
    return CreateControl(parent, font, id, "BUTTON", caption, CheckBoxStyle, rect);
}

CPage2::CPage2(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow)
    : CPage(buttonCount, buttons, artworkId, hostWindow),
      formFont(CreateBoldArial(FormFontHeight)),
      paymentMethod(-1),
      priceIndex(0),
      leaving(false),
      controls{}
{
    // A control that cannot be made leaves its slot empty; the form works on without it.
    int slot = 0;
    for (const FormControl& c : FormControls) {
        const RECT rect = {c.x, c.y, c.x + c.width, c.y + c.height};
        controls[slot++] = c.kind == FormControl::CheckBox
                               ? CreateCheckBox(hostWindow, formFont, c.id, c.initialText, rect)
                               : CreateEditField(hostWindow, formFont, c.id, c.initialText, rect, c.textLimit,
                                                 c.extraStyle);
    }
    SetFocus(GetDlgItem(hostWindow, IDC_NAME));
}

// The controls go before the font they use, and both before the artwork,
// which the base releases.
CPage2::~CPage2()
{
    for (HWND& control : controls) {
        if (control) {
            DestroyWindow(control);
            control = nullptr;
        }
    }
    if (formFont) {
        DeleteObject(formFont);
        formFont = nullptr;
    }
}

// Both texts are drawn whole; the paint context clips them to the update.
void CPage2::Paint(HDC dc, const RECT* updateRect)
{
    CPage::Paint(dc, updateRect);

    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SelectedObject font(dc, formFont);
    TextAt(dc, TotalTextPos, PriceTexts[priceIndex]);

    // Only the text's own cell takes the menu colour; the rest of the
    // selector shows the artwork.
    const char* method = paymentMethod >= 0 ? PaymentMethodNames[paymentMethod] : NoMethodText;
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    TextAt(dc, POINT{PaymentMethodRect.left, PaymentMethodRect.top}, method);
}

// The image buttons come first; they lie clear of the selector anyway.
int CPage2::OnLButtonDown(int x, int y)
{
    if (CPage::OnLButtonDown(x, y))
        return 1;
    if (!Contains(PaymentMethodRect, x, y))
        return 0;
    ShowPaymentMenu();
    return 1;
}

// The choice arrives later as a command (500 plus the method's index), so
// nothing here depends on what was picked.
void CPage2::ShowPaymentMenu()
{
    PopupMenu menu;
    if (!menu)
        return;
    for (int i = 0; i < 6; ++i)
        AppendMenuA(menu, i == paymentMethod ? MF_CHECKED : MF_STRING, ID_METHOD_FIRST + i, PaymentMethodNames[i]);
    POINT anchor = {PaymentMethodRect.left, PaymentMethodRect.bottom};
    ClientToScreen(hostWindow, &anchor);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, anchor.x, anchor.y, 0, hostWindow, nullptr);
}

void CPage2::OnPaymentMethodChosen(WORD commandId)
{
    // Only the menu's own six ids name a method.
    if (commandId < ID_METHOD_FIRST || commandId > ID_METHOD_LAST)
        return;
    paymentMethod = commandId - ID_METHOD_FIRST;
    InvalidateRect(hostWindow, &SelectorRepaintRect, TRUE);
}

// Called for every notification of State and the CD-ROM box, so it repaints
// only when the total really changes.
void CPage2::UpdateTotal()
{
    HWND cdrom = GetDlgItem(hostWindow, IDC_CDROM);
    const int withCdrom = cdrom && SendMessageA(cdrom, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    char state[StateBufferSize] = "";
    GetDlgItemTextA(hostWindow, IDC_STATE, state, StateBufferSize);
    const int index = withCdrom + (std::strcmp(state, NewYork) == 0 ? 2 : 0);
    if (index == priceIndex)
        return;
    priceIndex = index;
    InvalidateRect(hostWindow, &TotalRect, TRUE);
}
