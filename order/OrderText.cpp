// Composing the order text: the form is read field by field, each rule is
// tested where its field stands, and the first broken rule stops the order.
#include "order/OrderText.h"

#include <cstring>

using namespace order_text;

namespace {

enum class Rule { None, Name, Address, Email, CardNumber, ExpiryDate };

// One step of the order: a fixed text, then a field checked by its rule.
struct Step {
    const char* label;
    int field;
    Rule rule;
};

constexpr Step FormSteps[] = {
    {NameLabel, IDC_NAME, Rule::Name},
    {AddressLabel, IDC_ADDRESS, Rule::Address},
    {CityIndent, IDC_CITY, Rule::None},
    {StateSeparator, IDC_STATE, Rule::None},
    {ZipSeparator, IDC_ZIPCODE, Rule::None},
    {EmailLabel, IDC_EMAIL, Rule::Email},
    {HeardLabel, IDC_HEARD, Rule::None},
    {CommentLabel, IDC_COMMENTS, Rule::None},
};

// After the card's name; read for the card methods only.
constexpr Step CardSteps[] = {
    {CardNumberLabel, IDC_CARDNUM, Rule::CardNumber},
    {ExpiryLabel, IDC_EXPDATE, Rule::ExpiryDate},
};

// Indexed by the payment method minus FirstCardMethod.
constexpr char CardFirstDigits[4] = {'4', '5', '3', '6'};
constexpr const char* CardShortNames[4] = {"visa", "mc", "amex", "dscv"};

constexpr char NameMessage[] = "That is not a valid name, please check it.";
constexpr char AddressMessage[] = "That is not a valid address, please check it.";
constexpr char EmailMessage[] = "That is not a valid E-mail address, please check it.";
constexpr char MethodMessage[] = "You must select a payment method.";
constexpr char CardNumberFormat[] = "This is not a valid %s number!\n Please check it.";
constexpr char DateMessage[] = "That is not a valid date, please check it.";
constexpr char EmptyDate[] = "mm/yy";

// The longest order the steps can write, walked the way ComposeOrderText
// walks them, must fit the room the callers give it.
template <int N>
constexpr int StepsWorstCase(const Step (&steps)[N])
{
    int total = 0;
    for (const Step& step : steps)
        total += Length(step.label) + FieldRead;
    return total;
}

constexpr int LongestCardName()
{
    int longest = 0;
    for (int m = FirstCardMethod; m < 6; ++m)
        longest = Length(PaymentMethodNames[m]) > longest ? Length(PaymentMethodNames[m]) : longest;
    return longest;
}

constexpr int LongestCheckName()
{
    int longest = 0;
    for (int m = 0; m < FirstCardMethod; ++m)
        longest = Length(PaymentMethodNames[m]) > longest ? Length(PaymentMethodNames[m]) : longest;
    return longest;
}

constexpr int CommonWorstCase = Chars(Header) + Longest(PriceTexts) + StepsWorstCase(FormSteps);
constexpr int CardOrderWorstCase =
    CommonWorstCase + Chars(CardTypeLabel) + LongestCardName() + StepsWorstCase(CardSteps);
constexpr int CheckOrderWorstCase = CommonWorstCase + Chars(MethodSeparator) + LongestCheckName() + Chars(PayableNote);
static_assert(OrderTextSize >= CardOrderWorstCase + Chars(HowToSubmitBlock) + 1,
              "a full card order and its closing block must fit whole");
static_assert(OrderTextSize >= CheckOrderWorstCase + Chars(HowToSubmitBlock) + 1,
              "a full check order and its closing block must fit whole");

// The message with %s filled in by the longest short name, and its NUL.
constexpr int CardMessageSize = Chars(CardNumberFormat) - 2 + Longest(CardShortNames) + 1;

constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Each test stops at the first character that fails, so a short text's
// terminator fails it and nothing past the terminator is looked at.
bool Passes(Rule rule, const char* field, int method)
{
    switch (rule) {
    case Rule::None:
        return true;
    case Rule::Name:
    case Rule::Address:
        return field[0] && field[1];   // two characters, whatever they are
    case Rule::Email:
        return !field[0] || (std::strchr(field, '@') && std::strchr(field, '.'));
    case Rule::CardNumber:
        return field[0] == CardFirstDigits[method - FirstCardMethod];
    case Rule::ExpiryDate:
        return IsDigit(field[0]) && IsDigit(field[1]) && field[2] == '/' && IsDigit(field[3]) && IsDigit(field[4]);
    }
    return false;
}

// Tells the user what is wrong and leads them to it; the order is refused.
// A form being left while the box was up is not touched again.
int Refuse(Rule rule, const CPage2* page, int field, int method)
{
    HWND host = page->Host();
    switch (rule) {
    case Rule::None:
        break;
    case Rule::Name:
        MessageBoxA(host, NameMessage, nullptr, MB_OK);
        break;
    case Rule::Address:
        MessageBoxA(host, AddressMessage, nullptr, MB_OK);
        break;
    case Rule::Email:
        MessageBoxA(host, EmailMessage, nullptr, MB_OK);
        break;
    case Rule::CardNumber: {
        // Only the card's own short name goes through the format.
        char message[CardMessageSize];
        wsprintfA(message, CardNumberFormat, CardShortNames[method - FirstCardMethod]);
        MessageBoxA(host, message, nullptr, MB_OK);
        break;
    }
    case Rule::ExpiryDate:
        MessageBoxA(host, DateMessage, nullptr, MB_OK);
        break;
    }
    if (page->Leaving())
        return 1;
    if (rule == Rule::ExpiryDate)
        SetDlgItemTextA(host, field, EmptyDate);
    SetFocus(GetDlgItem(host, field));
    return 1;
}

// Reads each step's field, refusing at the first broken rule; later fields
// are not read.
template <int N>
int WriteSteps(char* text, const Step (&steps)[N], CPage2* page, int method)
{
    HWND host = page->Host();
    char field[FieldReadSize];
    for (const Step& step : steps) {
        AppendToOrder(text, step.label);
        GetDlgItemTextA(host, step.field, field, FieldReadSize);
        if (!Passes(step.rule, field, method))
            return Refuse(step.rule, page, step.field, method);
        AppendToOrder(text, field);
    }
    return 0;
}

}  // namespace

// Never writes past OrderTextSize; the room is sized for the fullest form,
// so nothing is ever cut.
void AppendToOrder(char* text, const char* piece)
{
    const size_t used = std::strlen(text);
    size_t room = OrderTextSize - 1 - used;
    char* end = text + used;
    while (*piece && room--)
        *end++ = *piece++;
    *end = '\0';
}

int ComposeOrderText(CPage2* page, char* text)
{
    const int method = page->PaymentMethod();
    text[0] = '\0';
    AppendToOrder(text, Header);
    AppendToOrder(text, PriceTexts[page->PriceIndex()]);
    if (WriteSteps(text, FormSteps, page, method))
        return 1;

    if (method < 0) {
        // A method picked from this menu arrives as a command after we have
        // returned: the user presses the button again.
        MessageBoxA(page->Host(), MethodMessage, nullptr, MB_OK);
        if (!page->Leaving())
            page->ShowPaymentMenu();
        return 1;
    }

    if (method < FirstCardMethod) {
        // The comments end without a line break of their own: a line feed
        // ends them and an empty line stands before the method's name, as
        // the card block opens with one.
        AppendToOrder(text, MethodSeparator);
        AppendToOrder(text, PaymentMethodNames[method]);
        AppendToOrder(text, PayableNote);
        return 0;
    }

    AppendToOrder(text, CardTypeLabel);
    AppendToOrder(text, PaymentMethodNames[method]);
    return WriteSteps(text, CardSteps, page, method);
}
