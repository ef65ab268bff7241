// Tests of the stored skins: defaults, Assign, the packed-skin bytes kept byte
// for byte (and readable as a packed skin), case-sensitive look-up and the
// change notices the owner receives.
#include "skin/engine/skinfile/SkinStoredSkins.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Exception.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/skinfile/skPackedSkin.h"

namespace ad::skin {
namespace {

using asztest::Bytes;

TEST(SkinStoredSkins, DefaultsAndAssign) {
    TSkinStoredSkin a;
    EXPECT_EQ(a.Shadow1Blur, -1);
    EXPECT_EQ(a.BorderColor, 0xFF00FF);
    EXPECT_EQ(a.Shadow1Offset, 0);
    EXPECT_EQ(a.Shadow1Transparency, 0);
    EXPECT_TRUE(a.Data().empty());

    a.Name = "Steel";
    a.Author = "someone";
    a.Description = "grey";
    a.Version = 11.5;
    a.BorderColor = 0x123456;
    a.Shadow1Color = 0x010203;
    a.Shadow1Offset = 3;
    a.Shadow1Blur = 6;
    a.Shadow1Transparency = 40;
    a.MasterBitmap.SetSize(2, 3);
    SetPixel32(a.MasterBitmap.View(), 1, 2, 0xAABBCCDD);
    const Bytes data = {1, 2, 3, 0, 255};
    a.ReadData(data.data(), data.size());

    TSkinStoredSkins list;
    int notices = 0;
    TSkinStoredSkin* last = nullptr;
    list.OnChange = [&](TSkinStoredSkin* item) {
        ++notices;
        last = item;
    };
    TSkinStoredSkin& b = list.Add();
    EXPECT_EQ(notices, 1);
    b.Assign(a);
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(last, &b);
    EXPECT_EQ(b.Collection(), &list);
    EXPECT_EQ(b.Name, "Steel");
    EXPECT_EQ(b.Author, "someone");
    EXPECT_EQ(b.Description, "grey");
    EXPECT_EQ(b.Version, 11.5);
    EXPECT_EQ(b.BorderColor, 0x123456);
    EXPECT_EQ(b.Shadow1Color, 0x010203);
    EXPECT_EQ(b.Shadow1Offset, 3);
    EXPECT_EQ(b.Shadow1Blur, 6);
    EXPECT_EQ(b.Shadow1Transparency, 40);
    EXPECT_EQ(b.Data(), data);
    ASSERT_EQ(b.MasterBitmap.Height(), 3);
    EXPECT_EQ(GetPixel32(b.MasterBitmap.View(), 1, 2), 0xAABBCCDDu);
    // The copy is its own: changing the source afterwards leaves it alone.
    SetPixel32(a.MasterBitmap.View(), 1, 2, 0);
    a.ReadData(nullptr, 0);
    EXPECT_EQ(GetPixel32(b.MasterBitmap.View(), 1, 2), 0xAABBCCDDu);
    EXPECT_EQ(b.Data(), data);
}

TEST(SkinStoredSkins, DataRoundTripIsAPackedSkin) {
    const Bytes ini = asztest::Text("[GLOBALINFO]\r\nVERSION=11.0\r\n");
    Bytes master(5000);
    for (size_t i = 0; i < master.size(); ++i) master[i] = uint8_t(i * 37 + i / 7);
    const Bytes packed = asztest::Pack({{"Options.dat", ini}, {"MASTER.BMP", master}, {"Close.png", {9, 8, 7}}},
                                       "ASzf", asztest::Text("preview bytes"));
    TSkinStoredSkins list;
    TSkinStoredSkin& item = list.AddFromData("Internal", packed.data(), packed.size());
    EXPECT_EQ(item.Name, "Internal");
    EXPECT_EQ(item.Data(), packed);

    // Out to a file and back into another item: the same bytes.
    const auto path = std::filesystem::temp_directory_path() / "SkinStoredSkins_test.asz";
    item.SaveDataToFile(path.string());
    TSkinStoredSkin& again = list.Add();
    again.LoadDataFromFile(path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(again.Data(), packed);
    EXPECT_THROW(again.LoadDataFromFile(path.string()), EFOpenError);
    EXPECT_EQ(again.Data(), packed);  // a failed load keeps what was there

    TSkSkinConvertor c;
    ASSERT_TRUE(ReadPackedSkinEntries(c, again.Data().data(), again.Data().size()));
    ASSERT_TRUE(c.IniStream);
    EXPECT_EQ(*c.IniStream, ini);
    ASSERT_EQ(c.Entries.size(), 2u);
    EXPECT_EQ(c.Entries[0].Name, "MASTER.BMP");
    EXPECT_EQ(c.Entries[0].Data, master);
    EXPECT_FALSE(c.Entries[0].NotBMP);
    EXPECT_EQ(c.Entries[1].Name, "Close.png");
    EXPECT_EQ(c.Entries[1].Data, (Bytes{9, 8, 7}));
    EXPECT_TRUE(c.Entries[1].NotBMP);
}

TEST(SkinStoredSkins, IndexOfNameDeleteAndNotices) {
    TSkinStoredSkins list;
    std::vector<TSkinStoredSkin*> seen;
    list.OnChange = [&](TSkinStoredSkin* item) { seen.push_back(item); };
    const uint8_t byte = 1;
    list.AddFromData("Blue", &byte, 1);
    list.AddFromData("blue", &byte, 1);
    list.AddFromData("Blue", nullptr, 0);
    ASSERT_EQ(seen.size(), 3u);  // one notice per added item
    EXPECT_EQ(seen[1], &list[1]);
    EXPECT_EQ(list.IndexOfName("Blue"), 0);
    EXPECT_EQ(list.IndexOfName("blue"), 1);
    EXPECT_EQ(list.IndexOfName("BLUE"), -1);
    EXPECT_EQ(list.IndexOfName(""), -1);

    list[2].Name = "Green";
    list[2].Changed();
    EXPECT_EQ(seen.back(), &list[2]);
    list.Delete(0);
    EXPECT_EQ(seen.back(), nullptr);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOfName("Green"), 1);
    EXPECT_THROW(list.Delete(2), EListError);
    EXPECT_THROW(list.Items(-1), EListError);
    const size_t before = seen.size();
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(seen.size(), before + 1);
    // A free-standing item notifies nobody.
    TSkinStoredSkin loose;
    loose.Changed();
    EXPECT_EQ(seen.size(), before + 1);
}

}  // namespace
}  // namespace ad::skin
