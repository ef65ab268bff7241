// The check list box: check states follow their items through every change of
// the list, before and after the window exists, and the window shows them.
#include "framework/CheckLst.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/Exception.h"
#include "framework/Forms.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

std::string CheckedText(TCheckListBox& box) {
    std::string s;
    for (int i = 0; i < box.Count(); ++i) s += box.Items().Get(i) + (box.Checked(i) ? "+ " : "- ");
    return s;
}

TEST(CheckListBox, StatesFollowTheirItemsThroughEveryChange) {
    auto form = std::make_unique<TForm>(nullptr);
    auto* box = new TCheckListBox(form.get());
    box->SetParent(form.get());
    for (const char* item : {"a", "b", "c", "d"}) box->Items().Add(item);
    box->SetChecked(1, true);
    box->SetChecked(3, true);
    form->Show();  // the window takes the items and the states
    test::PumpPending();
    EXPECT_EQ(::SendMessageW(box->Handle(), LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(CheckedText(*box), "a- b+ c- d+ ");

    box->Items().Insert(0, "z");
    EXPECT_EQ(CheckedText(*box), "z- a- b+ c- d+ ");
    box->Items().Delete(2);
    EXPECT_EQ(CheckedText(*box), "z- a- c- d+ ");
    box->Items().Exchange(0, 3);
    EXPECT_EQ(CheckedText(*box), "d+ a- c- z- ");
    box->Items().Move(0, 2);
    EXPECT_EQ(CheckedText(*box), "a- c- d+ z- ");
    box->Items().Put(2, "D");
    EXPECT_EQ(CheckedText(*box), "a- c- D+ z- ");
    EXPECT_THROW(box->SetChecked(4, true), EListError);
    EXPECT_THROW(box->Checked(-1), EListError);

    // Disabled, a click changes nothing.
    int clicks = 0;
    box->OnClickCheck = [&](TObject*) { ++clicks; };
    box->SetEnabled(false);
    RECT r = box->ItemRect(0);
    test::SendClick(box->Handle(), r.left + 5, (r.top + r.bottom) / 2);
    EXPECT_EQ(CheckedText(*box), "a- c- D+ z- ");
    EXPECT_EQ(clicks, 0);
    box->Items().Clear();
    EXPECT_EQ(box->Count(), 0);
}

}  // namespace
}  // namespace ad
