// The vendor's contact values: the one place every page, file and message
// takes them from. All are fictional (555-01xx numbers, a reserved domain).
#pragma once

#define VENDOR_NAME             "Quintara Software"
#define VENDOR_WEB_HOST         "www.quintara.example"
#define VENDOR_WEB_HOST_CAPS    "WWW.QUINTARA.EXAMPLE"   // as the topics page prints it
#define VENDOR_WEB_SITE         "http://" VENDOR_WEB_HOST
#define VENDOR_ORDER_PATH       "/html/zorbel_order.html"
#define VENDOR_SALES_EMAIL      "orders@quintara.example"
#define VENDOR_PHONE_US         "1-800-555-0142"         // toll-free inside the U.S.
#define VENDOR_PHONE_WORLD      "+1 212-555-0147"
#define VENDOR_FAX              "+1 212-555-0148"
#define VENDOR_STREET           "318 Hudson Street, Suite 4"
#define VENDOR_CITY_LINE        "New York, NY 10013"

namespace vendor_detail {
constexpr bool SameLetters(const char* lower, const char* upper)
{
    for (; *lower || *upper; ++lower, ++upper) {
        const char l = *lower >= 'a' && *lower <= 'z' ? char(*lower - 'a' + 'A') : *lower;
        if (l != *upper)
            return false;
    }
    return true;
}
}  // namespace vendor_detail

static_assert(vendor_detail::SameLetters(VENDOR_WEB_HOST, VENDOR_WEB_HOST_CAPS),
              "the capitalised web host must spell the same host");
