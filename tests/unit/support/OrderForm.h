// An order form page on a fake host, filled in field by field, for the
// tests of composing, saving and printing an order.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeWin32.h"
#include "pages/CPage2.h"
#include "resources/resource.h"

namespace order_test {

enum Method { NoMethod = -1, Check = 0, PostalOrder = 1, Visa = 2, Mastercard = 3, Amex = 4, Discover = 5 };

// A form that passes every rule, paid by Visa.
struct FormEntries {
    std::string name = "Ann Lee";
    std::string address = "12 Elm St";
    std::string city = "Albany";
    std::string state = "CA";
    std::string zip = "12207";
    std::string email = "ann@example.com";
    std::string heard = "A friend";
    std::string comments = "Great game";
    std::string cardNumber = "4111 1111";
    std::string expiry = "12/34";
    bool cdrom = false;
    int method = Visa;
};

class OrderFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        host = fake::CreateHost(HostProc());
        page = new CPage2(3, OrderButtons, IDB_ORDERFORM, host);
    }

    void TearDown() override
    {
        delete page;
        page = nullptr;
    }

    // A fresh layer and an empty form, for each row of a table.
    void Rebuild()
    {
        TearDown();
        SetUp();
    }

    // A host with its own procedure; null records what is sent to it.
    virtual DLGPROC HostProc() { return nullptr; }

    void Fill(const FormEntries& form)
    {
        fake::SetItemText(host, IDC_NAME, form.name);
        fake::SetItemText(host, IDC_ADDRESS, form.address);
        fake::SetItemText(host, IDC_CITY, form.city);
        fake::SetItemText(host, IDC_STATE, form.state);
        fake::SetItemText(host, IDC_ZIPCODE, form.zip);
        fake::SetItemText(host, IDC_EMAIL, form.email);
        fake::SetItemText(host, IDC_HEARD, form.heard);
        fake::SetItemText(host, IDC_COMMENTS, form.comments);
        fake::SetItemText(host, IDC_CARDNUM, form.cardNumber);
        fake::SetItemText(host, IDC_EXPDATE, form.expiry);
        fake::SetCheck(host, IDC_CDROM, form.cdrom ? BST_CHECKED : 0);
        page->UpdateTotal();
        if (form.method != NoMethod)
            page->OnPaymentMethodChosen(static_cast<WORD>(ID_METHOD_FIRST + form.method));
    }

    // The ids of the fields read since the log was last cleared.
    static std::vector<int> FieldsRead()
    {
        std::vector<int> ids;
        for (const std::string& call : fake::Calls("GetDlgItemTextA"))
            ids.push_back(std::stoi(call.substr(call.find(", ") + 2)));
        return ids;
    }

    // Found through the host, as the program finds it (the lookup is logged).
    HWND Control(int id) const { return GetDlgItem(host, id); }

    HWND host = nullptr;
    CPage2* page = nullptr;
};

}  // namespace order_test
