// Windows tests of the bound caption label of an edit: its name and text,
// where it stands and how far it grows, following the edit's moves, enabled
// state and visibility, clicks passed on, and a new label after deactivation.
#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "skin/engine/win/SkinBoundLabel.h"
#include "testsupport/GuiTest.h"

namespace ad::skin {
namespace {

// An edit whose window procedure hands its messages to its bound label.
class TBoundEdit : public TEdit {
public:
    explicit TBoundEdit(TComponent* AOwner) : TEdit(AOwner) {}
    TSkinCommonData Data{this, false};
    TSkinBoundLabel BoundLabel{&Data};

    void WndProc(TMessage& m) override {
        TEdit::WndProc(m);
        BoundLabel.HandleOwnerMessage(m, this);
    }
};

struct TEditFixture {
    TEditFixture() {
        Form.SetBounds(60, 60, 420, 240);
        Form.Show();
        Edit = MakeControl<TBoundEdit>(&Form, &Form, "edtName", 150, 60, 120, 21);
    }
    TForm Form{nullptr};
    TBoundEdit* Edit;
};

TEST(SkinBoundLabel, ShowsTheControlsNameBesideItWhenActivatedWithoutCaption) {
    TEditFixture f;
    TSkinBoundLabel& b = f.Edit->BoundLabel;
    b.SetIndent(6);
    b.SetActive(true);
    TLabel* label = b.Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Name, "edtNameLabel");
    EXPECT_EQ(label->Caption(), "edtName");
    EXPECT_EQ(label->Parent(), &f.Form);
    EXPECT_EQ(b.FocusControl(), f.Edit);
    EXPECT_EQ(label->Alignment(), taRightJustify);
    EXPECT_EQ(label->Left() + label->Width(), 150 - 6 - 4);
    EXPECT_EQ(label->Top(), 60 + (21 - label->Height()) / 2);

    b.SetCaption("Name:");
    EXPECT_EQ(label->Caption(), "Name:");
    b.SetLayout(sclTopLeft);
    EXPECT_EQ(label->Left(), 150);
    EXPECT_EQ(label->Top() + label->Height() + 6, 60);
    EXPECT_EQ(label->Alignment(), taLeftJustify);

    // The edit moves: the label follows.
    f.Edit->SetBounds(200, 120, 120, 21);
    EXPECT_EQ(label->Left(), 200);
    EXPECT_EQ(label->Top() + label->Height() + 6, 120);
}

TEST(SkinBoundLabel, GrowsToItsLargestWidthBeforeWrapping) {
    TEditFixture f;
    TSkinBoundLabel& b = f.Edit->BoundLabel;
    const std::string text = "A caption long enough to need more than one hundred pixels";
    b.SetCaption(text);
    b.SetLayout(sclBottomLeft);
    b.SetActive(true);
    const int oneLine = b.Label()->Height();
    EXPECT_GT(b.Label()->Width(), 100);  // MaxWidth 0: up to 9999 pixels
    b.SetMaxWidth(80);
    EXPECT_LE(b.Label()->Width(), 80);
    EXPECT_GT(b.Label()->Height(), oneLine);
}

TEST(SkinBoundLabel, FollowsEnabledAndVisibleAndPassesClicksOn) {
    TEditFixture f;
    TSkinBoundLabel& b = f.Edit->BoundLabel;
    b.SetActive(true);
    f.Edit->SetEnabled(false);
    EXPECT_FALSE(b.Label()->Enabled());
    b.SetEnabledAlways(true);
    f.Edit->SetEnabled(true);
    f.Edit->SetEnabled(false);
    EXPECT_TRUE(b.Label()->Enabled());
    f.Edit->Hide();
    EXPECT_FALSE(b.Label()->Visible());
    f.Edit->Show();
    EXPECT_TRUE(b.Label()->Visible());

    int clicks = 0;
    f.Edit->OnClick = [&](TObject*) { ++clicks; };
    b.Label()->Click();
    EXPECT_EQ(clicks, 0);
    b.SetAllowClick(true);
    b.Label()->Click();
    EXPECT_EQ(clicks, 1);
    b.SetAllowClick(false);
    b.Label()->Click();
    EXPECT_EQ(clicks, 1);
}

TEST(SkinBoundLabel, DeactivatingFreesTheLabelAndActivatingMakesANewOne) {
    TEditFixture f;
    TSkinBoundLabel& b = f.Edit->BoundLabel;
    b.SetActive(true);
    ASSERT_NE(b.Label(), nullptr);
    const int children = f.Form.ControlCount();
    b.SetActive(false);
    EXPECT_EQ(b.Label(), nullptr);
    EXPECT_EQ(f.Form.ControlCount(), children - 1);
    f.Edit->Name = "edtOther";
    b.SetActive(true);
    ASSERT_NE(b.Label(), nullptr);
    EXPECT_EQ(b.Label()->Name, "edtOtherLabel");
    EXPECT_EQ(b.Label()->Caption(), "edtOther");
    EXPECT_TRUE(b.Label()->HandleAllocated());
}

}  // namespace
}  // namespace ad::skin
