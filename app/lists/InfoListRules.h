// Rules the launcher's information windows (Software Center, Support Us,
// More Software) apply to the fields of their lists. The lists pass through
// files anyone can edit, so every field is checked before it is used: only
// web addresses go to the shell, and indexes are kept inside their range.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ad {

// Whether a link field names a link: a list's "-" (and an empty field) has none.
bool HasLink(std::string_view target);

// Whether an address may be handed to the shell from a list: it starts with
// "http://" or "https://" (any case) and has something after that, with no
// control characters or blanks in it.
bool IsWebAddress(std::string_view address);

// An index read from a list field: the decimal number (blanks around it
// allowed) when it lies in 0 .. count - 1, otherwise -1.
int ListIndex(std::string_view field, int count);

// The amount a donation page is opened with: the amount field's value when
// it is above 0, otherwise the default of 5 (an empty, zero, negative or
// unreadable field).
constexpr int kDefaultDonation = 5;
int64_t DonationAmount(int64_t fieldValue);

}  // namespace ad
