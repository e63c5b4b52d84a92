// The application object: start-up and shut-down of the host dialog, the
// command table, page switches and the online order page.
#include "app/Register.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>
#include <new>

#include "app/CenterWindowClient.h"
#include "app/Vendor.h"
#include "order/OrderOutput.h"
#include "pages/CPage1.h"
#include "pages/CPage2.h"
#include "pages/CPagePH.h"
#include "resources/resource.h"

namespace {

constexpr int ClientWidth = 415;    // one pixel less than the 416-pixel artwork
constexpr int ClientHeight = 450;   // the page above the strip of held-down looks
constexpr DWORD CueFlags = SND_RESOURCE | SND_ASYNC;
static_assert(CueFlags == 0x40005, "cues play from resources, asynchronously");

constexpr char ShortcutFile[] = "quintara.url";
constexpr char ShortcutText[] = "[InternetShortcut]\nURL=http://" VENDOR_WEB_HOST VENDOR_ORDER_PATH;

}  // namespace

Register::Register()
    : page(nullptr), instance(nullptr), parentWindow(nullptr), dialogWindow(nullptr), orderForm(nullptr),
      operationRunning(false), heldCommand(0)
{
}

Register::~Register()
{
    Shutdown();
}

void Register::Run()
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_HOST), parentWindow, RegisterDialogProc,
                    reinterpret_cast<LPARAM>(this));
    Shutdown();
}

void Register::Shutdown()
{
    PlaySoundA(nullptr, nullptr, SND_ASYNC);
    DeletePage();
    instance = nullptr;
    parentWindow = nullptr;
}

INT_PTR Register::OnInitDialog(HWND window)
{
    HWND hiddenCancel = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON,
                                        -100, -100, 10, 10, window, reinterpret_cast<HMENU>(IDCANCEL),
                                        InstanceOf(window), nullptr);
    SetFocus(hiddenCancel);
    dialogWindow = window;
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    ShowTopicsPage();
    return FALSE;   // the focus is set already
}

void Register::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialogWindow, &paint);
    if (page)
        page->Paint(dc, &paint.rcPaint);
    EndPaint(dialogWindow, &paint);
}

void Register::OnMouseMove(int x, int y)
{
    if (page)
        page->OnMouseMove(x, y);
}

void Register::OnLButtonDown(int x, int y)
{
    if (page)
        page->OnLButtonDown(x, y);
}

void Register::OnLButtonUp(int x, int y)
{
    if (page)
        page->OnLButtonUp(x, y);
}

// ---- Commands ---------------------------------------------------------------

struct Register::CommandRow {
    WORD first, last;                  // identifiers, inclusive
    int cue;                           // 0: no sound
    void (*action)(Register&, WORD);
    INT_PTR result;
};

const Register::CommandRow Register::Commands[] = {
    {IDCANCEL, IDCANCEL, IDW_CUE_CLICK, [](Register& r, WORD) { EndDialog(r.dialogWindow, IDCANCEL); }, 1},
    {ID_ONLINE, ID_ONLINE, IDW_CUE_ORDER, [](Register& r, WORD) { r.OpenOnlineOrderPage(); }, 0},
    {ID_PHONE, ID_PHONE, IDW_CUE_ORDER, [](Register& r, WORD) { r.ShowPhonePage(); }, 0},
    {ID_ORDERFORM, ID_ORDERFORM, IDW_CUE_ORDER, [](Register& r, WORD) { r.ShowOrderPage(); }, 0},
    {ID_BACK, ID_BACK, IDW_CUE_CLICK, [](Register& r, WORD) { r.ShowTopicsPage(); }, 0},
    // The form's own commands reach the form only; on any other page they are
    // dropped, so no other page is ever taken for an order form.
    {ID_SAVE, ID_SAVE, IDW_CUE_CLICK, [](Register& r, WORD) { r.RunOrderOperation(SaveOrder); }, 0},
    {ID_PRINT, ID_PRINT, IDW_CUE_CLICK, [](Register& r, WORD) { r.RunOrderOperation(PrintOrder); }, 0},
    {ID_METHOD_FIRST, ID_METHOD_LAST, 0,
     [](Register& r, WORD id) {
         if (r.orderForm)
             r.orderForm->OnPaymentMethodChosen(id);
     },
     0},
    {IDC_STATE, IDC_STATE, 0,
     [](Register& r, WORD) {
         if (r.orderForm)
             r.orderForm->UpdateTotal();
     },
     0},
    {IDC_CDROM, IDC_CDROM, 0,
     [](Register& r, WORD) {
         if (r.orderForm)
             r.orderForm->UpdateTotal();
     },
     0},
};

INT_PTR Register::OnCommand(WORD identifier)
{
    if (operationRunning && HoldDuringOperation(identifier))
        return identifier == IDCANCEL;
    for (const CommandRow& row : Commands) {
        if (identifier < row.first || identifier > row.last)
            continue;
        if (row.cue)
            PlayCue(row.cue);
        row.action(*this, identifier);
        return row.result;
    }
    return 0;   // IDOK (1), other fields' notifications, anything unknown
}

// Exit and the page switches wait until the save or print returns rather
// than delete the form under it: the operation then finds its form alive,
// sees that it is being left and does nothing more with it. An exit beats a
// switch; of several switches the last counts. The operation's own closing
// exit is held like any other. A second save or print is dropped.
bool Register::HoldDuringOperation(WORD identifier)
{
    switch (identifier) {
    case ID_SAVE:
    case ID_PRINT:
        return true;
    case IDCANCEL:
    case ID_PHONE:
    case ID_ORDERFORM:
    case ID_BACK:
        if (heldCommand != IDCANCEL)
            heldCommand = identifier;
        orderForm->MarkLeaving();
        return true;
    default:
        return false;
    }
}

void Register::RunOrderOperation(void (*operation)(CPage2*))
{
    if (!orderForm)
        return;
    operationRunning = true;
    operation(orderForm);
    operationRunning = false;
    const WORD held = heldCommand;
    heldCommand = 0;
    if (held)
        OnCommand(held);
}

void Register::PlayCue(int cue) const
{
    PlaySoundA(MAKEINTRESOURCEA(cue), instance, CueFlags);
}

// ---- Pages ------------------------------------------------------------------

// The old page is detached before it is deleted: destroying the form's
// controls sends focus notifications back through OnCommand, which must find
// no page then.
void Register::DeletePage()
{
    CPage* old = page;
    page = nullptr;
    orderForm = nullptr;
    delete old;
}

// With no memory for a new page the window stays blank and only Esc still
// works: there is nothing sensible left to show.
void Register::ShowNewPage()
{
    CenterWindowClient(dialogWindow, ClientWidth, ClientHeight);
    InvalidateRect(dialogWindow, nullptr, TRUE);
}

void Register::ShowTopicsPage()
{
    DeletePage();
    page = new (std::nothrow) CPage1(4, TopicsButtons, IDB_TOPICS, dialogWindow, TopicsDefaultMessage);
    ShowNewPage();
}

void Register::ShowPhonePage()
{
    DeletePage();
    page = new (std::nothrow) CPagePH(2, PhoneButtons, IDB_PHONE, dialogWindow, PhoneText, PhoneNote);
    ShowNewPage();
}

void Register::ShowOrderPage()
{
    DeletePage();
    orderForm = new (std::nothrow) CPage2(3, OrderButtons, IDB_ORDERFORM, dialogWindow);
    page = orderForm;
    ShowNewPage();
}

void Register::OpenOnlineOrderPage()
{
    FILE* file = fopen(ShortcutFile, "wt");
    if (!file)
        return;
    fputs(ShortcutText, file);
    fclose(file);
    ShellExecuteA(dialogWindow, nullptr, ShortcutFile, nullptr, nullptr, SW_SHOW);
}

// ---- Dialog procedure -------------------------------------------------------

INT_PTR CALLBACK RegisterDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return reinterpret_cast<Register*>(lParam)->OnInitDialog(window);
    Register* app = reinterpret_cast<Register*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!app)
        return 0;   // before WM_INITDIALOG: the platform's default handling
    switch (message) {
    case WM_COMMAND: return app->OnCommand(LOWORD(wParam));
    case WM_PAINT: app->OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;   // every page repaints from its artwork
    case WM_MOUSEMOVE: app->OnMouseMove(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_LBUTTONDOWN: app->OnLButtonDown(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_LBUTTONUP: app->OnLButtonUp(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_DESTROY: app->Shutdown(); return 0;
    default: return 0;
    }
}
