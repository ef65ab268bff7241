// Windows tests of controls painted into images: a control and its windowed
// children at a point of a bitmap, kept inside the control's rectangle; a
// skinned control printed with its print DC announced; the children of a
// container at a client origin; the nested-call guard of child painting.
#include "skin/engine/win/SkinControlImage.h"

#include <gtest/gtest.h>

#include "skin/engine/testkit/SkinDataTestKit.h"
#include "testsupport/GuiTest.h"

namespace ad::skin {
namespace {

using namespace datatest;

uint32_t RGBAt(TDibSection32& b, int x, int y) {
    GdiFlush();
    return GetPixel32(b.View(), x, y) & 0xFFFFFF;
}

TPanel* FlatPanel(TForm& form, TWinControl* parent, int x, int y, int w, int h, TColor color) {
    auto* p = MakeControl<TPanel>(&form, parent, "", x, y, w, h);
    p->SetBevelOuter(TBevelCut::bvNone);
    p->ShowCaption = false;
    p->SetColor(color);
    return p;
}

TEST(SkinControlImage, AControlAndItsChildrenArePaintedAtThePointAndInsideTheirRectangle) {
    TForm form(nullptr);
    form.SetBounds(30, 30, 300, 200);
    auto* outer = FlatPanel(form, &form, 10, 10, 100, 60, 0x0000FF);  // red
    FlatPanel(form, outer, 20, 15, 30, 20, 0x00FF00);                   // green inside it
    form.Show();
    TDibSection32 bitmap(200, 120);
    FillRect32(bitmap.View(), {0, 0, 200, 120}, 0x808080, 255);
    PaintControlToBitmap(bitmap, outer, 40, 30, nullptr);
    EXPECT_EQ(RGBAt(bitmap, 40 + 5, 30 + 5), 0xFF0000u);
    EXPECT_EQ(RGBAt(bitmap, 40 + 20 + 5, 30 + 15 + 5), 0x00FF00u);
    EXPECT_EQ(RGBAt(bitmap, 40 + 100, 30 + 5), 0x808080u);  // right of the control: untouched
    EXPECT_EQ(RGBAt(bitmap, 39, 29), 0x808080u);

    // The children alone, at a client origin of their own.
    FillRect32(bitmap.View(), {0, 0, 200, 120}, 0x808080, 255);
    PaintWindowedChildren(outer, bitmap, {0, 0}, nullptr);
    EXPECT_EQ(RGBAt(bitmap, 25, 20), 0x00FF00u);
    EXPECT_EQ(RGBAt(bitmap, 5, 5), 0x808080u);
}

TEST(SkinControlImage, ASkinnedControlIsPrintedWithItsPrintDCAnnounced) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "PANEL");
    ASSERT_TRUE(IsSkinnedWindow(panel->Handle()));
    panel->Commands.clear();
    TDibSection32 bitmap(80, 60);
    PaintControlToBitmap(bitmap, panel, 0, 0, nullptr);
    EXPECT_EQ(Count(panel->Commands, SKC_SETPRINTDC).size(), 2u);
}

TEST(SkinControlImage, TheScreenUnderAVisibleControlIsCaptured) {
    TForm form(nullptr);
    form.SetBounds(30, 30, 300, 200);
    auto* panel = FlatPanel(form, &form, 10, 10, 100, 60, 0x00FF00);
    form.Show();
    form.Repaint();
    panel->Repaint();
    test::PumpPending();
    const std::unique_ptr<TDibSection32> image = CaptureControlImage(panel);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->View().Width, 100);
    EXPECT_EQ(image->View().Height, 60);
    EXPECT_EQ(RGBAt(*image, 50, 30), 0x00FF00u);

    panel->Hide();
    EXPECT_FALSE(CaptureControlImage(panel));
    EXPECT_FALSE(CaptureControlImage(nullptr));
}

TEST(SkinControlImage, ChildPaintingTellsAContainerThatNothingIsVisible) {
    TFormFixture f;
    auto* panel = f.Add(&f.Form, 10, 10, 60, 40, "PANEL");
    f.Add(panel, 5, 5, 20, 20, "PANEL");
    TDibSection32 bitmap(10, 10);
    OwnedMemoryDC dc(CreateCompatibleDC(nullptr));
    SelectObjectScope selected(dc.Get(), bitmap.Handle());
    IntersectClipRect(dc.Get(), 0, 0, 0, 0);
    panel->Commands.clear();
    PaintChildrenToDC(dc.Get(), panel, true, nullptr, {0, 0});
    EXPECT_EQ(Count(panel->Commands, SKC_SETCHILDPAINTING).size(), 1u);
}

}  // namespace
}  // namespace ad::skin
