// Fuzzes the order composition: any form contents, payment method and price
// must give a complete order holding every field read, or a refusal, and
// never a write past the order's room (ASan watches the exact-size buffer).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FakeWin32.h"
#include "order/OrderText.h"

namespace {

constexpr int FieldCount = 10;   // IDC_NAME to IDC_EXPDATE, in the order the order reads them

constexpr char ExpectedHeader[] =
    "Zorbel Solitaire v.1.0\n------ For Windows 95/98 -----\n\nPlease register me for Zorbel Solitaire.\n\n"
    "I authorize Quintara Software to bill my credit card once in the amount of ";

void Check(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "order text fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const int method = data[0] % 7 - 1;   // -1: none chosen
    const int priceIndex = data[1] % 4;
    const int repeats = 1 + 4 * data[2];   // short inputs still reach the 511-character cut
    const std::string rest(reinterpret_cast<const char*>(data + 3), size - 3);

    // The rest, split at NUL bytes (no control holds one), fills the fields
    // in order, each piece repeated; State, Card # and Exp. Date keep to
    // their controls' limits.
    std::string values[FieldCount];
    for (size_t i = 0, from = 0; i < FieldCount && from < rest.size(); ++i) {
        const size_t end = std::min(rest.find('\0', from), rest.size());
        for (int r = 0; r < repeats; ++r)
            values[i] += rest.substr(from, end - from);
        const size_t limit = static_cast<size_t>(order_text::FieldLimit(IDC_NAME + static_cast<int>(i)));
        if (limit < static_cast<size_t>(FieldReadSize - 1) && values[i].size() > limit)
            values[i].resize(limit);
        from = end + 1;
    }

    fake::Reset();
    HWND host = fake::CreateHost();
    std::unique_ptr<CPage2> page(new CPage2(3, OrderButtons, IDB_ORDERFORM, host));
    fake::SetCheck(host, IDC_CDROM, priceIndex & 1 ? BST_CHECKED : 0);
    fake::SetItemText(host, IDC_STATE, priceIndex & 2 ? "NY" : "");
    page->UpdateTotal();
    Check(page->PriceIndex() == priceIndex, "the price index did not follow the form");
    for (int i = 0; i < FieldCount; ++i)
        fake::SetItemText(host, IDC_NAME + i, values[i]);
    if (method >= 0)
        page->OnPaymentMethodChosen(static_cast<WORD>(ID_METHOD_FIRST + method));
    fake::ClearLog();

    std::unique_ptr<char[]> text(new char[OrderTextSize]);
    const int result = ComposeOrderText(page.get(), text.get());
    Check(result == 0 || result == 1, "result is neither 0 nor 1");
    Check(fake::Calls("MessageBoxA").size() == static_cast<size_t>(result), "one message for a refusal, else none");
    if (result == 1)
        return 0;
    const size_t length = std::strlen(text.get());
    Check(std::strncmp(text.get(), ExpectedHeader, sizeof ExpectedHeader - 1) == 0, "the header is missing");

    // Every field read is in the text, cut at 511 characters.
    size_t read = 0;
    for (const std::string& call : fake::Calls("GetDlgItemTextA")) {
        const int i = std::atoi(call.c_str() + call.find(", ") + 2) - IDC_NAME;
        Check(i >= 0 && i < FieldCount && std::strstr(text.get(), values[i].substr(0, FieldReadSize - 1).c_str()),
              "a field read is missing from the order");
        ++read;
    }
    Check(read == (method >= FirstCardMethod ? 10u : 8u), "the wrong number of fields was read");

    // The closing block that saving appends fits whole as well.
    AppendToOrder(text.get(), HowToSubmitBlock);
    Check(std::strcmp(text.get() + length, HowToSubmitBlock) == 0, "the closing block was cut");
    return 0;
}
