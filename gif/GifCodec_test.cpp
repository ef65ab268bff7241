// Tests of the GIF object model: colour maps, frame bounds and the logical
// screen, budgets, copies and the extension registries.
#include "gif/GifCodec.h"

#include <gtest/gtest.h>

#include "gif/GIFTestSupport.h"

namespace ad::gif {
namespace {

using namespace giftest;

TEST(GIFColorMap, AddOverflowIndexOfAndColors) {
    TGifPicture pic;
    Warnings w;
    w.Attach(pic);
    TGIFColorMap& map = pic.Header.ColorMap;
    EXPECT_THROW(map.Colors(0), GIFException);  // empty table raises
    for (int i = 0; i < 256; ++i) EXPECT_EQ(map.Add(TColor(i)), i);
    EXPECT_EQ(map.Capacity, 256);
    try {
        map.Add(0);
        FAIL() << "257th Add must raise";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, "Color table overflow");
    }

    TGIFColorMap small(&pic);
    small.Add(0x0000FF);
    small.Add(0x00FF00);
    small.Add(0xFF0000);
    EXPECT_EQ(small.Capacity, 16);
    EXPECT_EQ(small.Colors(5), 0x0000FF);  // warns, answers entry 0
    EXPECT_TRUE(w.Has("Invalid color index"));
    EXPECT_EQ(small.Colors(2), 0xFF0000);
    EXPECT_EQ(small.Entry(0).Red, 0xFF);  // red is the low byte of a TColor

    TGIFColorMap twice(&pic);
    for (int i = 0; i < 8; ++i) twice.Add(i == 2 || i == 7 ? 0x123456 : i);
    EXPECT_EQ(twice.IndexOf(0x123456), 7);
    twice.Sorted = true;
    EXPECT_EQ(twice.IndexOf(0x123456), 2);
    EXPECT_EQ(twice.IndexOf(0x654321), -1);
    EXPECT_THROW(twice.Delete(8), GIFException);
    twice.Delete(2);
    EXPECT_EQ(twice.Count, 7);
    EXPECT_FALSE(twice.Sorted);
    EXPECT_EQ(twice.IndexOf(0x123456), 6);
}

TEST(GIFColorMap, BitsPerPixelAndPaddedTable) {
    TGifPicture pic;
    TGIFColorMap map(&pic);
    const std::pair<int, int> table[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {17, 5}, {129, 8}, {256, 8}};
    for (auto [count, bits] : table) {
        map.Clear();
        for (int i = 0; i < count; ++i) map.Add(i);
        EXPECT_EQ(map.BitsPerPixel(), bits) << count << " colours";
        if (count > 16) {
            EXPECT_EQ(map.Capacity, std::min(256, (count + 31) / 32 * 32)) << count;
        }
    }
    map.Clear();
    map.Add(0x030201);
    map.Add(0x060504);
    map.Add(0x090807);
    TMemoryStream s;
    map.SaveToStream(s);
    EXPECT_EQ(s.Bytes(), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}));
    TGIFColorMap back(&pic);
    s.SetPosition(0);
    back.LoadFromStream(s, 4);
    EXPECT_EQ(back.Count, 4);
    EXPECT_EQ(back.Colors(2), 0x090807);
    s.SetPosition(6);
    EXPECT_THROW(back.LoadFromStream(s, 4), GIFException);  // short table
}

TEST(GIFSubImage, BoundsGrowTheScreenAndWarnOnlyWhenItHadAWidth) {
    TGifPicture pic;
    Warnings w;
    w.Attach(pic);
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    f->SetBounds(0, 0, 10, 5);
    EXPECT_EQ(pic.Width(), 10);
    EXPECT_EQ(pic.Height(), 5);
    EXPECT_TRUE(w.List.empty()) << "the screen was 0 wide";
    EXPECT_EQ(f->DataSize(), 50u);
    f->SetPixels(9, 4, 7);
    f->SetLeft(5);  // same size: pixels kept
    EXPECT_EQ(f->Pixels(9, 4), 7);
    EXPECT_EQ(pic.Width(), 15);
    EXPECT_EQ(w.List, (std::vector<std::string>{"Image width too small for contained frames",
                                                "Image exceeds Logical Screen size"}));
    f->SetWidth(11);  // new size: zeroed pixels
    EXPECT_EQ(f->DataSize(), 55u);
    EXPECT_EQ(f->Pixels(9, 4), 0);
    EXPECT_THROW(f->Pixels(11, 0), GIFException);
    EXPECT_THROW(f->Row(-1), GIFException);

    int width = pic.Width();
    EXPECT_THROW(pic.SetWidth(15), GIFException);  // frame ends at 16
    EXPECT_EQ(pic.Width(), width);
    pic.SetWidth(20);
    EXPECT_EQ(pic.Width(), 20);
    EXPECT_THROW(pic.SetHeight(4), GIFException);
}

TEST(GIFSubImage, EdgesAndBudgetsAreBounded) {
    TGifPicture pic;
    pic.MaxFramePixels = 1000;
    pic.MaxImagePixels = 1500;
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    EXPECT_THROW(f->SetBounds(65535, 0, 1, 1), GIFException);  // right edge 65536
    EXPECT_THROW(f->SetBounds(0, 40000, 1, 30000), GIFException);
    EXPECT_THROW(f->SetBounds(0, 0, 65535, 65535), GIFException);  // 4.3 G pixels
    EXPECT_EQ(f->Width(), 0);
    f->SetBounds(0, 0, 40, 25);
    auto* g = new TGIFSubImage(&pic);
    pic.Add(g);
    EXPECT_THROW(g->SetBounds(0, 0, 30, 30), GIFException);  // 1000 + 900 > 1500
    EXPECT_EQ(g->DataSize(), 0u);
    g->SetBounds(0, 0, 20, 25);
    pic.Frames.Delete(0);  // frees its pixels from the budget
    g->SetBounds(0, 0, 40, 25);
    EXPECT_EQ(pic.Frames.Count(), 1);
}

TEST(GifPicture, FramelessSaveFails) {
    TGifPicture pic;
    TMemoryStream s;
    try {
        pic.SaveToStream(s);
        FAIL();
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, "Unsupported GIF version");
    }
}

TEST(GifPicture, AssignMakesADeepCopy) {
    TGifPicture src;
    src.Header.ColorMap.Add(0x0000FF);
    src.Header.ColorMap.Add(0x00FF00);
    src.DrawFlags = gdAnimate;
    src.StillFrame = 1;
    auto* f = new TGIFSubImage(&src);
    src.Add(f);
    f->SetBounds(2, 3, 4, 5);
    f->SetPixels(1, 1, 1);
    auto* gce = new TGIFGraphicControlExtension(f);
    f->Extensions.Add(gce);
    gce->SetTransparent(true);
    gce->Delay = 7;
    auto* loop = new TGIFAppExtNSLoop(f);
    loop->LoopCount = 3;
    f->Extensions.Add(loop);
    auto* c = new TGIFCommentExtension(f);
    c->Text = {"hello"};
    f->Extensions.Add(c);

    TGifPicture dst;
    dst.Assign(&src);
    ASSERT_EQ(dst.Frames.Count(), 1);
    TGIFSubImage* g = dst.Frames.Frames(0);
    EXPECT_NE(g, f);
    EXPECT_EQ(g->Image, &dst);
    EXPECT_EQ(g->Pixels(1, 1), 1);
    EXPECT_EQ(dst.DrawFlags, gdAnimate);
    EXPECT_EQ(dst.StillFrame, 1);
    EXPECT_EQ(dst.Header.ColorMap.Count, 2);
    ASSERT_EQ(g->Extensions.Count(), 3);
    ASSERT_NE(g->GraphicControlExtension, nullptr);
    EXPECT_NE(g->GraphicControlExtension, gce);
    EXPECT_TRUE(g->IsTransparent);
    EXPECT_EQ(g->GraphicControlExtension->Delay, 7);
    EXPECT_EQ(static_cast<TGIFAppExtNSLoop*>(g->Extensions.Extensions(1))->LoopCount, 3);
    EXPECT_EQ(static_cast<TGIFCommentExtension*>(g->Extensions.Extensions(2))->Text[0], "hello");

    // Changing the source leaves the copy alone.
    f->SetPixels(1, 1, 0);
    src.Header.ColorMap.Clear();
    delete gce;  // also detaches it from its frame
    EXPECT_FALSE(f->IsTransparent);
    EXPECT_EQ(f->Extensions.Count(), 2);
    EXPECT_EQ(g->Pixels(1, 1), 1);
    EXPECT_EQ(dst.Header.ColorMap.Count, 2);
    EXPECT_TRUE(g->IsTransparent);
}

TEST(GIFGraphicControlExtension, TransparentIndexIsCheckedAgainstTheActiveMap) {
    TGifPicture pic;
    Warnings w;
    w.Attach(pic);
    for (int i = 0; i < 4; ++i) pic.Header.ColorMap.Add(i);
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    auto* gce = new TGIFGraphicControlExtension(f);
    f->Extensions.Add(gce);
    auto* second = new TGIFGraphicControlExtension(f);
    f->Extensions.Add(second);
    EXPECT_EQ(f->GraphicControlExtension, gce);  // the first one stays the frame's
    gce->SetTransparentColorIndex(3);
    EXPECT_EQ(gce->TransparentColorIndex(), 3);
    gce->SetTransparentColorIndex(4);
    EXPECT_EQ(gce->TransparentColorIndex(), 0);
    EXPECT_TRUE(w.Has("Invalid color index"));
    gce->SetDisposal(dmPrevious);
    EXPECT_EQ(gce->Disposal(), dmPrevious);
    gce->SetTransparent(true);
    EXPECT_EQ(gce->Packed, 0x0D);
}

TEST(GIFRegistry, LaterRegistrationsWinAndBothLoopIdentifiersMap) {
    const uint8_t ns[] = "NETSCAPE2.0";
    const uint8_t ae[] = "ANIMEXTS1.0";
    const uint8_t other[] = "XMP DataXMP";
    EXPECT_EQ(FindAppExtensionClass(ns), &TGIFAppExtNSLoop::ClassInfo);
    EXPECT_EQ(FindAppExtensionClass(ae), &TGIFAppExtNSLoop::ClassInfo);
    EXPECT_EQ(FindAppExtensionClass(other), nullptr);
    EXPECT_EQ(FindExtensionClass(0xF9), &TGIFGraphicControlExtension::ClassInfo);
    EXPECT_EQ(FindExtensionClass(0x02), nullptr);
    RegisterExtension(0x02, &TGIFCommentExtension::ClassInfo);
    RegisterExtension(0x02, &TGIFTextExtension::ClassInfo);
    EXPECT_EQ(FindExtensionClass(0x02), &TGIFTextExtension::ClassInfo);
}

}  // namespace
}  // namespace ad::gif
