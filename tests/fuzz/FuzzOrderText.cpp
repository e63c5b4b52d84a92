// Any form, method and price: the order text never runs past its room (ASan
// watches a buffer of exactly that size), and an accepted one opens with the header.
#include <windows.h>

#include "order/OrderText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fake::state = fake::State{};
    CPage2 page(3, OrderButtons, IDB_ORDERFORM, fake::Dialog(nullptr, 0));
    std::string rest(reinterpret_cast<const char*>(data), size);
    // Each field: the next piece up to a NUL, four times over (for the 511-character cut), past any control's limit.
    for (int id = IDC_NAME; id <= IDC_EXPDATE; ++id) {
        const std::string piece = rest.substr(0, rest.find('\0'));
        rest.erase(0, piece.size() + 1);
        SetDlgItemTextA(page.Host(), id, (piece + piece + piece + piece).c_str());
    }
    fake::Item(page.Host(), IDC_CDROM).check = size % 2;   // with State "NY" or not, any of the four prices
    page.UpdateTotal();
    page.OnPaymentMethodChosen(WORD(ID_METHOD_FIRST - 1 + size % 7));   // 499: none
    std::vector<char> text(OrderTextSize);
    if (ComposeOrderText(&page, text.data()) == 0 && std::string(text.data()).rfind(order_text::Header, 0) != 0)
        std::abort();
    return 0;
}
