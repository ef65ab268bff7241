// Pictures: what they own is freed when they let it go, what they borrow is not.
#include "framework/Graphics.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ad
