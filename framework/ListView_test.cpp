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

TEST(ImageList, EveryRegisteredUserHearsEachChangeUntilItLeaves) {
    TImageList list(nullptr, 16, 16);
    int first = 0, second = 0, plain = 0;
    list.OnChange = [&] { ++plain; };
    {
        TChangeLink a, b;
        a.OnChange = [&] { ++first; };
        b.OnChange = [&] { ++second; };
        list.RegisterChanges(a);
        list.RegisterChanges(b);
        list.RegisterChanges(a);  // once is enough
        EXPECT_EQ(a.Sender(), &list);
        list.Change();
        EXPECT_EQ(first, 1);
        EXPECT_EQ(second, 1);
        list.UnRegisterChanges(a);
        EXPECT_EQ(a.Sender(), nullptr);
        list.Change();
        EXPECT_EQ(first, 1);
        EXPECT_EQ(second, 2);
    }  // b leaves by going
    list.Change();
    EXPECT_EQ(second, 2);
    EXPECT_EQ(plain, 3);

    // A user that makes another leave while being told: the one that left hears nothing more.
    TChangeLink late;
    {
        TImageList gone(nullptr, 16, 16);
        TChangeLink leaver;
        int lateTold = 0;
        leaver.OnChange = [&] { gone.UnRegisterChanges(late); };
        late.OnChange = [&] { ++lateTold; };
        gone.RegisterChanges(leaver);
        gone.RegisterChanges(late);
        gone.Change();
        EXPECT_EQ(lateTold, 0);
        gone.RegisterChanges(late);
    }  // a link outlives its list: it has no sender any more
    EXPECT_EQ(late.Sender(), nullptr);
}

}  // namespace
}  // namespace ad
