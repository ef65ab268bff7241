// The skinned edit: its skinned image and text while unfocused, the system's
// client area inside the skinned frame while focused, password characters.
#include "skin/controls/skEdit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "skin/controls/SkinControlsTestKit.h"
#include "skin/controls/skLabel.h"
#include "skin/controls/skPanel.h"

namespace ad::skin::controls {
namespace {

using namespace test;

// Left and right ends (exclusive) of the pixels of a colour; {0, 0} for none.
std::pair<int, int> ColourSpan(const ad::test::TPrintedImage& image, TColor color) {
    int left = image.Width, right = 0;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            if (image.At(x, y) == Rgb(color)) left = std::min(left, x), right = std::max(right, x + 1);
    return right > 0 ? std::make_pair(left, right) : std::make_pair(0, 0);
}

TEST(SkinEdit, UnfocusedItShowsTheSectionWithItsTextInTheFontColour) {
    TControlsFormFixture f;
    auto* edit = f.Add<TSkinEdit>(nullptr, 10, 10, 150, 24);
    edit->SetText("1BvK");
    f.Form.SetFocus();
    const auto image = Printed(edit);
    EXPECT_EQ(image.At(0, 0), Rgb(kEditColor));                       // the frame
    EXPECT_EQ(image.At(edit->Width() - 4, edit->Height() / 2), Rgb(kEditColor));  // the body past the text
    const auto span = ColourSpan(image, kEditFont);
    EXPECT_GT(span.second - span.first, 0);
    EXPECT_GE(span.first, edit->FrameWidth() + 1);  // the text starts inside the frame
}

TEST(SkinEdit, FocusedTheSystemPaintsTheClientInsideTheSkinnedFrame) {
    TControlsFormFixture f;
    auto* edit = f.Add<TSkinEdit>(nullptr, 10, 10, 150, 24);
    edit->SetText("1BvK");
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());
    edit->SelectAll();
    const auto image = Printed(edit);
    const int frame = edit->FrameWidth();
    EXPECT_EQ(image.At(0, 0), Rgb(kEditColor));
    // The system's painting shows the focused edit's selection.
    const RECT client{frame, frame, edit->Width() - frame, edit->Height() - frame};
    const TColor selection = TColor(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(CountColour(image, client, selection), 0);
    EXPECT_EQ(CountColour(image, {0, 0, image.Width, frame}, selection), 0);

    f.Form.SetFocus();
    const auto unfocused = Printed(edit);
    EXPECT_EQ(CountColour(unfocused, client, selection), 0);
    EXPECT_EQ(unfocused.At(edit->Width() - frame - 3, edit->Height() / 2), Rgb(kEditColor));
}

TEST(SkinEdit, APasswordEditDrawsOneCharacterPerCharacter) {
    TControlsFormFixture f;
    auto* password = new TSkinEdit(&f.Form);
    password->PasswordChar = L'*';
    password->SetParent(&f.Form);
    password->SetBounds(10, 10, 150, 24);
    password->SetText("abc");
    auto* stars = f.Add<TSkinEdit>(nullptr, 10, 50, 150, 24);
    stars->SetText("***");
    f.Form.SetFocus();
    const auto a = ColourSpan(Printed(password), kEditFont), b = ColourSpan(Printed(stars), kEditFont);
    EXPECT_GT(b.second - b.first, 0);
    EXPECT_EQ(a, b);
}

TEST(SkinEdit, AnEmptyEditStillPaintsItsSection) {
    TControlsFormFixture f;
    auto* edit = f.Add<TSkinEdit>(nullptr, 10, 10, 150, 24);
    f.Form.SetFocus();
    const auto image = Printed(edit);
    EXPECT_EQ(CountColour(image, {0, 0, image.Width, image.Height}, kEditColor), image.Width * image.Height);
}

TEST(SkinEdit, ItsBoundLabelIsASkinnedLabelThatFollowsIt) {
    TControlsFormFixture f;
    auto* panel = f.Add<TSkinPanel>(nullptr, 10, 10, 320, 100);
    auto* edit = f.Add<TSkinEdit>(panel, 120, 10, 150, 24);
    edit->Name = "edtWallet";
    edit->BoundLabel.SetActive(true);
    auto* label = dynamic_cast<TSkinEditLabel*>(edit->BoundLabel.Label());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), "edtWallet");
    EXPECT_EQ(label->Parent(), panel);
    EXPECT_EQ(label->FocusControl(), edit);
    EXPECT_EQ(label->GetLabelColor(), kPanelFont);  // the colour of what it lies on
    label->Font().SetColor(0x00FF00);
    edit->BoundLabel.SetUseSkinColor(false);
    EXPECT_EQ(label->GetLabelColor(), TColor(0x00FF00));
    edit->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
    edit->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    const HWND labelWindow = label->Handle();
    delete edit;  // its label goes with it
    EXPECT_FALSE(IsWindow(labelWindow));
}

TEST(SkinEdit, ADisabledEditLooksAsItsDisabledKindSays) {
    TControlsFormFixture f;
    auto* edit = f.Add<TSkinEdit>(nullptr, 10, 10, 150, 24);
    edit->SetEnabled(false);
    // How far apart the channels lie: greyed, little colour is left.
    auto spread = [](COLORREF c) {
        const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        return std::max({r, g, b}) - std::min({r, g, b});
    };
    const int y = edit->Height() / 2, x = edit->Width() - 4;
    const int blended = spread(Printed(edit).At(x, y));  // towards the form: some of its yellow stays
    EXPECT_GT(blended, 8);
    edit->SetDisabledKind(dkGrayed);
    EXPECT_LT(spread(Printed(edit).At(x, y)) * 3, blended);
}

}  // namespace
}  // namespace ad::skin::controls
