// An order form page on a fake host, filled in field by field, for the
// tests of the form and of composing, saving and printing an order.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "FakeWin32.h"
#include "order/OrderText.h"
#include "pages/CPage2.h"
#include "resources/resource.h"

namespace order_test {

using Strings = std::vector<std::string>;

enum Method { NoMethod = -1, Check = 0, PostalOrder = 1, Visa = 2, Mastercard = 3, Amex = 4, Discover = 5 };

// A form that passes every rule, paid by Visa.
struct FormEntries {
    std::string name = "Ann Lee", address = "12 Elm St", city = "Albany", state = "CA", zip = "12207";
    std::string email = "ann@example.com", heard = "A friend", comments = "Great game";
    std::string cardNumber = "4111 1111", expiry = "12/34";
    bool cdrom = false;
    int method = Visa;
};

class OrderFormFixture : public ::testing::Test {
protected:
    void SetUp() override { Rebuild(); }
    void TearDown() override { page.reset(); }

    // A fresh layer and a new, empty form on a new host, for each row of a table.
    void Rebuild(const std::set<int>& failingControls = {})
    {
        page.reset();
        fake::Reset();
        fake::script.failControlIds = failingControls;
        host = fake::CreateHost();
        H = fake::Name(host);
        page = std::make_unique<CPage2>(3, OrderButtons, IDB_ORDERFORM, host);
    }

    void Fill(const FormEntries& form)
    {
        int id = IDC_NAME;
        for (const std::string* value : {&form.name, &form.address, &form.city, &form.state, &form.zip, &form.email,
                                         &form.heard, &form.comments, &form.cardNumber, &form.expiry})
            fake::SetItemText(host, id++, *value);
        fake::SetCheck(host, IDC_CDROM, form.cdrom ? BST_CHECKED : 0);
        page->UpdateTotal();
        if (form.method != NoMethod)
            page->OnPaymentMethodChosen(static_cast<WORD>(ID_METHOD_FIRST + form.method));
    }

    // Composes into a buffer of exactly the promised size, so ASan sees any
    // write past its end; expects the result given (1: refused, no text).
    std::string Composed(int result = 0)
    {
        std::unique_ptr<char[]> text(new char[OrderTextSize]);
        EXPECT_EQ(ComposeOrderText(page.get(), text.get()), result);
        return result == 0 ? text.get() : "";
    }

    // The ids of the fields read since the log was last cleared.
    static std::vector<int> FieldsRead()
    {
        std::vector<int> ids;
        for (const std::string& call : fake::Calls("GetDlgItemTextA"))
            ids.push_back(std::stoi(call.substr(call.find(", ") + 2)));
        return ids;
    }

    // The ids of the first n fields in the order the order reads them (IDC_NAME on).
    static std::vector<int> FirstFields(int n)
    {
        std::vector<int> ids(n);
        std::iota(ids.begin(), ids.end(), IDC_NAME);
        return ids;
    }

    // The calls to either function, in order.
    static Strings Calls(const std::string& a, const std::string& b)
    {
        Strings out;
        for (const std::string& line : fake::Log())
            if (line.rfind(a + "(", 0) == 0 || line.rfind(b + "(", 0) == 0)
                out.push_back(line);
        return out;
    }

    // Found through the host, as the program finds it (the lookup is logged).
    HWND Control(int id) const { return GetDlgItem(host, id); }

    std::unique_ptr<CPage2> page;
    HWND host = nullptr;
    std::string H;   // the host's name in the log
};

}  // namespace order_test
