// Composing the order text from the form, checking the fields with rules.
#pragma once

#include "app/Vendor.h"
#include "pages/CPage2.h"

// Each field is read into a scratch buffer of this size: at most its first
// 511 characters reach the order. A control's own text limit is no bound:
// another program can set any text past it.
constexpr int FieldReadSize = 512;
constexpr int FieldRead = FieldReadSize - 1;

// The order's own texts, in the order they are written. Every value follows
// the label before it on the same line.
namespace order_text {

inline constexpr char Header[] =
    "Zorbel Solitaire v.1.0\n------ For Windows 95/98 -----\n\nPlease register me for Zorbel Solitaire.\n\n"
    "I authorize " VENDOR_NAME " to bill my credit card once in the amount of ";
inline constexpr char NameLabel[] = "\n\nMY INFO:\nName:     ";
inline constexpr char AddressLabel[] = "\nAddress:  ";
inline constexpr char CityIndent[] = "\n          ";   // the city line lines up with the values above
inline constexpr char StateSeparator[] = ", ";
inline constexpr char ZipSeparator[] = " ";
inline constexpr char EmailLabel[] = "\n\nEmail:    ";   // ends the city line, then an empty line
inline constexpr char HeardLabel[] = "\n\nHeard on: ";
inline constexpr char CommentLabel[] = "\n\nComment:\n";
inline constexpr char CardTypeLabel[] = "\n\nCredit Card Type: ";
inline constexpr char CardNumberLabel[] = "\nCredit Card Num: ";
inline constexpr char ExpiryLabel[] = "\nExp. Date: ";
inline constexpr char MethodSeparator[] = "\n\n";
inline constexpr char PayableNote[] = "\n\nPlease make checks payable to " VENDOR_NAME ".\n\n";

template <int N>
constexpr int Chars(const char (&)[N])
{
    return N - 1;
}

constexpr int Length(const char* text)
{
    int n = 0;
    while (text[n])
        ++n;
    return n;
}

template <int N>
constexpr int Longest(const char* const (&texts)[N])
{
    int longest = 0;
    for (const char* text : texts)
        longest = Length(text) > longest ? Length(text) : longest;
    return longest;
}

}  // namespace order_text

// The closing text of a saved order. Its first two line feeds end the order's
// last line and leave one empty line before the rule.
inline constexpr char HowToSubmitBlock[] =
    "\n\n------------------------\nHow To Submit This Order\n\nE-Mail to:\n   " VENDOR_SALES_EMAIL
    "\n\nFax to:\n   " VENDOR_FAX
    "\n\nPrint, and mail to:\n   " VENDOR_NAME "\n   " VENDOR_STREET
    "\n   " VENDOR_CITY_LINE
    "\n\nYou may also order through the web via our secure on-line store by going\nto:\n   " VENDOR_WEB_SITE
    "\n\n                THANK YOU!";

// Room for the longest order there can be: all ten fields at the read limit,
// the longest price and method texts, and the closing block that saving
// appends.
constexpr int OrderTextSize = [] {
    using namespace order_text;
    constexpr int Fields = (IDC_EXPDATE - IDC_NAME + 1) * FieldRead;
    constexpr int Method = Longest(PaymentMethodNames);
    constexpr int ByCard = Chars(CardTypeLabel) + Method + Chars(CardNumberLabel) + Chars(ExpiryLabel);
    constexpr int ByCheck = Chars(MethodSeparator) + Method + Chars(PayableNote);
    return Chars(Header) + Longest(PriceTexts) + Chars(NameLabel) + Chars(AddressLabel) + Chars(CityIndent) +
           Chars(StateSeparator) + Chars(ZipSeparator) + Chars(EmailLabel) + Chars(HeardLabel) +
           Chars(CommentLabel) + (ByCard > ByCheck ? ByCard : ByCheck) + Fields +
           Chars(HowToSubmitBlock) + 1;
}();

// 0: text holds the complete order; 1: refused, a message was shown and the
// form's follow-up done. text must hold OrderTextSize characters.
int ComposeOrderText(CPage2* page, char* text);

// Appends piece to an order text in a buffer of OrderTextSize characters.
void AppendToOrder(char* text, const char* piece);
