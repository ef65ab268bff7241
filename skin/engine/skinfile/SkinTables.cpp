// Section and mask tables of a loaded skin: first-match lookups through hash
// maps, parent-chain walks that end on cycles, frame sizes, the common indexes
// and the post-processing after a load.
#include "skin/engine/skinfile/SkinTables.h"

#include <algorithm>
#include <utility>

#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {

const std::array<const char*, kSkinCommonSectionCount> kSkinCommonSectionNames = {
    "MENUITEM",   "CHECKBOX",   "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "TOOLBUTTON", "TRANSPARENT", "GROUPBOX",
    "DIVIDER",    "WEBBUTTON",  "BUTTON",      "BUTTON_HUGE",       "TOOLBAR",    "EDIT",        "GAUGE",
    "SELECTION",  "STATUSBAR",  "PANEL",       "PANEL_LOW",         "TRACKBAR",   "COLHEADER",   "PROGRESSV",
    "DRAGBAR",    "GRIPH",      "GRIPV",       "PROGRESSH",         "TABSHEET",   "MENUBTN",     "UPDOWNBTN",
    "COMBOBOX",   "CAPTION",    "MENULINE",    "MAINMENU",          "SPLITTER",   "SLIDER_OFF",  "SLIDER_ON",
    "THUMB_OFF",  "THUMB_ON",   "COMBOBTN",    "FORMTITLE",         "HINT",       "MENUCAPTION", "DIVIDERV",
};

const std::array<const char*, kSkinTitleButtonCount - 1> kSkinTitleButtonNames = {
    "BICLOSEALONE", "BICONCLOSE", "BICONMAX", "BICONMIN",  "BICONNORM",  "BICONHELP",
    "SICONCLOSE",   "SICONMAX",   "SICONMIN", "SICONNORM", "SICONHELP", "TITLEBUTTON",
};

namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";

// Sections visited by one chain walk; chains are short, so a small list does.
class TVisited {
public:
    // False when the section was seen before (the chain has come round).
    bool Enter(int i) {
        if (std::find(seen_.begin(), seen_.end(), i) != seen_.end()) return false;
        seen_.push_back(i);
        return true;
    }

private:
    std::vector<int> seen_;
};

}  // namespace

// ---------------------------------------------------------------------------
// Frame sizes and scaling

TPoint MaskFrameSize(const TSkinMaskData& mask) {
    const int w = mask.R.Right - mask.R.Left, h = mask.R.Bottom - mask.R.Top;
    TPoint p;
    if (mask.ImageCount == 0) p.X = 0;
    else if (mask.ImageCount == 1) p.X = w;
    else p.X = w / mask.ImageCount;
    if (mask.MaskType == -1) p.Y = 0;
    else if (mask.MaskType == 0) p.Y = h;
    else if (mask.MaskType == 1) p.Y = h / 2;
    else p.Y = h / (mask.MaskType + 1);
    return p;
}

int ScaleIntAtLevel(int value, int level) {
    const int64_t v = value;
    if (level == 1) return ClampToInt(v + v / 4);
    if (level == 2) return ClampToInt(v + v / 2);
    return value;
}

// ---------------------------------------------------------------------------
// Sections

int TSkinTables::AddSection(TSkinGeneralData section) {
    const int i = SectionCount();
    sectionByName_.try_emplace(section.ClassName, i);
    sections_.push_back(std::move(section));
    return i;
}

void TSkinTables::ReplaceSection(int i, TSkinGeneralData section) {
    if (!IsValidSectionIndex(i)) return;
    const bool renamed = sections_[size_t(i)].ClassName != section.ClassName;
    sections_[size_t(i)] = std::move(section);
    if (renamed) ReindexSections();
}

void TSkinTables::SetSections(std::vector<TSkinGeneralData> sections) {
    sections_ = std::move(sections);
    ReindexSections();
}

void TSkinTables::ClearSections() {
    sections_.clear();
    sectionByName_.clear();
}

void TSkinTables::ReindexSections() {
    sectionByName_.clear();
    for (int i = 0; i < SectionCount(); ++i) sectionByName_.try_emplace(sections_[size_t(i)].ClassName, i);
}

int TSkinTables::SectionIndexOf(std::string_view name) const {
    if (name.empty()) return -1;
    auto it = sectionByName_.find(name);
    return it == sectionByName_.end() ? -1 : it->second;
}

// ---------------------------------------------------------------------------
// Masks

size_t TSkinTables::KeyHash::operator()(IndexKeyView k) const {
    return std::hash<std::string_view>{}(k.Name) * 31u + std::hash<int32_t>{}(k.Section);
}

size_t TSkinTables::KeyHash::operator()(NamesKeyView k) const {
    const size_t h = std::hash<std::string_view>{}(k.Section);
    return (h ^ (h >> 7)) * 1000003u + std::hash<std::string_view>{}(k.Name);
}

void TSkinTables::IndexMask(int i) {
    const TSkinMaskData& m = masks_[size_t(i)];
    // try_emplace keeps an earlier mask of the same names: lookups are first-match.
    maskBySection_.try_emplace(IndexKey{m.SectionIndex, m.PropertyName}, i);
    maskByNames_.try_emplace(NamesKey{m.ClassName, m.PropertyName}, i);
    if (m.DrawMode == dmTexture) {
        textureBySection_.try_emplace(IndexKey{m.SectionIndex, m.PropertyName}, i);
        textureByNames_.try_emplace(NamesKey{m.ClassName, m.PropertyName}, i);
    }
}

int TSkinTables::AddMask(int sectionIndex, const std::string& sectionName, const std::string& keyName,
                         const TRect& r, int imageCount, int maskType, uint16_t drawFlags, uint8_t drawMode) {
    TSkinMaskData m;
    m.SectionIndex = sectionIndex;
    m.ClassName = sectionName;
    m.PropertyName = keyName;
    m.R = r;
    m.ImageCount = int16_t(imageCount);
    m.MaskType = int16_t(maskType);
    m.DrawFlags = drawFlags;
    m.DrawMode = drawMode;
    return AddMask(std::move(m));
}

int TSkinTables::AddMask(TSkinMaskData mask) {
    const int i = MaskCount();
    masks_.push_back(std::move(mask));
    IndexMask(i);
    return i;
}

void TSkinTables::RemoveMask(int i) {
    if (!IsValidMaskIndex(i)) return;
    masks_.erase(masks_.begin() + i);
    rescaled_.clear();
    ReindexMasks();
}

void TSkinTables::ReindexMasks() {
    maskBySection_.clear();
    maskByNames_.clear();
    textureBySection_.clear();
    textureByNames_.clear();
    for (int i = 0; i < MaskCount(); ++i) IndexMask(i);
}

void TSkinTables::ClearImages() {
    masks_.clear();
    rescaled_.clear();
    ReindexMasks();
    ImageFiles.clear();
    MasterBitmap.reset();
}

TBitmap32* TSkinTables::MaskImage(const TSkinMaskData& mask) const {
    return mask.Bmp ? mask.Bmp.get() : MasterBitmap.get();
}

// ---------------------------------------------------------------------------
// Lookups

int TSkinTables::LookupBySection(int sectionIndex, std::string_view keyName, bool textureOnly) const {
    const auto& map = textureOnly ? textureBySection_ : maskBySection_;
    auto it = map.find(IndexKeyView{sectionIndex, keyName});
    return it == map.end() ? -1 : it->second;
}

int TSkinTables::LookupByNames(std::string_view sectionName, std::string_view keyName, bool textureOnly) const {
    const auto& map = textureOnly ? textureByNames_ : maskByNames_;
    auto it = map.find(NamesKeyView{sectionName, keyName});
    return it == map.end() ? -1 : it->second;
}

// The mask in the section, else in its parents. The walk stops at a parent
// named like the section it came from (fromName for the first step), at a
// missing parent and at any section seen before, so every cycle ends.
int TSkinTables::WalkChain(int sectionIndex, std::string_view fromName, std::string_view keyName,
                           bool textureOnly) const {
    TVisited visited;
    std::string_view cameFrom = fromName;
    int s = sectionIndex;
    while (IsValidSectionIndex(s) && visited.Enter(s)) {
        const int found = LookupBySection(s, keyName, textureOnly);
        if (found >= 0) return found;
        const TSkinGeneralData& section = sections_[size_t(s)];
        const std::string& parent = section.ParentClass;
        if (parent.empty() || parent == cameFrom || parent == section.ClassName) return -1;
        cameFrom = section.ClassName;
        s = SectionIndexOf(parent);
    }
    return -1;
}

int TSkinTables::FindMaskInSection(int sectionIndex, std::string_view keyName) const {
    if (!IsValidSectionIndex(sectionIndex)) return -1;
    return WalkChain(sectionIndex, sections_[size_t(sectionIndex)].ClassName, keyName, false);
}

int TSkinTables::FindMaskUpChain(int sectionIndex, std::string_view fromName, std::string_view keyName) const {
    return WalkChain(sectionIndex, fromName, keyName, false);
}

int TSkinTables::FindTextureMaskInSection(int sectionIndex, std::string_view keyName) const {
    if (!IsValidSectionIndex(sectionIndex)) return -1;
    return WalkChain(sectionIndex, sections_[size_t(sectionIndex)].ClassName, keyName, true);
}

int TSkinTables::FindTextureMask(int sectionIndex, std::string_view sectionName, std::string_view keyName) const {
    TVisited visited;
    int s = sectionIndex;
    std::string_view name = sectionName;
    for (;;) {
        const int found = LookupByNames(name, keyName, true);
        if (found >= 0) return found;
        if (!IsValidSectionIndex(s) || !visited.Enter(s)) return -1;
        const std::string& parent = sections_[size_t(s)].ParentClass;
        if (parent.empty() || parent == name) return -1;
        name = parent;
        s = SectionIndexOf(parent);
    }
}

int TSkinTables::FindMaskByNames(std::string_view sectionName, std::string_view keyName) const {
    return LookupByNames(sectionName, keyName, false);
}

int TSkinTables::FindGlobalMask(std::string_view keyName) const {
    return FindMaskUpChain(SectionIndexOf(kGlobalInfo), kGlobalInfo, keyName);
}

// ---------------------------------------------------------------------------
// Scaled masks

namespace {

// Copies a rectangle of a view into a bitmap's rectangle of another size:
// the two-pass resampler (Mitchell) where it works, nearest pixels for
// images one pixel wide or high.
void ScaleBlock(const TImageView32& source, const TRect& from, TBitmap32& target, const TRect& to) {
    const int sw = from.Right - from.Left, sh = from.Bottom - from.Top;
    const int tw = to.Right - to.Left, th = to.Bottom - to.Top;
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0) return;
    TBitmap32 cell(sw, sh);
    TImageView32 cv = cell.View();
    if (cv.Empty()) return;
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x) SetPixel32(cv, x, y, GetPixel32(source, from.Left + x, from.Top + y));
    TImageView32 tv = target.View();
    if (sw > 1 && sh > 1) {
        TBitmap32 scaled;
        ResampleBitmap(cv, scaled, tw, 6, th);
        TImageView32 sv = scaled.View();
        if (sv.Width == tw && sv.Height == th) {
            for (int y = 0; y < th; ++y)
                for (int x = 0; x < tw; ++x) SetPixel32(tv, to.Left + x, to.Top + y, GetPixel32(sv, x, y));
            return;
        }
    }
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x)
            SetPixel32(tv, to.Left + x, to.Top + y, GetPixel32(cv, int(int64_t(x) * sw / tw), int(int64_t(y) * sh / th)));
}

}  // namespace

// Rescales a mask for the scale level: every state image and every part of
// its height is resampled on its own (so neighbouring images and the alpha
// half do not bleed into each other). A plain mask first gets an alpha half:
// its clFuchsia pixels become the face colour with alpha 0 above and white
// below, every other pixel black below.
int TSkinTables::RescaleMask(int maskIndex, bool makeCopy) {
    if (auto it = rescaled_.find(maskIndex); it != rescaled_.end()) return it->second;
    const TSkinMaskData& m = masks_[size_t(maskIndex)];
    TBitmap32* image = MaskImage(m);
    const TPoint frame = MaskFrameSize(m);
    const int count = std::max<int>(1, m.ImageCount);
    if (!image || frame.X <= 0 || frame.Y <= 0 || m.MaskType < 0) return maskIndex;
    TImageView32 iv = image->View();
    const TRect src = IntersectRects(m.R, BuildRect(0, 0, iv.Width, iv.Height));
    if (IsEmpty(src) || !(src == m.R)) return maskIndex;

    const bool addAlpha = m.MaskType == 0;
    const int parts = addAlpha ? 2 : (m.MaskType == 1 ? 2 : m.MaskType + 1);
    const int fw = ScaleIntAtLevel(frame.X, ScaleLevel), fh = ScaleIntAtLevel(frame.Y, ScaleLevel);

    // The source with its alpha half when it needs one.
    TBitmap32 work(frame.X * count, frame.Y * parts);
    TImageView32 wv = work.View();
    if (wv.Empty()) return maskIndex;
    const uint32_t face = SwapRedBlue(SkinColorToRGB(Palette[pcMainColor]) & 0xFFFFFF);
    for (int y = 0; y < frame.Y * (addAlpha ? 1 : parts); ++y)
        for (int x = 0; x < frame.X * count; ++x) {
            const uint32_t p = GetPixel32(iv, src.Left + x, src.Top + y);
            if (!addAlpha) {
                SetPixel32(wv, x, y, p);
            } else if ((p & 0xFFFFFF) == skKeyColor) {
                SetPixel32(wv, x, y, face);
                SetPixel32(wv, x, y + frame.Y, 0xFFFFFFFFu);
            } else {
                SetPixel32(wv, x, y, p);
                SetPixel32(wv, x, y + frame.Y, 0xFF000000u);
            }
        }

    auto scaled = std::make_shared<TBitmap32>(fw * count, fh * parts);
    if (scaled->Width() == 0) return maskIndex;
    for (int part = 0; part < parts; ++part)
        for (int n = 0; n < count; ++n)
            ScaleBlock(wv, BuildRect(n * frame.X, part * frame.Y, (n + 1) * frame.X, (part + 1) * frame.Y), *scaled,
                       BuildRect(n * fw, part * fh, (n + 1) * fw, (part + 1) * fh));

    int target = maskIndex;
    if (makeCopy) {
        TSkinMaskData copy = m;
        target = AddMask(std::move(copy));
    }
    TSkinMaskData& t = masks_[size_t(target)];
    t.Bmp = std::move(scaled);
    t.R = BuildRect(0, 0, t.Bmp->Width(), t.Bmp->Height());
    if (addAlpha) t.MaskType = 1;
    const TPoint size = MaskFrameSize(t);
    t.Width = size.X;
    t.Height = size.Y;
    rescaled_[maskIndex] = target;
    rescaled_[target] = target;
    return target;
}

int TSkinTables::ScaledMaskIndex(std::string_view keyName, int sectionIndex, bool makeCopy) {
    const int s = sectionIndex < 0 ? SectionIndexOf(kGlobalInfo) : sectionIndex;
    if (!IsValidSectionIndex(s)) return -1;
    const std::string& fromName = sections_[size_t(s)].ClassName;
    if (ScaleLevel != 1 && ScaleLevel != 2) return FindMaskUpChain(s, fromName, keyName);
    std::string suffixed(keyName);
    suffixed += ScaleLevel == 1 ? "*125" : "*150";
    int i = FindMaskUpChain(s, fromName, suffixed);
    if (i >= 0) return i;
    i = FindMaskUpChain(s, fromName, keyName);
    return i < 0 ? -1 : RescaleMask(i, makeCopy);
}

// ---------------------------------------------------------------------------
// Post-processing

uint8_t TSkinTables::CornerTypeOf(const TSkinMaskData& mask) const {
    const int huge = CommonIndexes[csButtonHuge];
    if (huge >= 0 && mask.SectionIndex == huge && mask.PropertyName == "BORDERSMASK") return ctNotTested;
    TBitmap32* image = MaskImage(mask);
    if (!image) return ctOpaque;
    TImageView32 v = image->View();
    if (v.Empty()) return ctOpaque;
    const TPoint frame = MaskFrameSize(mask);
    const TRect first = BuildRect(mask.R.Left, mask.R.Top, mask.R.Left + frame.X, mask.R.Top + frame.Y);
    const TRect corners[4] = {
        BuildRect(first.Left, first.Top, first.Left + mask.WL, first.Top + mask.WT),
        BuildRect(first.Right - mask.WR, first.Top, first.Right, first.Top + mask.WT),
        BuildRect(first.Left, first.Bottom - mask.WB, first.Left + mask.WL, first.Bottom),
        BuildRect(first.Right - mask.WR, first.Bottom - mask.WB, first.Right, first.Bottom),
    };
    const TRect bounds = IntersectRects(first, BuildRect(0, 0, v.Width, v.Height));
    for (const TRect& c : corners) {
        const TRect r = IntersectRects(c, bounds);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if ((GetPixel32(v, x, y) & 0xFFFFFF) == skKeyColor) return ctFuchsiaCorner;
    }
    return ctOpaque;
}

void TSkinTables::UpdateCornerType(int maskIndex) {
    if (IsValidMaskIndex(maskIndex)) masks_[size_t(maskIndex)].CornerType = CornerTypeOf(masks_[size_t(maskIndex)]);
}

void TSkinTables::PostProcessSkin() {
    for (int i = 0; i < SectionCount(); ++i) {
        TSkinGeneralData& s = sections_[size_t(i)];
        if (s.ClassName == kGlobalInfo) continue;
        s.BorderIndex = FindMaskInSection(i, "BORDERSMASK");
        s.OuterMask = FindMaskInSection(i, "OUTERMASK");
        s.ImgTopLeft = FindMaskInSection(i, "IMGTOPLEFT");
        s.ImgTopRight = FindMaskInSection(i, "IMGTOPRIGHT");
        s.ImgBottomLeft = FindMaskInSection(i, "IMGBTMLEFT");
        s.ImgBottomRight = FindMaskInSection(i, "IMGBTMRIGHT");
        s.Props[ssNormal].TextureIndex = FindTextureMask(i, s.ClassName, "PATTERN");
        if (s.States > 1) s.Props[ssHot].TextureIndex = FindTextureMask(i, s.ClassName, "HOTPATTERN");
        if (s.States > 2 && s.UseState2) s.Props[ssPressed].TextureIndex = FindTextureMask(i, s.ClassName, "PATTERN2");
        else s.Props[ssPressed].TextureIndex = s.Props[ssHot].TextureIndex;
        if (s.BorderIndex < 0) {
            s.ThinFrameKind = kNoBorderMask;
        } else {
            const TSkinMaskData& b = masks_[size_t(s.BorderIndex)];
            const bool thin = b.WL == 1 && b.WT == 1 && b.WR == 1 && b.WB == 1;
            s.ThinFrameKind = thin && (s.ClassName == "EDIT" || s.ClassName == "ALPHAEDIT") ? kThinEditFrame : 0;
        }
    }
    for (TSkinMaskData& m : masks_) {
        TPoint size = MaskFrameSize(m);
        m.Width = size.X;
        m.Height = size.Y;
        if (m.ImageCount == 0) {
            if (m.WT <= 0) m.WT = int16_t(m.BorderWidth > 0 ? m.BorderWidth : m.Height);
            if (m.WB <= 0) m.WB = int16_t(m.BorderWidth > 0 ? m.BorderWidth : m.Height);
            if (m.WL <= 0) m.WL = int16_t(m.BorderWidth > 0 ? m.BorderWidth : m.Width);
            if (m.WR <= 0) m.WR = int16_t(m.BorderWidth > 0 ? m.BorderWidth : m.Width);
            m.ImageCount = 1;
            // With one image the frame is the whole rectangle.
            m.Width = MaskFrameSize(m).X;
        }
    }
}

TSkinSectionRecord TSkinTables::SectionRecord(std::initializer_list<const char*> names, bool scaledGlyph) {
    TSkinSectionRecord r;
    for (const char* name : names) {
        r.SectionIndex = SectionIndexOf(name);
        if (r.SectionIndex >= 0) break;
    }
    if (r.SectionIndex < 0) return r;
    const std::string name = sections_[size_t(r.SectionIndex)].ClassName;
    r.BorderIndex = FindMaskUpChain(r.SectionIndex, name, "BORDERSMASK");
    r.GlyphIndex = scaledGlyph ? ScaledMaskIndex("GLYPHMASK", r.SectionIndex, false)
                               : FindMaskUpChain(r.SectionIndex, name, "GLYPHMASK");
    r.TextureIndex = FindMaskUpChain(r.SectionIndex, name, "PATTERN");
    r.HotTextureIndex = FindMaskUpChain(r.SectionIndex, name, "HOTPATTERN");
    return r;
}

void TSkinTables::ResolveTrackBars() {
    const int s = SectionIndexOf("TRACKBAR");
    for (int o = 0; o < 2; ++o) {
        TSkinTrackBarRecord& t = CommonMasks.TrackBars[size_t(o)];
        t = {};
        t.SectionIndex = s;
        if (s < 0) continue;
        auto find = [&](const char* key) { return FindMaskUpChain(s, "TRACKBAR", key); };
        t.BorderIndex = find("BORDERSMASK");
        t.TickIndex = find(o == 0 ? "TICKHORZ" : "TICKVERT");
        t.ProgressIndex = find(o == 0 ? "PROGHORZ" : "PROGVERT");
        t.ChannelIndex = find("SLIDERCHANNEL");
        t.SliderIndex = o == 0 ? find("SLIDERVMASK") : -1;
        if (t.SliderIndex < 0) t.SliderIndex = find("SLIDERMASK");
        t.TextureIndex = find("PATTERN");
        t.HotTextureIndex = find("HOTPATTERN");
    }
}

void TSkinTables::ResolveTitleButtons() {
    auto& buttons = CommonMasks.TitleButtons;
    buttons.fill(-1);
    for (int b = 0; b < kSkinTitleButtonCount - 1; ++b)
        buttons[size_t(b)] = ScaledMaskIndex(kSkinTitleButtonNames[size_t(b)], -1, false);
    const bool closeAloneFellBack = buttons[tbCloseAlone] < 0;
    if (closeAloneFellBack) buttons[tbCloseAlone] = buttons[tbClose];
    for (int b = tbSmallClose; b <= tbSmallHelp; ++b)
        if (buttons[size_t(b)] < 0) buttons[size_t(b)] = buttons[size_t(b - tbSmallClose + tbClose)];

    // Every glow image is a mask of the skin, so a skin cannot hold more glows
    // than masks: the count it states is bounded by that (a huge count would
    // otherwise cost a lookup and an entry each).
    const int maskCount = MaskCount();
    for (int b = 0; b < 5; ++b) {
        TSkinTitleGlowMasks& g = CommonMasks.TitleGlows[size_t(b)];
        g.Masks.clear();
        g.Margin = GlobalInfo.TitleGlows[size_t(b)].Margin;
        const int count = std::clamp(GlobalInfo.TitleGlows[size_t(b)].Count, 0, maskCount);
        for (int k = 0; k < count; ++k)
            g.Masks.push_back(ScaledMaskIndex(std::string(kSkinTitleButtonNames[size_t(b)]) + "GLOW" + std::to_string(k),
                                              -1, true));
    }
    if (closeAloneFellBack) CommonMasks.TitleGlows[tbCloseAlone] = CommonMasks.TitleGlows[tbClose];
}

void TSkinTables::ResolveCommonSections() {
    GlobalInfoIndex = SectionIndexOf(kGlobalInfo);
    TSkinCommonMasks& c = CommonMasks;

    // A GLOBALINFO mask under its suffixed key at 125 % and 150 %, else the plain one.
    auto suffixedOrPlain = [&](const char* key) {
        if (ScaleLevel == 1 || ScaleLevel == 2) {
            const int i = FindMaskUpChain(GlobalInfoIndex, kGlobalInfo, std::string(key) + (ScaleLevel == 1 ? "*125" : "*150"));
            if (i >= 0) return i;
        }
        return FindMaskUpChain(GlobalInfoIndex, kGlobalInfo, key);
    };
    c.BoxUnchecked = suffixedOrPlain("BOXUNCHECKED");
    c.BoxChecked = suffixedOrPlain("BOXCHECKED");
    c.BoxGrayed = suffixedOrPlain("BOXGRAYED");
    c.SmallUnchecked = suffixedOrPlain("SMALLUNCHECKED");
    c.SmallChecked = suffixedOrPlain("SMALLCHECKED");
    c.SmallGrayed = suffixedOrPlain("SMALLGRAYED");
    c.RadioUnchecked = suffixedOrPlain("RADIOUNCHECKED");
    c.RadioChecked = suffixedOrPlain("RADIOCHECKED");
    c.ExBorder = suffixedOrPlain("EXBORDER");
    c.GripImage = ScaledMaskIndex("GRIPIMAGE", -1, false);
    c.GripHorz = FindMaskUpChain(GlobalInfoIndex, kGlobalInfo, "GRIPHORZ");
    c.GripVert = FindMaskUpChain(GlobalInfoIndex, kGlobalInfo, "GRIPVERT");

    c.MenuItem = SectionRecord({"MENUITEM"}, true);
    c.ComboBtn = SectionRecord({"COMBOBTN"}, true);
    c.ComboBoxGlyph = FindMaskByNames("COMBOBOX", "GLYPHMASK");
    static const char* const tabNames[16] = {
        "TABLEFTFIRST",  "TABTOPFIRST",  "TABRIGHTFIRST",  "TABBOTTOMFIRST",
        "TABLEFTLAST",   "TABTOPLAST",   "TABRIGHTLAST",   "TABBOTTOMLAST",
        "TABLEFTMIDDLE", "TABTOPMIDDLE", "TABRIGHTMIDDLE", "TABBOTTOMMIDDLE",
        "TABLEFT",       "TABTOP",       "TABRIGHT",       "TABBOTTOM",
    };
    for (int t = 0; t < 16; ++t) c.Tabs[size_t(t)] = SectionRecord({tabNames[t]}, false);
    c.ScrollSliders[0] = SectionRecord({"SCROLLSLIDERH"}, false);
    c.ScrollSliders[1] = SectionRecord({"SCROLLSLIDERV"}, false);
    ResolveTrackBars();
    static const char* const scrollButtons[4] = {"SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM"};
    static const char* const scrollBars[4] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
    static const char* const spinButtons[4] = {"UPDOWNBTN_LEFT", "UPDOWNBTN_TOP", "UPDOWNBTNRIGHT", "UPDOWNBTN_BOTTOM"};
    for (int k = 0; k < 4; ++k) {
        c.ScrollButtons[size_t(k)] = SectionRecord({scrollButtons[k]}, false);
        c.ScrollBars[size_t(k)] = SectionRecord({scrollBars[k]}, false);
        c.SpinButtons[size_t(k)] = SectionRecord({spinButtons[k], "UPDOWNBTN", "BUTTON"}, false);
    }

    ResolveTitleButtons();

    for (int k = 0; k < kSkinCommonSectionCount; ++k) CommonIndexes[size_t(k)] = SectionIndexOf(kSkinCommonSectionNames[size_t(k)]);
    PostProcessSkin();
}

void TSkinTables::PrepareExtendedBorders(bool effective, const TBitmap32* activeShadow,
                                         const TBitmap32* inactiveShadow) {
    ExtBorderActive.reset();
    ExtBorderInactive.reset();
    ExtBorderInsets = {};
    if (!effective) return;
    const int ex = CommonMasks.ExBorder;
    if (IsValidMaskIndex(ex)) {
        const TSkinMaskData& m = masks_[size_t(ex)];
        const int off = GlobalInfo.FormOffset;
        ExtBorderInsets = GlobalInfo.BorderMode != 0 ? BuildRect(off, off, off, off)
                                                     : BuildRect(m.WL - off, m.WT - off, m.WR - off, m.WB - off);
        const TPoint frame = MaskFrameSize(m);
        TBitmap32* image = MaskImage(m);
        auto frameCopy = [&](int n) {
            auto bmp = std::make_unique<TBitmap32>(std::max(0, frame.X), std::max(0, frame.Y));
            TImageView32 tv = bmp->View();
            if (!image || tv.Empty()) return bmp;
            TImageView32 iv = image->View();
            const TRect from = IntersectRects(
                BuildRect(m.R.Left + n * frame.X, m.R.Top, m.R.Left + (n + 1) * frame.X, m.R.Top + frame.Y),
                BuildRect(0, 0, iv.Width, iv.Height));
            for (int y = from.Top; y < from.Bottom; ++y)
                for (int x = from.Left; x < from.Right; ++x)
                    SetPixel32(tv, x - (m.R.Left + n * frame.X), y - m.R.Top, GetPixel32(iv, x, y));
            return bmp;
        };
        ExtBorderInactive = frameCopy(0);
        ExtBorderActive = m.ImageCount > 1 ? frameCopy(1) : std::make_unique<TBitmap32>(*ExtBorderInactive);
        return;
    }
    if (activeShadow) ExtBorderActive = std::make_unique<TBitmap32>(*activeShadow);
    if (inactiveShadow) ExtBorderInactive = std::make_unique<TBitmap32>(*inactiveShadow);
    ExtBorderInsets = BuildRect(9, 9, 9, 9);
}

}  // namespace ad::skin
