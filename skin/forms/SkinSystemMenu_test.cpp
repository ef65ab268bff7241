// The skin list of the skinned system menu: its items, columns and check
// mark, made again without doubling, and the skin a click selects.
#include "skin/forms/SkinSystemMenu.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "testsupport/TempFolder.h"

namespace ad::skin::forms {
namespace {

TEST(SkinItems, ListTheSkinsInColumnsOfTwentyWithTheCurrentOneChecked) {
    ad::test::TempDir dir;
    for (int i = 0; i < 45; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Skin%02d.asz", i);
        std::ofstream(dir.Path() + name) << "x";
    }
    TSkinManager manager(nullptr);
    manager.SetActive(false);  // names only: no skin is loaded
    manager.SetSkinDirectory(dir.Path().substr(0, dir.Path().size() - 1));
    manager.SetSkinName("Skin03");
    TPopupMenu menu(nullptr);
    menu.Items().Add("Restore");
    for (int round = 0; round < 2; ++round) {  // made again, the list is not doubled
        SCOPED_TRACE(round);
        AddSkinItems(menu, manager);
        ASSERT_EQ(menu.Items().Count(), 3);
        TMenuItem* list = menu.Items().Items(0);
        EXPECT_EQ(list->Name, "SkinSelectItem");
        EXPECT_TRUE(menu.Items().Items(1)->IsLine());
        EXPECT_EQ(menu.Items().Items(2)->Caption, "Restore");
        ASSERT_EQ(list->Count(), 45);
        for (int i = 0; i < 45; ++i) {
            const TMenuItem* item = list->Items(i);
            EXPECT_EQ(item->Name, "SkinSelectItem" + std::to_string(i));
            EXPECT_TRUE(item->RadioItem);
            EXPECT_EQ(item->Break == TMenuBreak::mbBreak, i == 20 || i == 40) << i;
            EXPECT_EQ(item->Checked, i == 3) << i;
        }
    }
}

TEST(SkinItems, AClickSelectsTheSkinItsCaptionNames) {
    const struct {
        const char* caption;
        const char* name;
    } cases[] = {
        {"&Foo (internal)", "Foo"},
        {"F&oo", "Foo"},
        {"Foo (internal) 2", "Foo (internal) 2"},  // the marker counts at the end only
        {"(internal)", "(internal)"},
    };
    for (const auto& c : cases) EXPECT_EQ(SkinNameOfItemCaption(c.caption), c.name) << c.caption;

    ad::test::TempDir dir;
    std::ofstream(dir.Path() + "Bar.asz") << "x";
    TSkinManager manager(nullptr);
    manager.SetActive(false);
    manager.SetSkinDirectory(dir.Path().substr(0, dir.Path().size() - 1));
    TPopupMenu menu(nullptr);
    AddSkinItems(menu, manager);
    ASSERT_EQ(menu.Items().Items(0)->Count(), 1);
    TMenuItem* item = menu.Items().Items(0)->Items(0);
    EXPECT_EQ(item->Caption, "Bar");
    item->Caption = "&Foo (internal)";  // as a stored skin's item reads
    item->Click();
    EXPECT_EQ(manager.SkinName(), "Foo");
}

}  // namespace
}  // namespace ad::skin::forms
