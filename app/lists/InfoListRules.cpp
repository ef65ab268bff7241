// The checks on the fields of the information windows' lists.
#include "app/lists/InfoListRules.h"

#include "base/StrUtils.h"

namespace ad {

bool HasLink(std::string_view target) { return !target.empty() && target != "-"; }

bool IsWebAddress(std::string_view address) {
    size_t start = 0;
    if (StartsText("http://", address)) start = 7;
    else if (StartsText("https://", address)) start = 8;
    else return false;
    if (address.size() <= start) return false;
    for (char c : address)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
    return true;
}

int ListIndex(std::string_view field, int count) {
    const std::string t = Trim(field);
    if (t.empty() || count <= 0) return -1;
    int value = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
        if (value >= count) return -1;
    }
    return value;
}

int64_t DonationAmount(int64_t fieldValue) { return fieldValue > 0 ? fieldValue : kDefaultDonation; }

}  // namespace ad
