// Saving the order as "My Order.txt" and printing it on one page; either way
// the user is thanked and the program closes.

// First of all: any C++ standard header switches stdio over to mingw's own
// printf engine, several kilobytes of code that a 486 cannot all run. Taken
// first, stdio stays msvcrt.dll's.
#include <stdio.h>

#include "order/OrderOutput.h"

#include <windows.h>

#include <commdlg.h>   // after windows.h, which it needs

#include <cstdio>
#include <cstring>

#include "app/Vendor.h"
#include "order/OrderText.h"

// The platform checks these sizes; the 32-bit headers pack the print dialog
// request to 66 bytes.
static_assert(sizeof(void*) != 4 || sizeof(PRINTDLGA) == 66, "PRINTDLGA as the 32-bit print dialog expects it");
static_assert(sizeof(void*) != 4 || sizeof(DOCINFOA) == 20, "DOCINFOA as the 32-bit spooler expects it");

namespace {

constexpr char OrderFileName[] = "My Order.txt";
constexpr char SavedMessage[] =
    "A text file called \"My Order.txt\" has been saved in the same directory as the game. Please e-mail either "
    "the file itself or the text to us at  " VENDOR_SALES_EMAIL ". ";
constexpr char SavedCaption[] = "Thank you!";
constexpr char PrintedMessage[] = "Thank you!";
constexpr char PrintedCaption[] = " ";

// The host plays its cue and ends the program.
void ThankAndClose(HWND host, const char* message, const char* caption)
{
    MessageBoxA(host, message, caption, MB_OK | MB_ICONEXCLAMATION);
    SendMessageA(host, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
}

}  // namespace

void SaveOrder(CPage2* page)
{
    char text[OrderTextSize];
    if (ComposeOrderText(page, text))
        return;
    AppendToOrder(text, HowToSubmitBlock);

    // Nothing to tell the user when the file cannot be made: the form stays
    // and the button can be pressed again.
    FILE* file = std::fopen(OrderFileName, "wt");
    if (!file)
        return;
    std::fprintf(file, "%s", text);
    std::fclose(file);
    ThankAndClose(page->Host(), SavedMessage, SavedCaption);
}

void PrintOrder(CPage2* page)
{
    char text[OrderTextSize];
    if (ComposeOrderText(page, text))
        return;

    // Built afresh each time, so no printer choice carries over.
    HWND host = page->Host();
    PRINTDLGA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = host;
    request.Flags = PD_RETURNDC | PD_COLLATE;
    request.nCopies = 1;
    const BOOL chosen = PrintDlgA(&request);
    // The device settings the dialog hands back are never used again: freed at once.
    if (request.hDevMode)
        GlobalFree(request.hDevMode);
    if (request.hDevNames)
        GlobalFree(request.hDevNames);
    if (!chosen || !request.hDC)
        return;
    // Left while the dialog was up: the order is not printed after all.
    if (page->Leaving()) {
        DeleteDC(request.hDC);
        return;
    }

    // A document or page that fails to start or end is lost; the user is
    // thanked all the same.
    HDC printer = request.hDC;
    const DOCINFOA document = {sizeof(DOCINFOA), "", nullptr, nullptr, 0};
    if (StartDocA(printer, &document) > 0 && StartPage(printer) >= 0) {
        const int width = GetDeviceCaps(printer, HORZRES);
        const int height = GetDeviceCaps(printer, VERTRES);
        RECT area = {0, 0, width, height};   // the whole printable area, no margin
        DrawTextA(printer, text, static_cast<int>(std::strlen(text)), &area, DT_WORDBREAK);
        if (EndPage(printer) >= 0)
            EndDoc(printer);
    }
    DeleteDC(printer);
    ThankAndClose(host, PrintedMessage, PrintedCaption);
}
