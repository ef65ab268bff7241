// The list view's image lists: the control never destroys them, and a shared
// list (the shell's) is shown but never changed.
#include "framework/ListView.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Forms.h"
#include "framework/ShellIcon.h"

namespace ad {
namespace {

TEST(ListView, ItsWindowLeavesTheImageListsItShows) {
    auto form = std::make_unique<TForm>(nullptr);
    auto* images = new TImageList(form.get(), 16, 16);
    ASSERT_EQ(images->AddIcon(IconRef(::LoadIconW(nullptr, IDI_APPLICATION))), 0);
    auto* list = new TListView(form.get());
    list->SetParent(form.get());
    list->SetSmallImages(images);
    list->SetLargeImages(images);
    HWND wnd = list->Handle();
    ASSERT_TRUE(::IsWindow(wnd));
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageW(wnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0)), images->Handle());
    delete list;  // its window goes; the list's owner is the form
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_EQ(::ImageList_GetImageCount(images->Handle()), 1);
}

TEST(ListView, ASharedImageListIsShownButNeverChanged) {
    for (TShellIconSize size : {TShellIconSize::Small, TShellIconSize::Large}) {
        HIMAGELIST system = ShellImageList(size);
        ASSERT_NE(system, nullptr);
        int count = ::ImageList_GetImageCount(system);
        ASSERT_GT(count, 0);
        {
            TImageList shared(nullptr, system);
            EXPECT_TRUE(shared.Shared());
            EXPECT_EQ(shared.Width(), ::GetSystemMetrics(size == TShellIconSize::Small ? SM_CXSMICON : SM_CXICON));
            EXPECT_EQ(shared.AddIcon(IconRef(::LoadIconW(nullptr, IDI_APPLICATION))), -1);
            shared.Clear();
            EXPECT_EQ(shared.Count(), count);
        }
        EXPECT_EQ(::ImageList_GetImageCount(system), count);  // not destroyed with the component
    }
}

}  // namespace
}  // namespace ad
