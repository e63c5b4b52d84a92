// Fuzzes the order composition: any form contents, payment method and price
// must give a complete order holding every field read, or a refusal, and
// never a write past the order's room (ASan watches the exact-size buffer).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FakeWin32.h"
#include "order/OrderText.h"

namespace {

constexpr int Fields[] = {IDC_NAME,  IDC_ADDRESS, IDC_CITY,     IDC_STATE,   IDC_ZIPCODE,
                          IDC_EMAIL, IDC_HEARD,   IDC_COMMENTS, IDC_CARDNUM, IDC_EXPDATE};
constexpr int FieldCount = sizeof Fields / sizeof Fields[0];

constexpr char ExpectedHeader[] =
    "Zorbel Solitaire v.1.0\n------ For Windows 95/98 -----\n\nPlease register me for Zorbel Solitaire.\n\n"
    "I authorize Quintara Software to bill my credit card once in the amount of ";

void Fail(const char* what)
{
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
    data += 3;
    size -= 3;

    // The rest, split at NUL bytes (no control holds one), fills the fields
    // in order, each piece repeated; State, Card # and Exp. Date keep to
    // their controls' limits.
    std::string values[FieldCount];
    for (int i = 0; i < FieldCount && size > 0; ++i) {
        const uint8_t* end = static_cast<const uint8_t*>(std::memchr(data, 0, size));
        const size_t length = end ? static_cast<size_t>(end - data) : size;
        for (int r = 0; r < repeats; ++r)
            values[i].append(reinterpret_cast<const char*>(data), length);
        const size_t limit = static_cast<size_t>(order_text::FieldLimit(Fields[i]));
        if (values[i].size() > limit && limit < FieldReadSize - 1)
            values[i].resize(limit);
        data += end ? length + 1 : length;
        size -= end ? length + 1 : length;
    }

    fake::Reset();
    HWND host = fake::CreateHost();
    std::unique_ptr<CPage2> page(new CPage2(3, OrderButtons, IDB_ORDERFORM, host));
    fake::SetCheck(host, IDC_CDROM, priceIndex & 1 ? BST_CHECKED : 0);
    fake::SetItemText(host, IDC_STATE, priceIndex & 2 ? "NY" : "");
    page->UpdateTotal();
    if (page->PriceIndex() != priceIndex)
        Fail("the price index did not follow the form");
    for (int i = 0; i < FieldCount; ++i)
        fake::SetItemText(host, Fields[i], values[i]);
    if (method >= 0)
        page->OnPaymentMethodChosen(static_cast<WORD>(ID_METHOD_FIRST + method));
    fake::ClearLog();

    std::unique_ptr<char[]> text(new char[OrderTextSize]);
    const int result = ComposeOrderText(page.get(), text.get());
    if (result != 0 && result != 1)
        Fail("result is neither 0 nor 1");
    const size_t messages = fake::Calls("MessageBoxA").size();
    if (result == 1) {
        if (messages != 1)
            Fail("a refusal shows exactly one message");
        return 0;
    }
    if (messages != 0)
        Fail("a complete order shows no message");

    const size_t length = std::strlen(text.get());
    if (length >= static_cast<size_t>(OrderTextSize))
        Fail("the order overran its room");
    if (std::strncmp(text.get(), ExpectedHeader, sizeof ExpectedHeader - 1) != 0)
        Fail("the order does not start with the header");

    // Every field read is in the text, cut at 511 characters.
    size_t read = 0;
    for (const std::string& call : fake::Calls("GetDlgItemTextA")) {
        const int id = std::atoi(call.c_str() + call.find(", ") + 2);
        for (int i = 0; i < FieldCount; ++i) {
            if (Fields[i] != id)
                continue;
            const std::string kept = values[i].substr(0, FieldReadSize - 1);
            if (!std::strstr(text.get(), kept.c_str()))
                Fail("a field read is missing from the order");
        }
        ++read;
    }
    if (read != (method >= FirstCardMethod ? 10u : 8u))
        Fail("the wrong number of fields was read");

    // The closing block that saving appends fits whole as well.
    AppendToOrder(text.get(), HowToSubmitBlock);
    const size_t blockLength = sizeof HowToSubmitBlock - 1;
    if (std::strlen(text.get()) != length + blockLength ||
        std::strcmp(text.get() + length, HowToSubmitBlock) != 0)
        Fail("the closing block was cut");
    return 0;
}
