// Parsing of the skin INI's image values into mask descriptions.
#include "skin/engine/skinfile/SkinImageValue.h"

#include <algorithm>
#include <limits>

#include "base/StrUtils.h"

namespace ad::skin {

namespace {

// The decimal number in characters [pos, pos + width) (1-based), digits only.
bool FixedField(std::string_view v, size_t pos, size_t width, int& out) {
    if (pos < 1 || pos - 1 + width > v.size()) return false;
    int r = 0;
    for (size_t i = pos - 1; i < pos - 1 + width; ++i) {
        if (v[i] < '0' || v[i] > '9') return false;
        r = r * 10 + (v[i] - '0');
    }
    out = r;
    return true;
}

bool Skip(TSkinImageValue& v, std::string problem) {
    v.Skipped = true;
    v.Problem = std::move(problem);
    return false;
}

// The rectangle of the fixed-width forms: 2-5, 7-10, 12-15, 17-20.
bool FixedRect(std::string_view s, TRect& r) {
    return FixedField(s, 2, 4, r.Left) && FixedField(s, 7, 4, r.Top) && FixedField(s, 12, 4, r.Right) &&
           FixedField(s, 17, 4, r.Bottom);
}

// A rectangle whose right or bottom edge lies before its left or top edge
// would give negative frame sizes to every painter: no mask.
bool OrderedRect(TSkinImageValue& v) {
    if (v.R.Right >= v.R.Left && v.R.Bottom >= v.R.Top) return true;
    return Skip(v, "rectangle with its right or bottom edge before its left or top edge");
}

int16_t Clamp16(int64_t x) {
    return int16_t(std::clamp<int64_t>(x, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

// Word n of a "!" value as an integer in [min, max]; a missing word gives def.
bool WordNumber(TSkinImageValue& v, int n, int def, int min, int max, const char* what, int& out) {
    std::string word = NthWord(n, v.Value, "!");
    if (word.empty()) {
        out = def;
        return true;
    }
    int x;
    if (!TryReadSkinInteger(word, x)) return Skip(v, std::string("unreadable ") + what + " \"" + word + "\"");
    if (x < min || x > max) return Skip(v, std::string(what) + " out of range: " + word);
    out = x;
    return true;
}

// Draw mode: a number of 0 or more, larger values count as 4.
bool DrawModeWord(TSkinImageValue& v, int def) {
    int mode;
    if (!WordNumber(v, 4, def, 0, std::numeric_limits<int>::max(), "draw mode", mode)) return false;
    v.DrawMode = uint8_t(std::min(mode, 4));
    return true;
}

bool HasStar(std::string_view key) { return key.find('*') != std::string_view::npos; }

void ParseShort(TSkinImageValue& v) {
    int count, type;
    if (!FixedRect(v.Value, v.R) || !FixedField(v.Value, 22, 1, count) || !FixedField(v.Value, 24, 1, type)) {
        Skip(v, "short form needs 24 characters with digits in its fields");
        return;
    }
    if (!OrderedRect(v)) return;
    v.ImageCount = int16_t(count);
    v.MaskType = int16_t(type);
    v.DrawMode = dmGlyph;
}

void ParseGlyph(TSkinImageValue& v) {
    int flags, type = 0;
    if (!FixedRect(v.Value, v.R) || !FixedField(v.Value, 22, 2, flags) ||
        (v.Value.size() >= 25 && !FixedField(v.Value, 25, 1, type))) {
        Skip(v, "glyph form needs 23 characters with digits in its fields");
        return;
    }
    if (!OrderedRect(v)) return;
    v.DrawFlags = uint16_t(flags);
    v.MaskType = int16_t(type);
    v.ImageCount = 1;
    v.DrawMode = dmTexture;
    if (v.Value.size() > 26) v.FileName = NthWord(7, v.Value, "~");
}

void ParseLong(const TSkinIni& ini, std::string_view section, std::string_view key, int scaleLevel,
               TSkinImageValue& v) {
    std::string_view suffix = ScaleKeySuffix(scaleLevel);
    if (!suffix.empty()) {
        if (const std::string* scaled = ini.Find(section, std::string(key) + std::string(suffix)))
            v.Value = AsciiUpperCase(*scaled);
    }
    ParseLongFormValue(v.Value, v);
}

void ParseImageFile(const TSkinIni& ini, std::string_view section, std::string_view key, int scaleLevel,
                    TSkinImageValue& v) {
    std::string_view suffix = ScaleKeySuffix(scaleLevel);
    if (!suffix.empty()) {
        std::string scaledKey = std::string(key) + std::string(suffix);
        const std::string* scaled = ini.Find(section, scaledKey);
        if (scaled && !scaled->empty()) {
            v.Value = AsciiUpperCase(*scaled);
            v.KeyName = scaledKey;
        }
    }
    v.FileName = NthWord(1, v.Value, "!");
    if (v.FileName.empty()) {
        Skip(v, "no file name");
        return;
    }
    v.WholeImage = true;
    v.ImageCount = 1;
    v.MaskType = 0;
    v.DrawMode = dmTexture;
    if (v.Value.find('!') == std::string::npos) {
        v.ComputedBorders = true;
        return;
    }
    const int words = CountWords(v.Value, "!");
    constexpr int kMax16 = std::numeric_limits<int16_t>::max();
    int count, type, l, t, r, b, flags = 0;
    if (!WordNumber(v, 2, 1, 0, kMax16, "image count", count) || !WordNumber(v, 3, 0, 0, kMax16, "mask type", type) ||
        !DrawModeWord(v, dmTexture))
        return;
    v.ImageCount = int16_t(count);
    v.MaskType = int16_t(type);
    if (words >= 5) {
        if (!WordNumber(v, 5, 0, 0, kMax16, "border", l) || !WordNumber(v, 6, 0, 0, kMax16, "border", t) ||
            !WordNumber(v, 7, 0, 0, kMax16, "border", r) || !WordNumber(v, 8, 0, 0, kMax16, "border", b))
            return;
        v.WL = int16_t(l);
        v.WT = int16_t(t);
        v.WR = int16_t(r);
        v.WB = int16_t(b);
    } else {
        v.ComputedBorders = true;
    }
    if (words >= 9 && !WordNumber(v, 9, 0, 0, std::numeric_limits<uint16_t>::max(), "draw flags", flags)) return;
    v.DrawFlags = uint16_t(flags);
}

}  // namespace

std::string_view ScaleKeySuffix(int scaleLevel) {
    return scaleLevel == 1 ? "*125" : scaleLevel == 2 ? "*150" : "";
}

bool ParseLongFormValue(std::string_view upperValue, TSkinImageValue& v) {
    v.Value = std::string(upperValue);  // a copy first: upperValue may view v.Value itself
    upperValue = v.Value;
    v.Form = TSkinValueForm::Long;
    int l, t, r, b, count, type, flags, uniform;
    if (!FixedRect(upperValue, v.R) || !FixedField(upperValue, 22, 4, l) || !FixedField(upperValue, 27, 4, t) ||
        !FixedField(upperValue, 32, 4, r) || !FixedField(upperValue, 37, 4, b) ||
        !FixedField(upperValue, 42, 1, count) || !FixedField(upperValue, 44, 1, type) ||
        !FixedField(upperValue, 46, 1, flags) || !FixedField(upperValue, 48, 1, uniform))
        return Skip(v, "long form needs 48 characters with digits in its fields");
    if (!OrderedRect(v) || !DrawModeWord(v, dmNinePart)) return false;
    v.ImageCount = int16_t(count);
    v.MaskType = int16_t(type);
    v.DrawFlags = uint16_t(flags);
    v.BorderWidth = int16_t(uniform);
    v.WL = int16_t(l);
    v.WT = int16_t(t);
    v.WR = int16_t(r);
    v.WB = int16_t(b);
    if (l == 0 && t == 0 && r == 0 && b == 0) {
        if (uniform != 0) {
            v.WL = v.WT = v.WR = v.WB = int16_t(uniform);
        } else {
            v.ComputedBorders = true;
            ComputeMaskBorders(v);
        }
    }
    return true;
}

TSkinImageValue ParseSkinImageValue(const TSkinIni& ini, std::string_view section, std::string_view key,
                                    std::string_view value, int scaleLevel) {
    TSkinImageValue v;
    v.SectionName = std::string(section);
    v.KeyName = std::string(key);
    v.Value = AsciiUpperCase(value);
    if (v.Value.empty()) return v;
    switch (v.Value[0]) {
    case '!':
        if (HasStar(key)) return v;
        v.Form = TSkinValueForm::FileParams;
        ParseImageFile(ini, section, key, scaleLevel, v);
        break;
    case '@':
        v.Form = TSkinValueForm::Short;
        ParseShort(v);
        break;
    case '^':
        if (HasStar(key)) return v;
        v.Form = TSkinValueForm::Long;
        ParseLong(ini, section, key, scaleLevel, v);
        break;
    case '~':
        v.Form = TSkinValueForm::Glyph;
        ParseGlyph(v);
        break;
    default:
        if (v.Value.find(".JPG") == std::string::npos && v.Value.find(".BMP") == std::string::npos) return v;
        v.Form = TSkinValueForm::PlainFile;
        ParseImageFile(ini, section, key, scaleLevel, v);
        break;
    }
    return v;
}

std::vector<TSkinImageValue> ReadSkinImageValues(const TSkinIni& ini, int scaleLevel) {
    std::vector<TSkinImageValue> out;
    const auto& sections = ini.Sections();
    for (size_t i = 0; i < sections.size(); ++i) {
        const TSkinIniSection& s = sections[i];
        const bool global = s.Name == "GLOBALINFO";
        for (const auto& [key, value] : s.Keys) {
            if (global && key == "MASTERBITMAP") continue;
            TSkinImageValue v = ParseSkinImageValue(ini, s.Name, key, value, scaleLevel);
            if (v.Form == TSkinValueForm::None) continue;
            v.SectionIndex = int32_t(i);
            out.push_back(std::move(v));
        }
    }
    return out;
}

void ComputeMaskBorders(TSkinImageValue& v) {
    const int64_t wDiv = int64_t(v.ImageCount) * 3, hDiv = int64_t(v.MaskType) * 3 + 3;
    v.WL = v.WR = wDiv > 0 ? Clamp16(int64_t(RectWidth(v.R)) / wDiv) : 0;
    v.WT = v.WB = hDiv > 0 ? Clamp16(int64_t(RectHeight(v.R)) / hDiv) : 0;
}

void SetImageSize(TSkinImageValue& v, int width, int height) {
    if (!v.WholeImage) return;
    v.R = {0, 0, width, height};
    if (v.ComputedBorders) ComputeMaskBorders(v);
}

TSkinMaskData MakeSkinMaskData(const TSkinImageValue& v) {
    TSkinMaskData m;
    m.ClassName = v.SectionName;
    m.PropertyName = v.KeyName;
    m.R = v.R;
    m.ImageCount = v.ImageCount;
    m.MaskType = v.MaskType;
    m.BorderWidth = v.BorderWidth;
    m.DrawFlags = v.DrawFlags;
    m.DrawMode = v.DrawMode;
    m.WL = v.WL;
    m.WT = v.WT;
    m.WR = v.WR;
    m.WB = v.WB;
    m.SectionIndex = v.SectionIndex;
    return m;
}

}  // namespace ad::skin
