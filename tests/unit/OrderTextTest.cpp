// Composing the order text: the rules, their order and follow-ups, and the
// text itself byte for byte.
#include <gtest/gtest.h>

#include "support/OrderForm.h"

using namespace order_test;

namespace {

using ComposeTest = OrderFormFixture;
using Change = void (*)(FormEntries&);

const char NameMessage[] = "That is not a valid name, please check it.";
const char AddressMessage[] = "That is not a valid address, please check it.";
const char EmailMessage[] = "That is not a valid E-mail address, please check it.";
const char MethodMessage[] = "You must select a payment method.";
const char DateMessage[] = "That is not a valid date, please check it.";

std::string CardMessage(const std::string& card)
{
    return "This is not a valid " + card + " number!\n Please check it.";
}

TEST_F(ComposeTest, EachBrokenRuleRefusesWithItsMessageAndLeadsToItsField)
{
    const struct {
        const char* what;
        Change change;
        std::string message;
        int read;   // fields read, in order; a refused field is focused
    } rows[] = {
        {"empty name", [](auto& f) { f.name = ""; }, NameMessage, 1},
        {"one-character name", [](auto& f) { f.name = "A"; }, NameMessage, 1},
        {"bad name and no method", [](auto& f) { f.name = "A"; f.method = NoMethod; }, NameMessage, 1},
        {"bad name and bad address", [](auto& f) { f.name = f.address = "x"; }, NameMessage, 1},
        {"one-character address", [](auto& f) { f.address = "B"; }, AddressMessage, 2},
        {"empty address", [](auto& f) { f.address = ""; }, AddressMessage, 2},
        {"at sign, no full stop", [](auto& f) { f.email = "ann@example"; }, EmailMessage, 6},
        {"full stop, no at sign", [](auto& f) { f.email = "ann.example.com"; }, EmailMessage, 6},
        {"bad e-mail and no method", [](auto& f) { f.email = "@"; f.method = NoMethod; }, EmailMessage, 6},
        {"no method", [](auto& f) { f.method = NoMethod; }, MethodMessage, 8},
        {"no method, card fields empty", [](auto& f) { f.method = NoMethod; f.cardNumber = f.expiry = ""; },
         MethodMessage, 8},
        {"Visa number beginning with 5", [](auto& f) { f.cardNumber = "5111 1111"; }, CardMessage("visa"), 9},
        {"empty Visa number", [](auto& f) { f.cardNumber = ""; }, CardMessage("visa"), 9},
        {"Visa number beginning with a blank", [](auto& f) { f.cardNumber = " 4111"; }, CardMessage("visa"), 9},
        {"Visa number holding directives", [](auto& f) { f.cardNumber = "%s%n%x"; }, CardMessage("visa"), 9},
        {"Mastercard beginning with 4", [](auto& f) { f.method = Mastercard; f.cardNumber = "4555-1234"; },
         CardMessage("mc"), 9},
        {"Amex beginning with 2", [](auto& f) { f.method = Amex; f.cardNumber = "2782"; }, CardMessage("amex"), 9},
        {"Discover beginning with 5", [](auto& f) { f.method = Discover; f.cardNumber = "5011"; },
         CardMessage("dscv"), 9},
        {"bad number and bad date", [](auto& f) { f.cardNumber = "1"; f.expiry = "x"; }, CardMessage("visa"), 9},
        {"one-digit month", [](auto& f) { f.expiry = "1/25"; }, DateMessage, 10},
        {"dash for the slash", [](auto& f) { f.expiry = "12-25"; }, DateMessage, 10},
        {"untouched mm/yy", [](auto& f) { f.expiry = "mm/yy"; }, DateMessage, 10},
        {"one-digit year", [](auto& f) { f.expiry = "12/3"; }, DateMessage, 10},
        {"letter for the last digit", [](auto& f) { f.expiry = "12/3x"; }, DateMessage, 10},
        {"letter in the month", [](auto& f) { f.expiry = "1a/25"; }, DateMessage, 10},
        {"empty date", [](auto& f) { f.expiry = ""; }, DateMessage, 10},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Rebuild();
        FormEntries form;
        row.change(form);
        Fill(form);
        HWND focusBefore = fake::Focus();
        fake::ClearLog();

        Composed(1);
        EXPECT_EQ(fake::Calls("MessageBoxA"), Strings{"MessageBoxA(" + H + ", \"" + row.message + "\", null, 0x0)"});
        EXPECT_EQ(FieldsRead(), FirstFields(row.read));
        const bool menu = row.message == MethodMessage, date = row.message == DateMessage;
        EXPECT_EQ(fake::Sequence({"MessageBoxA", "SetFocus", "SetDlgItemTextA", "TrackPopupMenu"}),
                  menu   ? (Strings{"MessageBoxA", "TrackPopupMenu"})
                  : date ? (Strings{"MessageBoxA", "SetDlgItemTextA", "SetFocus"})
                         : (Strings{"MessageBoxA", "SetFocus"}));
        EXPECT_EQ(fake::Focus(), menu ? focusBefore : Control(IDC_NAME + row.read - 1));
        // Only the card's short name goes through the format.
        EXPECT_EQ(fake::Calls("wsprintfA").size(), row.read == 9 ? 1u : 0u);
        // Everything but a bad date stays as the user typed it.
        EXPECT_EQ(fake::ItemText(host, IDC_EXPDATE), date ? "mm/yy" : form.expiry);
        EXPECT_EQ(fake::ItemText(host, IDC_NAME), form.name);
        EXPECT_EQ(fake::ItemText(host, IDC_CARDNUM), form.cardNumber);
        EXPECT_EQ(fake::Errors(), Strings{});
    }
}

TEST_F(ComposeTest, AMethodPickedFromTheRefusalsMenuCountsOnlyAtTheNextPress)
{
    FormEntries form;
    form.method = NoMethod;
    form.cardNumber = "6011 0000";
    Fill(form);
    fake::script.onTrackPopupMenu = [this](HMENU) { page->OnPaymentMethodChosen(ID_METHOD_FIRST + Discover); };

    Composed(1);
    EXPECT_EQ(fake::Calls("TrackPopupMenu").size(), 1u);
    fake::ClearLog();
    const std::string text = Composed();
    EXPECT_EQ(fake::Calls("MessageBoxA"), Strings{});
    EXPECT_NE(text.find("\nCredit Card Type: Discover\nCredit Card Num: 6011 0000\n"), std::string::npos);
}

TEST_F(ComposeTest, ValuesThatKeepTheRulesAreWrittenAsTyped)
{
    const struct {
        const char* what;
        Change change;
        std::string piece;   // where the accepted value lands
    } rows[] = {
        {"two-character name", [](auto& f) { f.name = "Al"; }, "\nName:     Al\nAddress:  "},
        {"two blanks for a name", [](auto& f) { f.name = "  "; }, "\nName:       \nAddress:  "},
        {"two blanks for an address", [](auto& f) { f.address = "  "; }, "\nAddress:    \n          Albany, "},
        {"empty city, state and zip", [](auto& f) { f.city = f.state = f.zip = ""; }, "\n          ,  \n\nEmail:"},
        {"full stop then at sign", [](auto& f) { f.email = ".@"; }, "\nEmail:    .@\n"},
        {"full stop before the at sign", [](auto& f) { f.email = "a.b@c"; }, "\nEmail:    a.b@c\n"},
        {"empty heard-about and comments", [](auto& f) { f.heard = f.comments = ""; },
         "\n\nHeard on: \n\nComment:\n\n\nCredit Card Type: Visa\n"},
        {"Visa number 4 alone", [](auto& f) { f.cardNumber = "4"; }, "\nCredit Card Num: 4\nExp. Date: "},
        {"Amex number", [](auto& f) { f.method = Amex; f.cardNumber = "3782 822463 10005"; },
         "\n\nCredit Card Type: American Express\nCredit Card Num: 3782 822463 10005\n"},
        {"Discover number", [](auto& f) { f.method = Discover; f.cardNumber = "6x"; },
         "\n\nCredit Card Type: Discover\nCredit Card Num: 6x\n"},
        {"month 13", [](auto& f) { f.expiry = "13/25"; }, "\nExp. Date: 13/25"},
        {"month and year 00", [](auto& f) { f.expiry = "00/00"; }, "\nExp. Date: 00/00"},
        {"Check ignores empty card fields", [](auto& f) { f.method = Check; f.cardNumber = f.expiry = ""; },
         "\nComment:\nGreat game\n\nCheck\n\nPlease make checks payable to Quintara Software.\n\n"},
        {"no CD-ROM, not NY", [](auto&) {}, "once in the amount of $14.95 U.S.\n\nMY INFO:\n"},
        {"NY, no CD-ROM", [](auto& f) { f.state = "NY"; }, "once in the amount of $16.18 U.S.\n\nMY INFO:\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Rebuild();
        FormEntries form;
        row.change(form);
        Fill(form);
        fake::ClearLog();

        const std::string text = Composed();
        EXPECT_NE(text.find(row.piece), std::string::npos) << text;
        EXPECT_EQ(FieldsRead(), FirstFields(form.method < 2 ? 8 : 10));
        EXPECT_EQ(fake::Sequence({"MessageBoxA", "SetFocus", "TrackPopupMenu"}), Strings{});
        EXPECT_EQ(text.find("Credit Card") == std::string::npos, form.method < 2);
    }
}

TEST_F(ComposeTest, WholeOrdersByCardAndByPostalOrder)
{
    const struct {
        Change change;
        std::string expected;
    } rows[] = {
        {[](auto& f) {
             f.address = "12 Elm St\r\nApt 4"; f.city = "New York"; f.state = "NY"; f.zip = "10013"; f.email = "";
             f.comments = "Line one\r\nLine two"; f.cdrom = true; f.method = Mastercard;
             f.cardNumber = "5105-1051-0510-5100"; f.expiry = "07/29";
         },
         "Zorbel Solitaire v.1.0\n"
         "------ For Windows 95/98 -----\n"
         "\n"
         "Please register me for Zorbel Solitaire.\n"
         "\n"
         "I authorize Quintara Software to bill my credit card once in the amount of $27.00 U.S.\n"
         "\n"
         "MY INFO:\n"
         "Name:     Ann Lee\n"
         "Address:  12 Elm St\r\nApt 4\n"
         "          New York, NY 10013\n"
         "\n"
         "Email:    \n"
         "\n"
         "Heard on: A friend\n"
         "\n"
         "Comment:\n"
         "Line one\r\nLine two\n"
         "\n"
         "Credit Card Type: Mastercard\n"
         "Credit Card Num: 5105-1051-0510-5100\n"
         "Exp. Date: 07/29"},
        {[](auto& f) {
             f.address = "7 Oak Road\r\nFlat 2\r\nBack door"; f.comments = "Line one\r\nLine two"; f.cdrom = true;
             f.method = PostalOrder; f.cardNumber = "9"; f.expiry = "bad";   // card fields not looked at
         },
         "Zorbel Solitaire v.1.0\n"
         "------ For Windows 95/98 -----\n"
         "\n"
         "Please register me for Zorbel Solitaire.\n"
         "\n"
         "I authorize Quintara Software to bill my credit card once in the amount of $24.95 U.S.\n"
         "\n"
         "MY INFO:\n"
         "Name:     Ann Lee\n"
         "Address:  7 Oak Road\r\nFlat 2\r\nBack door\n"
         "          Albany, CA 12207\n"
         "\n"
         "Email:    ann@example.com\n"
         "\n"
         "Heard on: A friend\n"
         "\n"
         "Comment:\n"
         "Line one\r\nLine two\n"
         "\n"
         "Postal Money Order - in US dollars\n"
         "\n"
         "Please make checks payable to Quintara Software.\n"
         "\n"},
    };
    for (const auto& row : rows) {
        Rebuild();
        FormEntries form;
        row.change(form);
        Fill(form);
        const std::string text = Composed();
        EXPECT_EQ(text, row.expected);
    }
}

TEST_F(ComposeTest, AFieldContributesAtMostItsFirst511Characters)
{
    const struct {
        std::string FormEntries::*entry;
        const char* label;   // what stands before the field
        const char* next;    // what follows it
    } fields[] = {
        {&FormEntries::name, "\nName:     ", "\nAddress:  "},
        {&FormEntries::address, "\nAddress:  ", "\n          "},
        {&FormEntries::city, "\n          ", ", CA "},
        {&FormEntries::zip, "CA ", "\n\nEmail:    "},
        {&FormEntries::email, "\nEmail:    ", "\n\nHeard on: "},
        {&FormEntries::heard, "\nHeard on: ", "\n\nComment:\n"},
        {&FormEntries::comments, "\nComment:\n", "\n\nCredit Card Type: "},
    };
    for (const auto& field : fields) {
        for (const size_t length : {510u, 511u, 512u, 600u}) {
            SCOPED_TRACE(std::string(field.label) + " with " + std::to_string(length) + " characters");
            Rebuild();
            // Distinct characters, so a cut in the wrong place shows.
            std::string value = "a@b.";
            while (value.size() < length)
                value += static_cast<char>('A' + value.size() % 26);
            FormEntries form;
            form.*field.entry = value;
            Fill(form);
            const std::string text = Composed();
            EXPECT_NE(text.find(field.label + value.substr(0, 511) + field.next), std::string::npos);
        }
    }
}

}  // namespace
