// The packed-skin writer read back by the packed-skin reader.
#include "skin/engine/skinfile/SkinPackWriter.h"

#include <gtest/gtest.h>

#include "skin/engine/skinfile/skPackedSkin.h"

namespace ad::skin {
namespace {

TEST(SkinPackWriter, ReadsBackEntryByEntry) {
    const std::string ini = "[GLOBALINFO]\r\nVERSION=11\r\n";
    std::vector<uint8_t> big(70000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 7);
    const auto packed = PackSkinEntries({{"Options.dat", {ini.begin(), ini.end()}}, {"MASTER.BMP", big}, {"EMPTY.BMP", {}}});
    TSkSkinConvertor c;
    ASSERT_TRUE(ReadPackedSkinEntries(c, packed.data(), packed.size())) << c.LastError;
    ASSERT_TRUE(c.IniStream);
    EXPECT_EQ(std::string(c.IniStream->begin(), c.IniStream->end()), ini);
    ASSERT_EQ(c.Entries.size(), 2u);
    EXPECT_EQ(c.Entries[0].Name, "MASTER.BMP");
    EXPECT_EQ(c.Entries[0].Data, big);
    EXPECT_TRUE(c.Entries[1].Data.empty());
    EXPECT_TRUE(c.LastError.empty());
}

}  // namespace
}  // namespace ad::skin
