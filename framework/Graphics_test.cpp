// Pictures: what they own is freed when they let it go, what they borrow is
// not; graphics of registered file formats loaded by extension.
#include "framework/Graphics.h"

#include <gtest/gtest.h>

#include "testsupport/TestUtils.h"

namespace ad {
namespace {

bool IconAlive(HICON icon) {
    ICONINFO ii{};
    if (!::GetIconInfo(icon, &ii)) return false;
    OwnedBitmap color(ii.hbmColor), mask(ii.hbmMask);
    return true;
}

bool BitmapAlive(HBITMAP bitmap) {
    BITMAP bm{};
    return ::GetObjectW(bitmap, sizeof bm, &bm) != 0;
}

TEST(Picture, FreesWhatItOwnsWhenReplacedClearedOrGone) {
    HICON shared = ::LoadIconW(nullptr, IDI_WARNING);
    OwnedIcon lent(::CopyIcon(shared));
    HICON owned = ::CopyIcon(shared);
    HBITMAP bitmap = ::CreateBitmap(8, 4, 1, 32, nullptr);
    HICON last = ::CopyIcon(shared);
    int changes = 0;
    {
        TPicture p;
        p.OnChange = [&] { ++changes; };
        p.SetIcon(OwnedIcon(owned));
        EXPECT_EQ(p.Icon(), owned);
        p.SetIcon(lent);
        EXPECT_FALSE(IconAlive(owned));
        EXPECT_EQ(p.Icon(), lent.Get());
        p.SetBitmap(OwnedBitmap(bitmap));
        EXPECT_TRUE(IconAlive(lent.Get()));  // borrowed: left alone
        EXPECT_EQ(p.Icon(), nullptr);
        EXPECT_EQ(p.Width(), 8);
        EXPECT_EQ(p.Height(), 4);
        p.Clear();
        EXPECT_FALSE(BitmapAlive(bitmap));
        EXPECT_TRUE(p.Empty());
        p.SetIcon(OwnedIcon(last));
    }
    EXPECT_FALSE(IconAlive(last));
    EXPECT_TRUE(IconAlive(lent.Get()));
    EXPECT_EQ(changes, 4);
}

// A graphic of the file format ".tgr": its first two bytes are its width and
// height, it fills its rectangle with its third byte as grey; fewer than three
// bytes are damage.
class TTestGraphic : public TGraphic {
public:
    void Draw(HDC dc, const RECT& dest) override {
        OwnedBrush brush(::CreateSolidBrush(RGB(grey_, grey_, grey_)));
        ::FillRect(dc, &dest, brush.Get());
    }
    int Width() const override { return w_; }
    int Height() const override { return h_; }
    bool Empty() const override { return w_ == 0; }
    void LoadFromStream(TStream& stream) override {
        uint8_t b[3];
        if (stream.Read(b, 3) != 3) throw EInvalidGraphic("Damaged test graphic");
        w_ = b[0], h_ = b[1], grey_ = b[2];
    }

private:
    int w_ = 0, h_ = 0;
    uint8_t grey_ = 0;
};

TEST(Picture, LoadsRegisteredFormatsByExtensionAndKeepsItsContentOnFailure) {
    TPicture::RegisterFileFormat("TGR", "Test graphic", [] { return std::make_unique<TTestGraphic>(); });
    ASSERT_TRUE(TPicture::FindFileFormat("tgr"));
    EXPECT_EQ(TPicture::FindFileFormat("tgr")->Description, "Test graphic");

    test::TempDir dir;
    const std::string good = dir.Write("a.b.Tgr", std::string("\x07\x05\x80", 3));
    const std::string damaged = dir.Write("d.tgr", "\x07");
    const std::string unknown = dir.Write("p.xyz", std::string("\x07\x05\x80", 3));
    const std::string bare = dir.Write("tgr", std::string("\x07\x05\x80", 3));

    TPicture p;
    int changes = 0;
    p.OnChange = [&] { ++changes; };
    p.LoadFromFile(good);
    ASSERT_NE(dynamic_cast<TTestGraphic*>(p.Graphic()), nullptr);
    EXPECT_FALSE(p.Empty());
    EXPECT_EQ(p.Width(), 7);
    EXPECT_EQ(p.Height(), 5);
    EXPECT_EQ(changes, 1);

    struct Case {
        std::string file;
        const char* message;  // nullptr: the graphic's own error
    } cases[] = {
        {unknown, "Unknown picture file extension (.xyz)"},
        {bare, "Unknown picture file extension ()"},
        {damaged, nullptr},
    };
    for (const Case& c : cases) {
        TGraphic* before = p.Graphic();
        try {
            p.LoadFromFile(c.file);
            ADD_FAILURE() << c.file << " loaded";
        } catch (const EInvalidGraphic& e) {
            if (c.message) {
                EXPECT_EQ(e.Message, c.message);
            }
        }
        EXPECT_EQ(p.Graphic(), before) << c.file;
    }
    EXPECT_EQ(changes, 1);

    // Drawn through the graphic; a bitmap or icon set later replaces it.
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    OwnedBitmap target(::CreateBitmap(10, 10, 1, 32, nullptr));
    SelectObjectScope sel(dc.Get(), target.Get());
    p.Draw(dc.Get(), RECT{2, 2, 9, 7});
    EXPECT_EQ(::GetPixel(dc.Get(), 2, 2), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(::GetPixel(dc.Get(), 1, 1), RGB(0, 0, 0));
    p.SetBitmap(OwnedBitmap(::CreateBitmap(3, 2, 1, 32, nullptr)));
    EXPECT_EQ(p.Graphic(), nullptr);
    EXPECT_EQ(p.Width(), 3);
}

}  // namespace
}  // namespace ad
