// The shell's icons of files and folders: sizes, and nothing for what is not there.
#include "framework/ShellIcon.h"

#include <gtest/gtest.h>

#include "framework/SysUtils.h"

namespace ad {
namespace {

int IconWidth(IconRef icon) {
    ICONINFO ii{};
    if (!::GetIconInfo(icon.Get(), &ii)) return 0;
    OwnedBitmap color(ii.hbmColor), mask(ii.hbmMask);
    BITMAP bm{};
    ::GetObjectW(color ? color.Get() : mask.Get(), sizeof bm, &bm);
    return bm.bmWidth;
}

TEST(ShellIcon, OfExistingAndMissingFiles) {
    const std::string exe = ModuleFileName();
    OwnedIcon small = ShellIcon(exe, TShellIconSize::Small);
    OwnedIcon large = ShellIcon(exe, TShellIconSize::Large);
    ASSERT_TRUE(small);
    ASSERT_TRUE(large);
    EXPECT_EQ(IconWidth(small), ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(IconWidth(large), ::GetSystemMetrics(SM_CXICON));
    EXPECT_TRUE(ShellIcon(ExtractFilePath(exe), TShellIconSize::Small));  // a folder has an icon too
    EXPECT_TRUE(ShellIcon(ExcludeTrailingPathDelimiter(ExtractFilePath(exe)), TShellIconSize::Small));
    EXPECT_FALSE(ShellIcon(exe + ".missing", TShellIconSize::Small));
    EXPECT_FALSE(ShellIcon(exe + ".missing", TShellIconSize::Large));
    EXPECT_FALSE(ShellIcon("", TShellIconSize::Small));
}

TEST(ShellIcon, IndexesInTheSystemImageList) {
    const std::string exe = ModuleFileName();
    for (TShellIconSize size : {TShellIconSize::Small, TShellIconSize::Large}) {
        int count = ::ImageList_GetImageCount(ShellImageList(size));
        int index = ShellIconIndex(exe, size);
        EXPECT_GE(index, 0);
        EXPECT_LT(index, ::ImageList_GetImageCount(ShellImageList(size)));
        EXPECT_GT(count, 0);
        EXPECT_EQ(ShellIconIndex(exe + ".missing", size), -1);
        EXPECT_EQ(ShellIconIndex("", size), -1);
        int generic = ShellTypeIconIndex(".exe", size);  // no file needed
        EXPECT_GE(generic, 0);
        EXPECT_LT(generic, ::ImageList_GetImageCount(ShellImageList(size)));
    }
    EXPECT_NE(ShellImageList(TShellIconSize::Small), ShellImageList(TShellIconSize::Large));
}

}  // namespace
}  // namespace ad
