// Stand-ins of windowless controls show their parent's background through the
// installed painter: a label on a panel with a gradient shows the gradient
// behind its text; without a painter they fill with the parent's colour.
#include "framework/ParentBackground.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/PrintTestKit.h"
#include "framework/StdCtrls.h"
#include "testsupport/GuiTest.h"

namespace ad {
namespace {

// The gradient a skinned panel would paint: blue rises from left to right
// across the panel; red marks the control that asked.
COLORREF GradientAt(int panelX) { return RGB(0x40, 0x80, std::min(255, panelX)); }

// Paints a gradient for controls whose parent is the given panel.
struct TGradientPainter {
    explicit TGradientPainter(TWinControl* panel) {
        previous = SetParentBackgroundPainter([panel, this](TWinControl& control, HDC dc, const RECT& rect) {
            if (control.Parent() != panel) return false;
            Asked.push_back(control.Name);
            for (int x = rect.left; x < rect.right; ++x) {
                OwnedBrush brush(::CreateSolidBrush(GradientAt(control.Left() + x)));
                RECT column{x, rect.top, x + 1, rect.bottom};
                ::FillRect(dc, &column, brush.Get());
            }
            return true;
        });
    }
    ~TGradientPainter() { SetParentBackgroundPainter(std::move(previous)); }
    TParentBackgroundPainter previous;
    std::vector<std::string> Asked;
};

struct PanelFixture {
    PanelFixture() {
        form.SetBounds(0, 0, 400, 200);
        panel = MakeControl<TPanel>(&form, &form, "Panel1", 0, 0, 300, 150);
        panel->SetBevelOuter(TBevelCut::bvNone);
        panel->SetColor(TColor(RGB(0xF0, 0xF0, 0xF0)));
        label = MakeControl<TLabel>(&form, panel, "Label1", 40, 20, 120, 20, "Gradient");
        label->SetAutoSize(false);
        label->SetBounds(40, 20, 120, 20);
        bevel = MakeControl<TBevel>(&form, panel, "Bevel1", 40, 60, 60, 30);
        bevel->Shape = TBevelShape::bsTopLine;
        image = MakeControl<TImage>(&form, panel, "Image1", 120, 60, 50, 30);
        check = MakeControl<TCheckBox>(&form, panel, "Check1", 180, 60, 110, 20, "On");
        form.Show();
    }
    TForm form{nullptr};
    TPanel* panel;
    TLabel* label;
    TBevel* bevel;
    TImage* image;
    TCheckBox* check;
};

test::TPrintedImage Print(TWinControl* c) {
    return test::PrintInto(c->Handle(), WM_PRINT, PRF_CLIENT | PRF_ERASEBKGND, c->Width(), c->Height());
}

TEST(ParentBackground, ALabelOnAGradientPanelShowsTheGradientBehindItsText) {
    PanelFixture f;
    TGradientPainter painter(f.panel);
    const test::TPrintedImage shot = Print(f.label);
    // Away from the text (the right end), the gradient at the label's place on the panel.
    EXPECT_EQ(shot.At(110, 2), GradientAt(40 + 110));
    EXPECT_EQ(shot.At(118, 17), GradientAt(40 + 118));
    // The text is still drawn over it.
    int text = 0;
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < 60; ++x)
            if (shot.At(x, y) == ColorToRGB(clWindowText)) ++text;
    EXPECT_GT(text, 10);
    EXPECT_EQ(painter.Asked.front(), "Label1");
    test::SaveClientScreenshot(f.form.Handle(), "parent-background");
}

TEST(ParentBackground, BevelsImagesAndCheckBoxesUseThePainterAndAnOwnColourKeepsItsFill) {
    PanelFixture f;
    TGradientPainter painter(f.panel);
    struct Case {
        TWinControl* control;
        POINT at;  // a point the control leaves to its background
    };
    const std::vector<Case> cases = {{f.bevel, {30, 20}}, {f.image, {25, 15}}, {f.check, {105, 17}}};
    for (const Case& c : cases) {
        const test::TPrintedImage shot = Print(c.control);
        EXPECT_EQ(shot.At(c.at.x, c.at.y), GradientAt(c.control->Left() + c.at.x)) << c.control->Name;
    }
    // A colour of its own is the control's, not its parent's: no painter then.
    f.image->SetColor(TColor(RGB(0x10, 0x20, 0x30)));
    EXPECT_EQ(Print(f.image).At(25, 15), RGB(0x10, 0x20, 0x30));
}

TEST(ParentBackground, WithoutAPainterTheParentsColourFillsAsBefore) {
    PanelFixture f;
    EXPECT_EQ(Print(f.label).At(118, 17), RGB(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(Print(f.bevel).At(30, 20), RGB(0xF0, 0xF0, 0xF0));
    // A painter that declines leaves the flat colour too.
    TGradientPainter elsewhere(&f.form);
    EXPECT_EQ(Print(f.label).At(118, 17), RGB(0xF0, 0xF0, 0xF0));
}

}  // namespace
}  // namespace ad
