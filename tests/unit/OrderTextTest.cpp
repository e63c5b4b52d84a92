// Composing the order text: the rules, their order and follow-ups, and the
// text itself byte for byte.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "order/OrderText.h"
#include "support/OrderForm.h"

using namespace order_test;

namespace {

const std::vector<int> UpToName = {1100};
const std::vector<int> UpToAddress = {1100, 1101};
const std::vector<int> UpToEmail = {1100, 1101, 1102, 1103, 1104, 1105};
const std::vector<int> AllInfo = {1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107};
const std::vector<int> UpToCard = {1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107, 1108};
const std::vector<int> Everything = {1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107, 1108, 1109};

const char NameMessage[] = "That is not a valid name, please check it.";
const char AddressMessage[] = "That is not a valid address, please check it.";
const char EmailMessage[] = "That is not a valid E-mail address, please check it.";
const char MethodMessage[] = "You must select a payment method.";
const char DateMessage[] = "That is not a valid date, please check it.";

std::string CardMessage(const std::string& card)
{
    return "This is not a valid " + card + " number!\n Please check it.";
}

class ComposeTest : public OrderFormFixture {
protected:
    // Composes into a buffer of exactly the promised size, so ASan sees any
    // write past its end.
    int Compose(std::string& out)
    {
        std::unique_ptr<char[]> text(new char[OrderTextSize]);
        const int result = ComposeOrderText(page, text.get());
        out = result == 0 ? std::string(text.get()) : std::string();
        return result;
    }
};

enum FollowUp { FocusOnly, DateCleared, MenuOpened };

struct Refusal {
    const char* what;
    void (*change)(FormEntries&);
    std::string message;
    std::vector<int> fieldsRead;
    FollowUp followUp;
    int focusField;
};

TEST_F(ComposeTest, EachBrokenRuleRefusesWithItsMessageAndLeadsToItsField)
{
    const Refusal rows[] = {
        {"empty name", [](FormEntries& f) { f.name = ""; }, NameMessage, UpToName, FocusOnly, IDC_NAME},
        {"one-character name", [](FormEntries& f) { f.name = "A"; }, NameMessage, UpToName, FocusOnly, IDC_NAME},
        {"bad name and no method",
         [](FormEntries& f) {
             f.name = "A";
             f.method = NoMethod;
         },
         NameMessage, UpToName, FocusOnly, IDC_NAME},
        {"bad name and bad address", [](FormEntries& f) { f.name = f.address = "x"; }, NameMessage, UpToName,
         FocusOnly, IDC_NAME},
        {"one-character address", [](FormEntries& f) { f.address = "B"; }, AddressMessage, UpToAddress, FocusOnly,
         IDC_ADDRESS},
        {"empty address", [](FormEntries& f) { f.address = ""; }, AddressMessage, UpToAddress, FocusOnly,
         IDC_ADDRESS},
        {"at sign, no full stop", [](FormEntries& f) { f.email = "ann@example"; }, EmailMessage, UpToEmail,
         FocusOnly, IDC_EMAIL},
        {"full stop, no at sign", [](FormEntries& f) { f.email = "ann.example.com"; }, EmailMessage, UpToEmail,
         FocusOnly, IDC_EMAIL},
        {"bad e-mail and no method",
         [](FormEntries& f) {
             f.email = "@";
             f.method = NoMethod;
         },
         EmailMessage, UpToEmail, FocusOnly, IDC_EMAIL},
        {"no method", [](FormEntries& f) { f.method = NoMethod; }, MethodMessage, AllInfo, MenuOpened, 0},
        {"no method, card fields empty",
         [](FormEntries& f) {
             f.method = NoMethod;
             f.cardNumber = f.expiry = "";
         },
         MethodMessage, AllInfo, MenuOpened, 0},
        {"Visa number beginning with 5", [](FormEntries& f) { f.cardNumber = "5111 1111"; }, CardMessage("visa"),
         UpToCard, FocusOnly, IDC_CARDNUM},
        {"empty Visa number", [](FormEntries& f) { f.cardNumber = ""; }, CardMessage("visa"), UpToCard, FocusOnly,
         IDC_CARDNUM},
        {"Visa number beginning with a blank", [](FormEntries& f) { f.cardNumber = " 4111"; }, CardMessage("visa"),
         UpToCard, FocusOnly, IDC_CARDNUM},
        {"Visa number holding format directives", [](FormEntries& f) { f.cardNumber = "%s%n%x"; },
         CardMessage("visa"), UpToCard, FocusOnly, IDC_CARDNUM},
        {"Mastercard number beginning with 4",
         [](FormEntries& f) {
             f.method = Mastercard;
             f.cardNumber = "4555-1234";
         },
         CardMessage("mc"), UpToCard, FocusOnly, IDC_CARDNUM},
        {"American Express number beginning with 2",
         [](FormEntries& f) {
             f.method = Amex;
             f.cardNumber = "2782";
         },
         CardMessage("amex"), UpToCard, FocusOnly, IDC_CARDNUM},
        {"Discover number beginning with 5",
         [](FormEntries& f) {
             f.method = Discover;
             f.cardNumber = "5011";
         },
         CardMessage("dscv"), UpToCard, FocusOnly, IDC_CARDNUM},
        {"bad number and bad date",
         [](FormEntries& f) {
             f.cardNumber = "1";
             f.expiry = "x";
         },
         CardMessage("visa"), UpToCard, FocusOnly, IDC_CARDNUM},
        {"one-digit month", [](FormEntries& f) { f.expiry = "1/25"; }, DateMessage, Everything, DateCleared,
         IDC_EXPDATE},
        {"dash for the slash", [](FormEntries& f) { f.expiry = "12-25"; }, DateMessage, Everything, DateCleared,
         IDC_EXPDATE},
        {"untouched mm/yy", [](FormEntries& f) { f.expiry = "mm/yy"; }, DateMessage, Everything, DateCleared,
         IDC_EXPDATE},
        {"one-digit year", [](FormEntries& f) { f.expiry = "12/3"; }, DateMessage, Everything, DateCleared,
         IDC_EXPDATE},
        {"letter for the last digit", [](FormEntries& f) { f.expiry = "12/3x"; }, DateMessage, Everything,
         DateCleared, IDC_EXPDATE},
        {"letter in the month", [](FormEntries& f) { f.expiry = "1a/25"; }, DateMessage, Everything, DateCleared,
         IDC_EXPDATE},
        {"empty date", [](FormEntries& f) { f.expiry = ""; }, DateMessage, Everything, DateCleared, IDC_EXPDATE},
    };
    for (const Refusal& row : rows) {
        SCOPED_TRACE(row.what);
        Rebuild();
        FormEntries form;
        row.change(form);
        Fill(form);
        HWND focusBefore = fake::Focus();
        fake::ClearLog();

        std::string text;
        EXPECT_EQ(1, Compose(text));

        const std::string hostName = fake::Name(host);
        EXPECT_EQ(std::vector<std::string>{"MessageBoxA(" + hostName + ", \"" + row.message + "\", null, 0x0)"},
                  fake::Calls("MessageBoxA"));
        EXPECT_EQ(row.fieldsRead, FieldsRead());
        // Only the card's short name goes through the format.
        const bool cardRefusal = row.focusField == IDC_CARDNUM;
        EXPECT_EQ(cardRefusal ? 1u : 0u, fake::Calls("wsprintfA").size());
        switch (row.followUp) {
        case FocusOnly:
            EXPECT_EQ((std::vector<std::string>{"MessageBoxA", "SetFocus"}),
                      fake::Sequence({"MessageBoxA", "SetFocus", "SetDlgItemTextA", "TrackPopupMenu"}));
            EXPECT_EQ(form.expiry, fake::ItemText(host, IDC_EXPDATE));
            break;
        case DateCleared:
            EXPECT_EQ((std::vector<std::string>{"MessageBoxA", "SetDlgItemTextA", "SetFocus"}),
                      fake::Sequence({"MessageBoxA", "SetFocus", "SetDlgItemTextA", "TrackPopupMenu"}));
            EXPECT_EQ("mm/yy", fake::ItemText(host, IDC_EXPDATE));
            break;
        case MenuOpened:
            EXPECT_EQ((std::vector<std::string>{"MessageBoxA", "TrackPopupMenu"}),
                      fake::Sequence({"MessageBoxA", "SetFocus", "SetDlgItemTextA", "TrackPopupMenu"}));
            EXPECT_EQ(focusBefore, fake::Focus());
            break;
        }
        if (row.followUp != MenuOpened) {
            EXPECT_EQ(Control(row.focusField), fake::Focus());
        }
        // Everything but a bad date stays as the user typed it.
        EXPECT_EQ(form.name, fake::ItemText(host, IDC_NAME));
        EXPECT_EQ(form.cardNumber, fake::ItemText(host, IDC_CARDNUM));
        EXPECT_TRUE(fake::Errors().empty());
    }
}

TEST_F(ComposeTest, AMethodPickedFromTheRefusalsMenuCountsOnlyAtTheNextPress)
{
    FormEntries form;
    form.method = NoMethod;
    Fill(form);
    fake::script.onTrackPopupMenu = [this](HMENU) { page->OnPaymentMethodChosen(ID_METHOD_FIRST + Discover); };
    form.cardNumber = "6011 0000";
    fake::SetItemText(host, IDC_CARDNUM, form.cardNumber);

    std::string text;
    EXPECT_EQ(1, Compose(text));
    EXPECT_EQ(1u, fake::Calls("TrackPopupMenu").size());

    fake::ClearLog();
    EXPECT_EQ(0, Compose(text));
    EXPECT_TRUE(fake::Calls("MessageBoxA").empty());
    EXPECT_NE(std::string::npos, text.find("\nCredit Card Type: Discover\nCredit Card Num: 6011 0000\n"));
}

struct Acceptance {
    const char* what;
    void (*change)(FormEntries&);
    std::string piece;   // where the accepted value lands
    std::vector<int> fieldsRead;
};

TEST_F(ComposeTest, ValuesThatKeepTheRulesAreWrittenAsTyped)
{
    const Acceptance rows[] = {
        {"two-character name", [](FormEntries& f) { f.name = "Al"; }, "\nName:     Al\nAddress:  ", Everything},
        {"two blanks for a name", [](FormEntries& f) { f.name = "  "; }, "\nName:       \nAddress:  ", Everything},
        {"two blanks for an address", [](FormEntries& f) { f.address = "  "; },
         "\nAddress:    \n          Albany, ", Everything},
        {"empty city, state and zip",
         [](FormEntries& f) {
             f.city = f.state = f.zip = "";
         },
         "\n          ,  \n\nEmail:    ", Everything},
        {"empty e-mail", [](FormEntries& f) { f.email = ""; }, "\n\nEmail:    \n\nHeard on: A friend\n", Everything},
        {"full stop then at sign", [](FormEntries& f) { f.email = ".@"; }, "\nEmail:    .@\n", Everything},
        {"full stop before the at sign", [](FormEntries& f) { f.email = "ann.lee@example"; },
         "\nEmail:    ann.lee@example\n", Everything},
        {"empty heard-about and comments",
         [](FormEntries& f) {
             f.heard = f.comments = "";
         },
         "\n\nHeard on: \n\nComment:\n\n\nCredit Card Type: Visa\n", Everything},
        {"Visa number 4 alone", [](FormEntries& f) { f.cardNumber = "4"; }, "\nCredit Card Num: 4\nExp. Date: ",
         Everything},
        {"Mastercard number with dashes",
         [](FormEntries& f) {
             f.method = Mastercard;
             f.cardNumber = "5105-1051";
         },
         "\n\nCredit Card Type: Mastercard\nCredit Card Num: 5105-1051\nExp. Date: 12/34", Everything},
        {"American Express number",
         [](FormEntries& f) {
             f.method = Amex;
             f.cardNumber = "3782 822463 10005";
         },
         "\n\nCredit Card Type: American Express\nCredit Card Num: 3782 822463 10005\n", Everything},
        {"Discover number",
         [](FormEntries& f) {
             f.method = Discover;
             f.cardNumber = "6x";
         },
         "\n\nCredit Card Type: Discover\nCredit Card Num: 6x\n", Everything},
        {"month 13", [](FormEntries& f) { f.expiry = "13/25"; }, "\nExp. Date: 13/25", Everything},
        {"month and year 00", [](FormEntries& f) { f.expiry = "00/00"; }, "\nExp. Date: 00/00", Everything},
        {"Check ignores empty card fields",
         [](FormEntries& f) {
             f.method = Check;
             f.cardNumber = f.expiry = "";
         },
         "\nComment:\nGreat game\n\nCheck\n\nPlease make checks payable to Quintara Software.\n\n", AllInfo},
        {"Postal order ignores malformed card fields",
         [](FormEntries& f) {
             f.method = PostalOrder;
             f.cardNumber = "1234";
             f.expiry = "1/2";
         },
         "\nComment:\nGreat game\n\nPostal Money Order - in US dollars\n\nPlease make checks payable to "
         "Quintara Software.\n\n",
         AllInfo},
        {"no CD-ROM, not NY", [](FormEntries&) {}, "once in the amount of $14.95 U.S.\n\nMY INFO:\n", Everything},
        {"CD-ROM, not NY", [](FormEntries& f) { f.cdrom = true; }, "once in the amount of $24.95 U.S.\n\nMY INFO:\n",
         Everything},
        {"NY, no CD-ROM", [](FormEntries& f) { f.state = "NY"; }, "once in the amount of $16.18 U.S.\n\nMY INFO:\n",
         Everything},
        {"CD-ROM and NY",
         [](FormEntries& f) {
             f.cdrom = true;
             f.state = "NY";
         },
         "once in the amount of $27.00 U.S.\n\nMY INFO:\n", Everything},
    };
    for (const Acceptance& row : rows) {
        SCOPED_TRACE(row.what);
        Rebuild();
        FormEntries form;
        row.change(form);
        Fill(form);
        fake::ClearLog();

        std::string text;
        ASSERT_EQ(0, Compose(text));
        EXPECT_NE(std::string::npos, text.find(row.piece)) << text;
        EXPECT_EQ(row.fieldsRead, FieldsRead());
        EXPECT_TRUE(fake::Calls("MessageBoxA").empty());
        EXPECT_TRUE(fake::Calls("SetFocus").empty());
        EXPECT_TRUE(fake::Calls("TrackPopupMenu").empty());
        if (form.method < 2) {
            EXPECT_EQ(std::string::npos, text.find("Credit Card"));
        }
    }
}

TEST_F(ComposeTest, CardOrderLayout)
{
    FormEntries form;
    form.address = "12 Elm St\r\nApt 4";
    form.city = "New York";
    form.state = "NY";
    form.zip = "10013";
    form.email = "";
    form.comments = "Line one\r\nLine two";
    form.cdrom = true;
    form.method = Mastercard;
    form.cardNumber = "5105-1051-0510-5100";
    form.expiry = "07/29";
    Fill(form);

    std::string text;
    ASSERT_EQ(0, Compose(text));
    EXPECT_EQ("Zorbel Solitaire v.1.0\n"
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
              "Exp. Date: 07/29",
              text);
}

TEST_F(ComposeTest, CheckOrderLayout)
{
    FormEntries form;
    form.address = "7 Oak Road\r\nFlat 2\r\nBack door";
    form.state = "CA";
    form.cdrom = true;
    form.comments = "Line one\r\nLine two";
    form.method = PostalOrder;
    form.cardNumber = "9";
    form.expiry = "bad";
    Fill(form);

    std::string text;
    ASSERT_EQ(0, Compose(text));
    EXPECT_EQ("Zorbel Solitaire v.1.0\n"
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
              "\n",
              text);
}

struct FreeField {
    std::string FormEntries::*entry;
    const char* label;   // what stands before the field
    const char* next;    // what follows it
};

TEST_F(ComposeTest, AFieldContributesAtMostItsFirst511Characters)
{
    const FreeField fields[] = {
        {&FormEntries::name, "\nName:     ", "\nAddress:  "},
        {&FormEntries::address, "\nAddress:  ", "\n          "},
        {&FormEntries::city, "\n          ", ", CA "},
        {&FormEntries::zip, "CA ", "\n\nEmail:    "},
        {&FormEntries::email, "\nEmail:    ", "\n\nHeard on: "},
        {&FormEntries::heard, "\nHeard on: ", "\n\nComment:\n"},
        {&FormEntries::comments, "\nComment:\n", "\n\nCredit Card Type: "},
    };
    for (const FreeField& field : fields) {
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

            std::string text;
            ASSERT_EQ(0, Compose(text));
            const std::string kept = value.substr(0, 511);
            EXPECT_NE(std::string::npos, text.find(field.label + kept + field.next));
        }
    }
}

// The fullest form there can be: the seven free fields cut at 511 characters,
// State, Card # and Exp. Date at their controls' limits.
TEST_F(ComposeTest, TheFullestFormFitsWholeWithItsClosingBlock)
{
    struct Row {
        int method;
        std::string cardNumber;
        std::string ending;
    } rows[] = {
        {Amex, "37828224631000512345",
         "\n\nCredit Card Type: American Express\nCredit Card Num: 37828224631000512345\nExp. Date: 12/34"},
        {PostalOrder, "",
         "\n\nPostal Money Order - in US dollars\n\nPlease make checks payable to Quintara Software.\n\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.method);
        Rebuild();
        FormEntries form;
        form.name = std::string(600, 'n');
        form.address = std::string(600, 'a');
        form.city = std::string(600, 'c');
        form.state = "NY";
        form.zip = std::string(600, 'z');
        form.email = "@." + std::string(598, 'e');
        form.heard = std::string(600, 'h');
        form.comments = std::string(600, 'm');
        form.cdrom = true;
        form.method = row.method;
        form.cardNumber = row.cardNumber;
        Fill(form);

        std::unique_ptr<char[]> text(new char[OrderTextSize]);
        ASSERT_EQ(0, ComposeOrderText(page, text.get()));
        const std::string expected =
            "Zorbel Solitaire v.1.0\n------ For Windows 95/98 -----\n\nPlease register me for Zorbel Solitaire.\n\n"
            "I authorize Quintara Software to bill my credit card once in the amount of $27.00 U.S.\n\nMY INFO:\n"
            "Name:     " +
            std::string(511, 'n') + "\nAddress:  " + std::string(511, 'a') + "\n          " + std::string(511, 'c') +
            ", NY " + std::string(511, 'z') + "\n\nEmail:    @." + std::string(509, 'e') +
            "\n\nHeard on: " + std::string(511, 'h') + "\n\nComment:\n" + std::string(511, 'm') + row.ending;
        EXPECT_EQ(expected, text.get());

        AppendToOrder(text.get(), HowToSubmitBlock);
        EXPECT_EQ(expected + HowToSubmitBlock, text.get());
    }
}

}  // namespace
