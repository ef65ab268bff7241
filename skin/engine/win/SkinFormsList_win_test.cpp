// Tests of the skinned-forms list and the form broadcasts: removing unlisted,
// only and doubly listed forms, a form freed by a handler during a broadcast,
// and the skin-change freeze (never while the application is minimised).
#include "skin/engine/win/SkinFormsList.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/testkit/RecordingForm.h"
#include "testsupport/GuiTest.h"

namespace ad::skin {
namespace {

using formtest::TRecordingForm;

TEST(SkinnedForms, RemovingTakesEveryEntryOfTheFormAndNothingElse) {
    TRecordingForm a(nullptr), b(nullptr), unlisted(nullptr);
    AddSkinnedForm(&a);
    AddSkinnedForm(&b);
    AddSkinnedForm(&a);
    RemoveSkinnedForm(&unlisted);
    EXPECT_EQ(SkinnedForms(), (std::vector<TForm*>{&a, &b, &a}));
    RemoveSkinnedForm(&a);
    EXPECT_EQ(SkinnedForms(), (std::vector<TForm*>{&b}));
    RemoveSkinnedForm(&b);
    EXPECT_TRUE(SkinnedForms().empty());
}

TEST(SkinnedForms, AFormFreedByAHandlerDuringABroadcastIsNotVisited) {
    auto* first = new TRecordingForm(Application);
    auto* second = new TRecordingForm(Application);
    auto* third = new TRecordingForm(Application);
    for (TRecordingForm* f : {first, second, third}) f->Handle();
    bool freed = false;
    // The walk goes last to first: the third form's handler frees the other two.
    third->OnCommand = [&] {
        if (freed) return;
        freed = true;
        delete second;
        delete first;
    };
    TMessage m{SKM_SKINCMD, SkinCommandWParam(SKC_REPAINT), 0, 0};
    BroadcastToForms(m);
    EXPECT_TRUE(freed);
    EXPECT_EQ(std::count(third->Commands.begin(), third->Commands.end(), SKC_REPAINT), 1);  // once, though it moved
    delete third;
}

TEST(SkinnedForms, ListedFormsReceiveTheirBroadcastAndForEachFindsProvidersOnly) {
    TRecordingForm a(nullptr);
    a.Handle();
    AddSkinnedForm(&a);
    TMessage m{SKM_SKINCMD, SkinCommandWParam(SKC_SKINREFRESH), 0, 0};
    BroadcastToSkinnedForms(m);
    EXPECT_EQ(a.Commands, (std::vector<int>{SKC_SKINREFRESH}));
    int visited = 0;
    ForEachSkinnedForm([&](TForm*, LRESULT) { ++visited; });
    EXPECT_EQ(visited, 0);  // invisible, and no provider answers
    RemoveSkinnedForm(&a);
}

TEST(SkinnedForms, AFreezeHoldsDrawingUntilItEndsAndNeverWhileMinimised) {
    TRecordingForm a(nullptr);
    a.SetBounds(10, 10, 120, 80);
    a.Show();
    AddSkinnedForm(&a);
    {
        TSkinChangeFreeze off(false);
        EXPECT_TRUE(off.Frozen().empty());
    }
    {
        TSkinChangeFreeze freeze(true);
        EXPECT_EQ(a.Redraws, (std::vector<WPARAM>{0}));
    }
    EXPECT_EQ(a.Redraws, (std::vector<WPARAM>{0, 1}));

    TForm* mainForm = std::exchange(Application->MainForm, &a);
    ::ShowWindow(a.Handle(), SW_MINIMIZE);
    a.Redraws.clear();
    {
        TSkinChangeFreeze freeze(true);
        EXPECT_TRUE(freeze.Frozen().empty());
    }
    EXPECT_TRUE(a.Redraws.empty());
    Application->MainForm = mainForm;
    RemoveSkinnedForm(&a);
}

}  // namespace
}  // namespace ad::skin
