// Optimisation: the steps on small pictures, and on random animations the
// property that every composed frame and the total duration stay the same.
#include <gtest/gtest.h>

#include <random>

#include "gif/GIFRender.h"
#include "gif/GIFTestSupport.h"
#include "gif/GifCodec.h"

namespace ad::gif {
namespace {

TGIFSubImage* AddFrame(TGifPicture& pic, int left, int top, int w, int h, std::vector<uint8_t> pixels,
                       int transparent = -1, int disposal = -1, int delay = 0) {
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    f->SetBounds(left, top, w, h);
    f->SetData(std::move(pixels));
    if (transparent >= 0 || disposal >= 0 || delay > 0) {
        auto* gce = new TGIFGraphicControlExtension(f);
        f->Extensions.Add(gce);
        gce->SetDisposal(disposal < 0 ? 0 : disposal);
        gce->Delay = uint16_t(delay);
        if (transparent >= 0) {
            gce->TransparentIndex = uint8_t(transparent);
            gce->SetTransparent(true);
        }
    }
    return f;
}

void Colours(TGifPicture& pic, int n) {
    for (int i = 0; i < n; ++i) pic.Header.ColorMap.Add(TColor(0x102030 * (i + 1) & 0xFFFFFF));
}

// What the animation shows: the composed pictures, each with how long it
// stays (frames that change nothing run together), in delay units.
struct Shown {
    std::vector<uint8_t> Pixels;
    int Units;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> Timeline(TGifPicture& pic) {
    TGIFColor background{};
    if (pic.Header.ColorMap.Count > 0)
        background = pic.Header.ColorMap.Entry(pic.Header.BackgroundColorIndex < pic.Header.ColorMap.Count
                                                   ? pic.Header.BackgroundColorIndex
                                                   : 0);
    std::vector<Shown> out;
    for (auto& c : GIFComposeFrames(pic, background)) {
        const TGIFSubImage& f = *pic.Frames.Frames(c.Frame);
        int units = f.Delay() == 0 ? 10 : std::max(f.Delay(), 3);
        size_t bytes = size_t(c.Picture.Width()) * size_t(c.Picture.Height()) * 4;
        std::vector<uint8_t> px(c.Picture.Data(), c.Picture.Data() + bytes);
        if (!out.empty() && out.back().Pixels == px)
            out.back().Units += units;
        else
            out.push_back({std::move(px), units});
    }
    return out;
}

TEST(GIFOptimize, FullyTransparentFrameIsDeletedAndItsTimeMoves) {
    TGifPicture pic;
    Colours(pic, 4);
    AddFrame(pic, 0, 0, 2, 2, {1, 2, 3, 1}, 0, 1, 20);
    AddFrame(pic, 0, 0, 2, 2, {0, 0, 0, 0}, 0, 1, 30);
    auto before = Timeline(pic);
    pic.Optimize(goCrop);
    ASSERT_EQ(pic.Frames.Count(), 1);
    EXPECT_EQ(pic.Frames.Frames(0)->Delay(), 50);
    EXPECT_EQ(Timeline(pic), before);

    // After an opaque frame without a delay of its own the time is kept too
    // (the frame showed for 10 units; now 10 + 30).
    TGifPicture opaque;
    Colours(opaque, 4);
    AddFrame(opaque, 0, 0, 2, 1, {1, 2});
    AddFrame(opaque, 0, 0, 2, 1, {3, 3}, 3, 1, 30);
    opaque.Optimize(goCrop);
    ASSERT_EQ(opaque.Frames.Count(), 1);
    EXPECT_EQ(opaque.Frames.Frames(0)->Delay(), 40);

    // A transparent frame that clears (disposal 2) changes the picture: kept.
    TGifPicture clearing;
    Colours(clearing, 4);
    AddFrame(clearing, 0, 0, 2, 1, {1, 2});
    AddFrame(clearing, 0, 0, 2, 1, {3, 3}, 3, 2, 30);
    AddFrame(clearing, 0, 0, 1, 1, {1}, -1, 1, 30);
    before = Timeline(clearing);
    clearing.Optimize(goCrop);
    EXPECT_EQ(clearing.Frames.Count(), 3);
    EXPECT_EQ(Timeline(clearing), before);

    // Delays add up to at most 65535 units.
    TGifPicture big;
    Colours(big, 2);
    AddFrame(big, 0, 0, 1, 1, {1}, -1, 1, 60000);
    AddFrame(big, 0, 0, 1, 1, {0}, 0, 1, 60000);
    big.Optimize(goCrop);
    EXPECT_EQ(big.Frames.Frames(0)->Delay(), 65535);
}

TEST(GIFOptimize, ColourMapsAreOrderedByUseAndUnusedEntriesDropped) {
    TGifPicture pic;
    for (TColor c : {0x0000FF, 0x00FF00, 0xFF0000, 0x777777}) pic.Header.ColorMap.Add(c);
    pic.Header.BackgroundColorIndex = 1;  // green: kept, and still green afterwards
    AddFrame(pic, 0, 0, 4, 1, {3, 3, 3, 0}, 0);
    auto before = Timeline(pic);
    pic.Optimize(goColorMaps);
    TGIFColorMap& map = pic.Header.ColorMap;
    ASSERT_EQ(map.Count, 3);  // blue (entry 2) was never used
    EXPECT_EQ(map.Colors(0), 0x777777);
    EXPECT_EQ(map.Colors(pic.Header.BackgroundColorIndex), 0x00FF00);
    TGIFSubImage* f = pic.Frames.Frames(0);
    EXPECT_EQ(f->Pixels(0, 0), 0);
    EXPECT_EQ(f->Pixels(3, 0), f->TransparentIndex());
    EXPECT_TRUE(map.Sorted);
    EXPECT_EQ(Timeline(pic), before);
}

TEST(GIFOptimize, MergeMakesARepeatedFrameTransparentAndCropDeletesIt) {
    TGifPicture pic;
    Colours(pic, 4);
    AddFrame(pic, 0, 0, 3, 2, {1, 2, 3, 3, 2, 1}, -1, 1, 10);
    AddFrame(pic, 0, 0, 3, 2, {1, 2, 3, 3, 2, 1}, -1, 1, 10);
    auto before = Timeline(pic);
    TGifPicture copy;
    copy.Assign(&pic);
    pic.Optimize(goMerge);
    TGIFSubImage* second = pic.Frames.Frames(1);
    ASSERT_GE(second->TransparentIndex(), 0);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(second->Data()[i], second->TransparentIndex());
    EXPECT_EQ(Timeline(pic), before);
    copy.Optimize(goMerge | goCrop);
    EXPECT_EQ(copy.Frames.Count(), 1);
    EXPECT_EQ(Timeline(copy), before);
}

TEST(GIFOptimize, MergeDoesNotReuseAnIndexTheFrameShowsOpaque) {
    // Frame 2 uses index 3 as a colour; frame 1's transparent index is 3.
    TGifPicture pic;
    Colours(pic, 4);
    AddFrame(pic, 0, 0, 2, 1, {1, 2}, -1, 1);
    AddFrame(pic, 0, 0, 2, 1, {3, 2}, 3, 1);
    AddFrame(pic, 0, 0, 2, 1, {3, 2}, -1, 1);
    auto before = Timeline(pic);
    pic.Optimize(goMerge);
    EXPECT_EQ(Timeline(pic), before);
    TGIFSubImage* last = pic.Frames.Frames(2);
    EXPECT_NE(last->TransparentIndex(), 3);
}

TEST(GIFOptimize, CleanupRemovesWhatDoesNothingAndKeepsWhatDoes) {
    TGifPicture one;
    Colours(one, 2);
    TGIFSubImage* f = AddFrame(one, 0, 0, 1, 1, {1}, -1, 1, 0);
    f->Extensions.Insert(0, new TGIFAppExtNSLoop(f));
    f->Extensions.Add(new TGIFCommentExtension(f));
    one.Optimize(goCleanup);
    EXPECT_EQ(f->Extensions.Count(), 0);  // loop, comment and the idle control extension

    TGifPicture two;
    Colours(two, 2);
    AddFrame(two, 0, 0, 1, 1, {1}, -1, 1, 10);
    AddFrame(two, 0, 0, 1, 1, {0}, -1, 1, 0);
    two.Optimize(goCleanup);
    EXPECT_NE(two.Frames.Frames(0)->GraphicControlExtension, nullptr);  // delay 10 kept
    EXPECT_EQ(two.Frames.Frames(1)->GraphicControlExtension, nullptr);

    // A transparent frame that never uses its transparent index becomes opaque.
    TGifPicture t;
    Colours(t, 4);
    AddFrame(t, 0, 0, 2, 1, {1, 2}, 3, 1, 10);
    t.Optimize(goCleanup);
    EXPECT_EQ(t.Frames.Frames(0)->TransparentIndex(), -1);
}

TEST(GIFOptimize, ClearIsDroppedOnlyWhenTheNextFrameCoversThisOne) {
    // A small frame that clears, followed by a big opaque frame: not needed.
    // A big frame that clears, followed by a small one: needed (the rest of
    // its area is cleared). The containment must be of this frame's rectangle.
    struct Case {
        TRect First, Second;
        int Disposal;
    };
    for (Case c : {Case{{1, 1, 2, 2}, {0, 0, 3, 3}, 0}, Case{{0, 0, 3, 3}, {1, 1, 2, 2}, 2}}) {
        TGifPicture pic;
        Colours(pic, 4);
        pic.SetWidth(3);
        pic.SetHeight(3);
        int w1 = c.First.Right - c.First.Left, h1 = c.First.Bottom - c.First.Top;
        int w2 = c.Second.Right - c.Second.Left, h2 = c.Second.Bottom - c.Second.Top;
        AddFrame(pic, c.First.Left, c.First.Top, w1, h1, std::vector<uint8_t>(size_t(w1 * h1), 1), -1, 2, 10);
        AddFrame(pic, c.Second.Left, c.Second.Top, w2, h2, std::vector<uint8_t>(size_t(w2 * h2), 2), -1, 1, 10);
        auto before = Timeline(pic);
        pic.Optimize(goCleanup);
        EXPECT_EQ(pic.Frames.Frames(0)->Disposal(), c.Disposal);
        EXPECT_EQ(Timeline(pic), before);
    }
}

TEST(GIFOptimize, InvalidReductionMethod) {
    TGifPicture pic;
    Colours(pic, 2);
    AddFrame(pic, 0, 0, 1, 1, {1});
    EXPECT_THROW(pic.Optimize(goReduce, crCustom), GIFException);
    EXPECT_NO_THROW(pic.Optimize(goReduce | goCleanup, crCustom));
}

// Random animations of few colours (so that pixels repeat), random frame
// rectangles, transparency, disposal 0-7, delays and loop extensions.
void RandomAnimation(TGifPicture& pic, std::mt19937& rng) {
    std::uniform_int_distribution<int> coin(0, 1), colors(2, 5), disposal(0, 7), delay(0, 12), frames(2, 7);
    int w = 3 + int(rng() % 8), h = 3 + int(rng() % 8);
    int global = colors(rng);
    for (int i = 0; i < global; ++i) pic.Header.ColorMap.Add(TColor(rng() % 3 * 0x7F7F7F));
    pic.Header.BackgroundColorIndex = uint8_t(rng() % unsigned(global));
    pic.SetWidth(w);
    pic.SetHeight(h);
    int n = frames(rng);
    for (int i = 0; i < n; ++i) {
        int fw = 1 + int(rng() % unsigned(w)), fh = 1 + int(rng() % unsigned(h));
        int fl = int(rng() % unsigned(w - fw + 1)), ft = int(rng() % unsigned(h - fh + 1));
        auto* f = new TGIFSubImage(&pic);
        pic.Add(f);
        f->SetBounds(fl, ft, fw, fh);
        int count = global;
        if (coin(rng) && coin(rng)) {
            count = colors(rng);
            for (int c = 0; c < count; ++c) f->ColorMap.Add(TColor(rng() % 3 * 0x7F7F7F));
        }
        bool flat = coin(rng);
        uint8_t base = uint8_t(rng() % unsigned(count));
        for (size_t k = 0; k < f->DataSize(); ++k)
            f->Data()[k] = flat && coin(rng) ? base : uint8_t(rng() % unsigned(count));
        if (coin(rng) || coin(rng)) {
            auto* gce = new TGIFGraphicControlExtension(f);
            f->Extensions.Add(gce);
            gce->SetDisposal(disposal(rng));
            gce->Delay = uint16_t(delay(rng));
            if (coin(rng)) {
                gce->TransparentIndex = uint8_t(rng() % unsigned(count));
                gce->SetTransparent(true);
            }
        }
        if (rng() % 8 == 0) f->Extensions.Add(new TGIFCommentExtension(f));
        if (rng() % 10 == 0) f->Extensions.Insert(0, new TGIFAppExtNSLoop(f));
    }
}

TEST(GIFOptimize, NeverChangesWhatTheAnimationShows) {
    const TGIFOptimizeOptions sets[] = {goColorMaps, goCleanup, goMerge, goCrop, goMerge | goCrop,
                                        goCrop | goMerge | goCleanup | goColorMaps};
    for (int round = 0; round < 400; ++round) {
        for (TGIFOptimizeOptions options : sets) {
            std::mt19937 same{static_cast<unsigned>(round)};
            TGifPicture pic;
            RandomAnimation(pic, same);
            auto before = Timeline(pic);
            pic.Optimize(options);
            ASSERT_EQ(Timeline(pic), before) << "round " << round << " options " << int(options);
            // What comes out still saves and loads.
            TGifPicture back;
            giftest::Load(back, giftest::Save(pic));
            ASSERT_EQ(Timeline(back), before) << "round " << round << " options " << int(options);
        }
    }
}

}  // namespace
}  // namespace ad::gif
