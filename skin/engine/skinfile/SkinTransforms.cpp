// Hue, saturation and brightness changes of a loaded skin: the master bitmap,
// the image files, every section state's colours, the shadow colour and the
// palette. Each does nothing for 0. The transparent key colour (clFuchsia) is
// left alone in every bitmap, so transparent areas stay transparent.
#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "skin/engine/skinfile/SkinTables.h"
#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {

namespace {

constexpr TColor kKey = TColor(skKeyColor);

// Palette entries the transforms change (3, TCTOP, and the validation colours 14-26 keep theirs).
constexpr int kChangedEntries[] = {pcMainColor, pcLabelText, pcTCBottom, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
                                   pcBorder, pcHintBG, pcHintText};

// Changes one colour value with a pixel-order routine; "none" (negative
// values) and system colour constants stay as they are.
template <class F>
TColor ChangeColor(TColor c, F f) {
    if (c < 0) return c;
    const uint32_t pixel = SwapRedBlue(uint32_t(c));
    return TColor(SwapRedBlue(f(pixel)) & 0xFFFFFF) | (c & TColor(0xFF000000u));
}

// The colours of every section state, SHADOW1COLOR and the palette entries.
// The hue change leaves the gradient of a state alone while its gradient share
// is 0 (sharedGradientsOnly); saturation and brightness change every gradient.
template <class F>
void ChangeSectionColors(TSkinTables& t, bool sharedGradientsOnly, F f) {
    for (int i = 0; i < t.SectionCount(); ++i)
        for (TSkinGenState& st : t.Section(i).Props) {
            if (st.GradientPercent > 0 || !sharedGradientsOnly)
                for (TSkinGradient& g : st.GradientArray) {
                    g.Color1 = ChangeColor(g.Color1, f);
                    g.Color2 = ChangeColor(g.Color2, f);
                }
            for (TColor* c : {&st.Color, &st.GlowColor, &st.FontColor, &st.OutlineLeft, &st.OutlineTop,
                              &st.OutlineRight, &st.OutlineBottom})
                *c = ChangeColor(*c, f);
        }
    t.GlobalInfo.Shadow1Color = ChangeColor(t.GlobalInfo.Shadow1Color, f);
    for (int e : kChangedEntries) t.Palette[size_t(e)] = ChangeColor(t.Palette[size_t(e)], f);
}

TImageView32 ViewOf(const std::shared_ptr<TBitmap32>& b) { return b ? b->View() : TImageView32{}; }

}  // namespace

void TSkinTables::ApplyHue(int offset) {
    if (offset == 0) return;
    // With BIKEEPHUE the title buttons (and their first glow images) keep their hue.
    std::unordered_set<const TBitmap32*> keptBitmaps;
    std::vector<TRect> keptRects;
    if (GlobalInfo.BIKeepHue >= 1) {
        std::vector<std::string> names = {"BICONCLOSE", "BICLOSEALONE", "SICONCLOSE"};
        if (GlobalInfo.BIKeepHue == 1)
            names.insert(names.end(), {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX", "SICONMIN",
                                       "SICONNORM"});
        static const char* const glowing[] = {"BICLOSEALONE", "BICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM"};
        for (const char* g : glowing)
            if (std::find(names.begin(), names.end(), g) != names.end()) names.push_back(std::string(g) + "GLOW0");
        for (const std::string& name : names) {
            const int i = FindGlobalMask(name);
            if (i < 0) continue;
            const TSkinMaskData& m = Mask(i);
            if (m.Bmp) keptBitmaps.insert(m.Bmp.get());
            else keptRects.push_back(m.R);
        }
    }

    if (TImageView32 mv = ViewOf(MasterBitmap); !mv.Empty()) {
        // Shifted as a whole, then the kept rectangles are put back from a copy.
        TBitmap32 before = keptRects.empty() ? TBitmap32() : *MasterBitmap;
        ForEachPixel(mv, HueProc, offset, kKey);
        if (!keptRects.empty()) {
            const TImageView32 cv = before.View();
            for (const TRect& kept : keptRects) {
                const TRect r = IntersectRects(kept, BuildRect(0, 0, mv.Width, mv.Height));
                for (int y = r.Top; y < r.Bottom; ++y)
                    for (int x = r.Left; x < r.Right; ++x) SetPixel32(mv, x, y, GetPixel32(cv, x, y));
            }
        }
    }
    for (TSkinImageFile& f : ImageFiles)
        if (f.Bitmap && !keptBitmaps.count(f.Bitmap.get())) ForEachPixel(f.Bitmap->View(), HueProc, offset, kKey);
    ChangeSectionColors(*this, true, [offset](uint32_t v) { return ShiftHue(offset, v); });
}

void TSkinTables::ApplySaturation(int value) {
    if (value == 0) return;
    const int amount = int(std::clamp<int64_t>(int64_t(value) * 255 / 100, -255, 255));
    if (amount == 0) return;
    if (TImageView32 mv = ViewOf(MasterBitmap); !mv.Empty()) ForEachPixel(mv, SaturationProc, amount, kKey);
    for (TSkinImageFile& f : ImageFiles)
        if (f.Bitmap) ForEachPixel(f.Bitmap->View(), SaturationProc, amount, kKey);
    ChangeSectionColors(*this, false, [amount](uint32_t v) { return AdjustSaturation(amount, v); });
}

void TSkinTables::ApplyBrightness(int value) {
    if (value == 0) return;
    if (TImageView32 mv = ViewOf(MasterBitmap); !mv.Empty()) {
        // The alpha halves of masks cut from the master keep their values.
        TBitmap32 before = *MasterBitmap;
        const TImageView32 bv = before.View();
        ForEachPixel(mv, BrightnessProc, value, kKey);
        for (const TSkinMaskData& m : Masks()) {
            if (m.MaskType != 1 || m.Bmp) continue;
            const int half = (m.R.Bottom - m.R.Top) / 2;
            const TRect r = IntersectRects(BuildRect(m.R.Left, m.R.Top + half, m.R.Right, m.R.Bottom),
                                           BuildRect(0, 0, mv.Width, mv.Height));
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left; x < r.Right; ++x) SetPixel32(mv, x, y, GetPixel32(bv, x, y));
        }
    }
    for (TSkinImageFile& f : ImageFiles) {
        if (!f.Bitmap) continue;
        const TImageView32 v = f.Bitmap->View();
        ForEachPixel(v, BrightnessProc, value, kKey);
        // PNG images were left unpremultiplied by the loader for a positive brightness.
        if (value > 0 && GlobalInfo.Version >= 7.45 && f.FileName.find(".PNG") != std::string::npos)
            PremultiplyBitmap(v, CompositionEnabled);
    }
    ChangeSectionColors(*this, false, [value](uint32_t v) { return AdjustBrightness(v, value); });
}

}  // namespace ad::skin
