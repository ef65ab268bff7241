// The adapters' class-name lists: defaults, first list wins, line handling.
#include "skin/engine/skinfile/SkinThirdParty.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

TEST(SkinThirdParty, DefaultsNameOnlyTheButton) {
    TSkThirdPartyList lists;
    EXPECT_EQ(lists.KindOf("TButton"), akButton);
    EXPECT_EQ(lists.KindOf("TEdit"), std::nullopt);
    EXPECT_EQ(lists.KindOf(" "), std::nullopt);
    EXPECT_EQ(lists.KindOf(""), std::nullopt);
    EXPECT_TRUE(lists.HasAny());
    EXPECT_STREQ(kThirdPartyListNames[akButton], "ThirdButtons");
    EXPECT_STREQ(kThirdPartyListNames[akNativePaint], "ThirdNativePaint");
}

TEST(SkinThirdParty, FirstListNamingAClassWinsAndNamesAreExact) {
    TSkThirdPartyList lists;
    lists.SetText(akEdit, "TMemo\r\n  TButton \r\n\r\nTEdit");
    lists.SetText(akCheckBox, "TCheckBox\nTRadioButton\n");
    EXPECT_EQ(lists.KindOf("TButton"), akEdit);  // the edit list comes first
    EXPECT_EQ(lists.KindOf("TEdit"), akEdit);
    EXPECT_EQ(lists.KindOf("TRadioButton"), akCheckBox);
    EXPECT_EQ(lists.KindOf("tcheckbox"), std::nullopt);  // case-sensitive
    lists.SetText(akEdit, "");
    EXPECT_EQ(lists.KindOf("TButton"), akButton);  // a change is seen at the next lookup
    for (int k = 0; k < kAdapterKindCount; ++k) lists.SetText(TSkAdapterKind(k), " ");
    EXPECT_FALSE(lists.HasAny());
}

}  // namespace
}  // namespace ad::skin
