// Section records, GLOBALINFO values and the CommonSections overlay from the skin INI.
#include "skin/engine/skinfile/SkinSectionReader.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <unordered_set>

#include "base/Exception.h"
#include "base/StrUtils.h"
#include "skin/engine/skinfile/SkinImageValue.h"
#include "skin/engine/skinfile/SkinTables.h"
#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {

namespace {

int DefaultFrameWidth() { return 4; }
TSkinMetricLookup frameWidthLookup = DefaultFrameWidth;

// value * 125 (level 1) or 150 (level 2) div 100.
int ScaleByPercent(int value, int scaleLevel) {
    const int percent = scaleLevel == 1 ? 125 : scaleLevel == 2 ? 150 : 100;
    return ClampToInt(int64_t(value) * percent / 100);
}

// System colour indexes asked for when the skin has no EDIT section.
constexpr TColor kSysWindow = static_cast<TColor>(0xFF000005u);
constexpr TColor kSysWindowText = static_cast<TColor>(0xFF000008u);

bool IsSysColorConstant(int v) { return (uint32_t(v) & 0xFFFFFF00u) == 0xFF000000u; }
TColor ResolvedColor(TColor c) { return IsSysColorConstant(c) ? TColor(SkinColorToRGB(c)) : c; }

// Where the keys of one record come from: a section of the skin INI with its
// PARENTCLASS chain, or one section of the overlay text.
class TValueSource {
public:
    virtual ~TValueSource() = default;
    // The value of key; inherited tells whether it came from an ancestor section.
    virtual std::optional<std::string> Find(std::string_view key, bool& inherited) const = 0;
};

class TIniChainSource : public TValueSource {
public:
    TIniChainSource(const TSkinIni& ini, std::string_view name) {
        const TSkinIniSection* s = ini.FindSection(name);
        std::unordered_set<const TSkinIniSection*> visited;
        while (s != nullptr && visited.insert(s).second) {
            chain_.push_back(s);
            auto it = s->Index.find("PARENTCLASS");
            if (it == s->Index.end()) break;
            s = ini.FindSection(s->Keys[it->second].second);
        }
    }
    std::optional<std::string> Find(std::string_view key, bool& inherited) const override {
        const std::string k(key);
        for (size_t i = 0; i < chain_.size(); ++i) {
            auto it = chain_[i]->Index.find(k);
            if (it != chain_[i]->Index.end()) {
                inherited = i > 0;
                return chain_[i]->Keys[it->second].second;
            }
        }
        return std::nullopt;
    }

private:
    std::vector<const TSkinIniSection*> chain_;  // the section, its parent, ...
};

class TOverlaySource : public TValueSource {
public:
    explicit TOverlaySource(const std::vector<std::string>& lines) : lines_(lines) {}
    std::optional<std::string> Find(std::string_view key, bool& inherited) const override {
        inherited = false;
        return FindOverlayValue(lines_, key);
    }

private:
    const std::vector<std::string>& lines_;
};

int ReadInt(const TValueSource& src, std::string_view key, int def, int cap = INT_MAX) {
    bool inherited = false;
    std::optional<std::string> text = src.Find(key, inherited);
    int v;
    if (!text || !TryReadSkinInteger(*text, v)) v = def;
    else if (inherited) v = ResolvedColor(v);
    return std::min(v, cap);
}

bool ReadBool(const TValueSource& src, std::string_view key, bool def) {
    bool inherited = false;
    std::optional<std::string> text = src.Find(key, inherited);
    return text ? SkinBoolValue(*text) : def;
}

// The gradient text rule: fewer than 3 characters or a malformed number: none, share 0.
void SetGradient(TSkinGenState& state, const std::string& text) {
    state.GradientArray.clear();
    if (text.size() >= 3) {
        try {
            ParseGradientText(text.c_str(), state.GradientArray);
            return;
        } catch (const EConvertError&) {
            state.GradientArray.clear();
        }
    }
    state.GradientPercent = 0;
}

struct TStateKeys {
    const char *Color, *FontColor, *TCLeft, *TCTop, *TCRight, *TCBottom, *GlowColor, *GlowSize, *GradientPercent,
        *GradientData, *ImagePercent, *Transparency;
};
constexpr TStateKeys kStateKeys[kSkinStateCount] = {
    {"COLOR", "FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM", "GCOL", "GSIZE", "GRADIENTPERCENT",
     "GRADIENTDATA", "IMAGEPERCENT", "TRANSPARENCY"},
    {"HOTCOLOR", "HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM", "HGCOL", "HGSIZE",
     "HOTGRADIENTPERCENT", "HOTGRADIENTDATA", "HOTIMAGEPERCENT", "HOTTRANSPARENCY"},
    {"COLOR2", "FONTCOLOR2", "TCLEFT2", "TCTOP2", "TCRIGHT2", "TCBOTTOM2", "GCOL2", "GSIZE2", "GRADIENTPERCENT2",
     "GRADIENTDATA2", "IMAGEPERCENT2", "TRANSPARENCY2"},
};

// One state; def holds the defaults. A missing gradient text keeps def's
// gradient when keepGradient is set (the overlay), otherwise means none.
TSkinGenState ReadState(const TValueSource& src, int index, const TSkinGenState& def, bool keepGradient) {
    const TStateKeys& k = kStateKeys[index];
    TSkinGenState s = def;
    s.Color = ReadInt(src, k.Color, def.Color);
    s.FontColor = ReadInt(src, k.FontColor, def.FontColor);
    s.OutlineLeft = ReadInt(src, k.TCLeft, def.OutlineLeft);
    s.OutlineTop = ReadInt(src, k.TCTop, def.OutlineTop);
    s.OutlineRight = ReadInt(src, k.TCRight, def.OutlineRight);
    s.OutlineBottom = ReadInt(src, k.TCBottom, def.OutlineBottom);
    s.GlowColor = ReadInt(src, k.GlowColor, def.GlowColor);
    s.GlowSize = ReadInt(src, k.GlowSize, def.GlowSize);
    s.GradientPercent = ReadInt(src, k.GradientPercent, def.GradientPercent);
    s.ImagePercent = ReadInt(src, k.ImagePercent, def.ImagePercent);
    s.Transparency = ReadInt(src, k.Transparency, def.Transparency);
    bool inherited = false;
    std::optional<std::string> gradient = src.Find(k.GradientData, inherited);
    if (gradient || !keepGradient) SetGradient(s, gradient.value_or(std::string()));
    return s;
}

// The three states with the STATES and USESTATE2 copy rules.
void ReadStates(const TValueSource& src, int states, bool useState2, const TSkinGeneralData& def,
                bool keepGradient, std::array<TSkinGenState, kSkinStateCount>& out) {
    out[ssNormal] = ReadState(src, ssNormal, def.Props[ssNormal], keepGradient);
    out[ssHot] = states < 2 ? out[ssNormal] : ReadState(src, ssHot, def.Props[ssHot], keepGradient);
    out[ssPressed] = useState2 ? ReadState(src, ssPressed, def.Props[ssPressed], keepGradient) : out[ssHot];
}

const char* const kTitleGlowNames[5] = {"BICLOSEALONE", "BICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM"};

void ReadOuterEffect(const TSkinIni& ini, const char* prefix, const std::array<TColor, 4>& colors,
                     const std::array<int32_t, 4>& offsets, int opacity, TSkinOuterEffect& e) {
    static const char* const sides = "LRTB";
    const std::string p(prefix);
    for (size_t i = 0; i < 4; ++i) {
        const char side = sides[i];
        e.Colors[i] = ini.ReadInteger("GLOBALINFO", p + "_COLOR" + side, colors[i]);
        e.Widths[i] = ini.ReadInteger("GLOBALINFO", p + "_WIDTH" + side, -1);
        e.Offsets[i] = ini.ReadInteger("GLOBALINFO", p + "_OFFSET" + side, offsets[i]);
    }
    e.Source = ini.ReadInteger("GLOBALINFO", p + "_SOURCE", 2);
    e.Opacity = ini.ReadInteger("GLOBALINFO", p + "_OPACITY", opacity);
    e.MaskIndex = -1;
}

}  // namespace

void SetSkinFrameWidthLookup(TSkinMetricLookup lookup) { frameWidthLookup = lookup ? lookup : DefaultFrameWidth; }
int SkinFrameWidth() { return frameWidthLookup(); }

int ReadScaledInteger(const TSkinIni& ini, std::string_view section, std::string_view key, int def,
                      int scaleLevel) {
    std::string_view suffix = ScaleKeySuffix(scaleLevel);
    if (suffix.empty()) return ini.ReadInteger(section, key, def);
    int v;
    if (const std::string* scaled = ini.Find(section, std::string(key) + std::string(suffix)))
        if (TryReadSkinInteger(*scaled, v)) return v;
    return ScaleByPercent(ini.ReadInteger(section, key, def), scaleLevel);
}

TSkinGeneralData ReadSkinSection(const TSkinIni& ini, std::string_view name) {
    const TIniChainSource src(ini, name);
    const TSkinGeneralData def;
    TSkinGeneralData d;
    d.ClassName = std::string(name);
    if (const std::string* parent = ini.Find(name, "PARENTCLASS")) d.ParentClass = *parent;
    d.States = ReadInt(src, "STATES", 3, 255);
    d.UseState2 = ReadInt(src, "USESTATE2", 0) == 1;
    d.GiveOwnFont = ReadBool(src, "GIVEOWNFONT", false);
    d.ReservedBoolean = ReadBool(src, "RESERVEDBOOLEAN", false);
    d.Glow = ReadInt(src, "GLOW", 0, 255);
    d.GlowMargin = ReadInt(src, "GLOWMARGIN", 0, 255);
    d.OuterOffsetL = ReadInt(src, "OUTOFFSL", 0, 255);
    d.OuterOffsetT = ReadInt(src, "OUTOFFST", 0, 255);
    d.OuterOffsetR = ReadInt(src, "OUTOFFSR", 0, 255);
    d.OuterOffsetB = ReadInt(src, "OUTOFFSB", 0, 255);
    d.OuterOpacity = ReadInt(src, "OUTOPACITY", 200, 255);
    d.OuterMode = ReadInt(src, "OUTERMODE", 2);
    ReadStates(src, d.States, d.UseState2, def, false, d.Props);
    return d;
}

std::vector<TSkinGeneralData> ReadSkinSections(const TSkinIni& ini) {
    std::vector<TSkinGeneralData> out;
    out.reserve(ini.Sections().size());
    for (const TSkinIniSection& s : ini.Sections()) out.push_back(ReadSkinSection(ini, s.Name));
    return out;
}

void ResolveEditColorDefaults(TSkinGlobalInfo& info, TColor editText, TColor editBg) {
    if (!info.HasEditTextInv) info.EditTextInv = editBg;
    if (!info.HasEditBgInv) info.EditBgInv = editText;
    if (!info.HasEditBgOdd) info.EditBgOdd = editBg;
    if (!info.HasEditBgEven) info.EditBgEven = TColor(BlendTwoColors(uint32_t(editText), uint32_t(editBg), 13));
}

TSkinGlobalInfo ReadSkinGlobalInfo(const TSkinIni& ini, int scaleLevel) {
    constexpr const char* G = "GLOBALINFO";
    TSkinGlobalInfo g;
    g.Version = ReadSkinVersion(ini);
    g.Author = ini.ReadString(G, "AUTHOR", "");
    g.Description = ini.ReadString(G, "DESCRIPTION", "");
    g.MasterBitmap = ini.ReadString(G, "MASTERBITMAP", "");
    g.Color = ini.ReadInteger(G, "COLOR", TColor(SkinColorToRGB(skBtnFaceColor)));
    g.FontColor = ini.ReadInteger(G, "FONTCOLOR", 0);
    g.TCBottom = ini.ReadInteger(G, "TCBOTTOM", 0xFF0000);
    g.TCTop = ini.ReadInteger(G, "TCTOP", 0x0000FF);
    g.BorderColor = ini.ReadInteger(G, "BORDERCOLOR", 0);
    g.BorderWidth = ini.ReadInteger(G, "BORDERWIDTH", 4);
    // 0 or less counts as missing: the (scaled) default.
    g.TitleHeight = ReadScaledInteger(ini, G, "TITLEHEIGHT", 30, scaleLevel);
    if (g.TitleHeight <= 0) g.TitleHeight = ScaleByPercent(30, scaleLevel);
    g.MaxHeight = ReadScaledInteger(ini, G, "MAXHEIGHT", 0, scaleLevel);
    if (g.MaxHeight <= 0) g.MaxHeight = g.TitleHeight;
    g.CenterOffset = ReadScaledInteger(ini, G, "CENTEROFFSET", 0, scaleLevel);
    g.FormOffset = ini.ReadInteger(G, "FORMOFFSET", SkinFrameWidth());
    g.BorderMode = ini.ReadInteger(G, "BORDERMODE", 0);
    g.BrightMin = ini.ReadInteger(G, "BRIGHTMIN", -50);
    g.BrightMax = ini.ReadInteger(G, "BRIGHTMAX", 50);
    g.AlignOffset = ini.ReadInteger(G, "ALIGNOFFSET", 0);
    g.AlignOffsetR = ini.ReadInteger(G, "ALIGNOFFSETR", g.AlignOffset);
    g.AlignOffsetT = ini.ReadInteger(G, "ALIGNOFFSETT", g.AlignOffset);
    g.AlignOffsetB = ini.ReadInteger(G, "ALIGNOFFSETB", g.AlignOffset);
    g.BISpace = ScaleIntAtLevel(ini.ReadInteger(G, "BISPACE", 0), scaleLevel);
    g.BIVAlign = ini.ReadInteger(G, "BIVALIGN", 0);
    g.BIRight = ini.ReadInteger(G, "BIRIGHT", 0);
    g.BILeft = ini.ReadInteger(G, "BILEFT", 0);
    g.BITop = ini.ReadInteger(G, "BITOP", 0);
    g.BIKeepHue = ini.ReadInteger(G, "BIKEEPHUE", 0);
    g.AeroBlur = ini.ReadInteger(G, "AEROBLUR", 0) != 0;
    for (size_t i = 0; i < g.TitleGlows.size(); ++i) {
        const std::string name = kTitleGlowNames[i];
        g.TitleGlows[i].Count = ini.ReadInteger(G, name + "GLOW", 0);
        g.TitleGlows[i].Margin = ReadScaledInteger(ini, G, name + "GLOWMARGIN", 0, scaleLevel);
    }
    g.Shadow1Color = ini.ReadInteger(G, "SHADOW1COLOR", 0);
    g.Shadow1Offset = ini.ReadInteger(G, "SHADOW1OFFSET", 0);
    g.Shadow1Blur = ini.ReadInteger(G, "SHADOW1BLUR", -1);
    g.Shadow1Transparency = ini.ReadInteger(G, "SHADOW1TRANSPARENCY", 0);
    g.ComboMargin = ini.ReadInteger(G, "COMBOMARGIN", 2);
    g.SliderMargin = ini.ReadInteger(G, "SLIDERMARGIN", 1);
    ReadOuterEffect(ini, "SH", {0, 0, 0, 0}, {3, 3, 2, 5}, 60, g.Shadow);
    ReadOuterEffect(ini, "LO", {0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF}, {2, 2, 2, 4}, 200, g.Outer);

    g.EditTextOk = ini.ReadInteger(G, "EDITTEXT_OK", 0x008000);
    g.EditTextWarn = ini.ReadInteger(G, "EDITTEXT_WARN", 0x008484);
    if (ini.ValueExists(G, "EDITTEXT_ALERT")) g.EditTextAlert.fill(ini.ReadInteger(G, "EDITTEXT_ALERT", 0x0000FF));
    else g.EditTextAlert = {0x0000FF, 0x8597D9, 0x4AB28F};
    g.EditBgOk = ini.ReadInteger(G, "EDITBG_OK", 0x6CC2A5);
    g.EditBgWarn = ini.ReadInteger(G, "EDITBG_WARN", 0x40FFFF);
    if (ini.ValueExists(G, "EDITBG_ALERT")) g.EditBgAlert.fill(ini.ReadInteger(G, "EDITBG_ALERT", 0x95A7E9));
    else g.EditBgAlert = {0x95A7E9, 0x8597D9, 0x4AB28F};
    g.EditTextHighlight = {ini.ReadInteger(G, "EDITTEXT_H1", 0), ini.ReadInteger(G, "EDITTEXT_H2", 0),
                           ini.ReadInteger(G, "EDITTEXT_H3", 0)};
    // A present but unreadable number counts as missing, as for every other key.
    const auto named = [&](const char* key, bool& has, TColor& value) {
        const std::string* text = ini.Find(G, key);
        int v = 0;
        has = text != nullptr && TryReadSkinInteger(*text, v);
        if (has) value = v;
    };
    named("EDITTEXT_INV", g.HasEditTextInv, g.EditTextInv);
    named("EDITBG_INV", g.HasEditBgInv, g.EditBgInv);
    named("EDITBG_ODD", g.HasEditBgOdd, g.EditBgOdd);
    named("EDITBG_EVEN", g.HasEditBgEven, g.EditBgEven);
    TColor editText = TColor(SkinColorToRGB(kSysWindowText)), editBg = TColor(SkinColorToRGB(kSysWindow));
    if (ini.SectionExists("EDIT")) {
        const TSkinGeneralData edit = ReadSkinSection(ini, "EDIT");
        editText = ResolvedColor(edit.Props[ssNormal].FontColor);
        editBg = ResolvedColor(edit.Props[ssNormal].Color);
    }
    ResolveEditColorDefaults(g, editText, editBg);

    g.TabsCovering = ini.ReadInteger("TABTOP", "TABSCOVERING", 0);
    g.RibbonTabsCovering = ini.ReadInteger("RIBBONTAB", "TABSCOVERING", 0);
    return g;
}

void ApplyCommonSections(std::vector<TSkinGeneralData>& sections, std::string_view commonText) {
    const TIniTextSections overlay = ParseOverlayText(commonText);
    for (const auto& entry : overlay) {
        const std::string& name = entry.first;
        const std::vector<std::string>& lines = entry.second;
        const TOverlaySource src(lines);
        const std::string parent = AsciiUpperCase(FindOverlayValue(lines, "PARENTCLASS").value_or("-1"));
        TSkinGeneralData def;
        for (const TSkinGeneralData& s : sections)
            if (AsciiUpperCase(s.ClassName) == parent) {
                def = s;
                break;
            }
        auto target = std::find_if(sections.begin(), sections.end(),
                                   [&](const TSkinGeneralData& s) { return s.ClassName == name; });
        TSkinGeneralData& d = target != sections.end() ? *target : sections.emplace_back(def);
        d.ClassName = name;
        d.ParentClass = parent;
        d.States = ReadInt(src, "STATES", def.States, 255);
        ReadStates(src, d.States, def.UseState2, def, true, d.Props);
        d.ReservedBoolean = ReadBool(src, "RESERVEDBOOLEAN", def.ReservedBoolean);
        d.GiveOwnFont = ReadBool(src, "GIVEOWNFONT", def.GiveOwnFont);
        d.Glow = ReadInt(src, "GLOW", def.Glow, 255);
        d.GlowMargin = ReadInt(src, "GLOWMARGIN", def.GlowMargin, 255);
    }
}

}  // namespace ad::skin
