// Tests of the skin list over a real skin folder: stored and packed skins
// with and without previews, thumbnails brought to 140 x 100, the notices to
// listeners, and a window showing the thumbnails (saved with screenshots on).
#include "skin/engine/win/SkinListController.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "framework/Forms.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/PaintWindowTestWriter.h"
#include "skin/engine/testkit/PngTestWriter.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "testsupport/TempFolder.h"

namespace ad::skin {
namespace {

using Bytes = std::vector<uint8_t>;

// An RGBA preview: a vertical gradient of the given hue with a light band.
Bytes PreviewPng(int w, int h, int r, int g, int b) {
    pngtest::Image img;
    img.Width = w, img.Height = h, img.ColorType = 6, img.Filter = 0;
    img.Sample = [=](int x, int y, int c) -> uint32_t {
        const bool band = y > h / 3 && y < h / 3 + 12 && x > 10 && x < w - 10;
        const int shade = 255 - y * 120 / h;
        const int v[4] = {band ? 240 : r * shade / 255, band ? 240 : g * shade / 255, band ? 240 : b * shade / 255, 255};
        return uint32_t(v[c]);
    };
    return pngtest::Write(img);
}

Bytes PackedSkin(const Bytes& preview) {
    return asztest::Pack({{"Options.dat", asztest::Text("[GLOBALINFO]\nVERSION=11\n")}}, "ASzf", preview);
}

std::string AsString(const Bytes& b) { return std::string(b.begin(), b.end()); }

// A form that records the skin commands it hears.
class TListener : public TForm {
public:
    using TForm::TForm;
    std::vector<int> Heard;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == SKM_SKINCMD) Heard.push_back(SkinCommandOf(m.WParam));
        TForm::WndProc(m);
    }
};

class SkinListTest : public testing::Test {
protected:
    test::TempDir dir;
    TSkinManager manager{nullptr};
    void SetUp() override {
        manager.SetSkinDirectory(dir.Folder());
        dir.Write("Blue.asz", AsString(PackedSkin(PreviewPng(140, 100, 60, 110, 230))));
        dir.Write("Plain.asz", AsString(PackedSkin({})));
        dir.Write("Upper.ASZ", AsString(PackedSkin(PreviewPng(140, 100, 0, 0, 0))));
        std::filesystem::create_directory(test::PathOfName(dir.File("Folder")));
        dir.Write("Folder\\Options.dat", "[GLOBALINFO]\n");
        const Bytes stored = PackedSkin(PreviewPng(70, 50, 220, 120, 40));
        manager.InternalSkins.AddFromData("Stored", stored.data(), stored.size());
    }
};

TEST_F(SkinListTest, ListsTheManagersSkinsOfEachKind) {
    std::string first;
    EXPECT_EQ(ListSkins(manager, slFoldersAndPacked, first),
              (std::vector<std::string>{"Blue", "Folder", "Plain", "Stored"}));
    EXPECT_EQ(first, "Stored");
    EXPECT_EQ(ListSkins(manager, slPacked, first), (std::vector<std::string>{"Blue", "Plain", "Stored"}));
    manager.SetSkinDirectory(dir.File("missing"));
    EXPECT_EQ(ListSkins(manager, slFoldersAndPacked, first), (std::vector<std::string>{"Stored"}));
}

TEST_F(SkinListTest, EntriesCarryThumbnailsOfTheirPreviews) {
    TSkSkinListController list(manager);
    TListener listener(nullptr);
    list.Listeners.push_back(&listener);
    list.Rebuild();
    std::map<std::string, int> index;
    for (const auto& e : list.Entries()) index[e.Name] = e.ImageIndex;
    ASSERT_EQ(index.size(), 3u);  // Stored, Blue, Plain; Upper.ASZ is not a packed skin name
    EXPECT_EQ(index["Plain"], -1);
    ASSERT_GE(index["Blue"], 0);
    ASSERT_GE(index["Stored"], 0);
    // The manager keeps them, at the thumbnail size.
    TImageList& images = list.Images();
    EXPECT_EQ(&images, &manager.SkinThumbnails(1, 1));
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(images.Width(), TSkSkinListController::ThumbnailWidth);
    EXPECT_EQ(images.Height(), TSkSkinListController::ThumbnailHeight);
    // The blue preview's top-left pixel: blue strongest.
    DibSection32 drawn(TSkSkinListController::ThumbnailWidth, TSkSkinListController::ThumbnailHeight);
    {
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope selected(dc.Get(), drawn.Get());
        images.Draw(dc.Get(), index["Blue"], 0, 0);
        ::GdiFlush();
    }
    const uint32_t p = drawn.Row(2)[2];
    EXPECT_GT(p & 0xFF, (p >> 16) & 0xFF);
    EXPECT_EQ(listener.Heard, (std::vector<int>{SKC_SKINLISTUPDATE}));  // sent, not posted
    list.Rebuild();  // made again, not added twice
    EXPECT_EQ(images.Count(), 2);

    std::vector<uint8_t> preview;
    EXPECT_FALSE(ReadPreviewFromFile(preview, dir.File("gone.asz")));
    EXPECT_FALSE(ReadPreviewFromFile(preview, dir.File("Plain.asz")));
    EXPECT_TRUE(ReadPreviewFromFile(preview, dir.File("Blue.asz")));
}

TEST_F(SkinListTest, ListChangesArePostedToListenersWithAWindow) {
    TSkSkinListController list(manager);
    TListener windowed(nullptr), plain(nullptr);
    windowed.Handle();
    list.Listeners = {&windowed, &plain};
    list.NotifyListChanged();
    EXPECT_TRUE(windowed.Heard.empty());  // posted: heard once messages are processed
    EXPECT_EQ(plain.Heard, (std::vector<int>{SKC_SKINLISTCHANGED}));  // no window yet: performed at once
    EXPECT_TRUE(test::PumpUntil([&] { return !windowed.Heard.empty(); }));
    EXPECT_EQ(windowed.Heard, (std::vector<int>{SKC_SKINLISTCHANGED}));
}

TEST_F(SkinListTest, AWindowShowsTheThumbnails) {
    TSkSkinListController list(manager);
    list.Rebuild();
    const int w = TSkSkinListController::ThumbnailWidth, h = TSkSkinListController::ThumbnailHeight;
    painttest::PaintWindow window(L"Skins", 3 * (w + 12) + 12, h + 44, [&](HDC dc, const RECT&) {
        int x = 12;
        for (const auto& e : list.Entries()) {
            RECT frame{x - 1, 11, x + w + 1, 12 + h + 1};
            ::FrameRect(dc, &frame, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
            if (e.ImageIndex >= 0) list.Images().Draw(dc, e.ImageIndex, x, 12);
            RECT text{x, 16 + h, x + w, 40 + h};
            ::DrawTextA(dc, e.Name.c_str(), -1, &text, DT_CENTER | DT_SINGLELINE);
            x += w + 12;
        }
    });
    painttest::SaveWindowShot(window.Handle(), "SkinList.bmp");
    EXPECT_EQ(list.Entries().size(), 3u);
}

}  // namespace
}  // namespace ad::skin
