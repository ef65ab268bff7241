// Fuzz target: the skin INI. Byte 0 picks the scale level and an image size;
// the rest is the INI text, optionally followed by "\x01" and CommonSections
// overlay text. Every value goes through the image-value parser, every section
// through the section reader, GLOBALINFO through its reader, and the overlay
// is laid over the sections; then the whole goes into the skin tables over a
// small master bitmap (palette, hue/saturation/brightness, common indexes,
// rescaled masks) as a load does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/StrUtils.h"
#include "skin/engine/skinfile/SkinImageValue.h"
#include "skin/engine/skinfile/SkinIni.h"
#include "skin/engine/skinfile/SkinSectionReader.h"
#include "skin/engine/skinfile/SkinTables.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Inheritance chains make the work grow with the square of the section count.
    if (size < 1 || size > 16 * 1024) return 0;
    const int level = data[0] % 3;
    const int width = (data[0] >> 2) * 37 - 100, height = (data[0] >> 4) * 1000;
    std::string_view all(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t split = all.find('\x01');
    const std::string_view text = all.substr(0, split);
    const std::string_view overlay = split == std::string_view::npos ? std::string_view() : all.substr(split + 1);

    const ad::skin::TSkinIni ini(text);
    ad::skin::TSkinTables tables;
    tables.ScaleLevel = level;
    tables.MasterBitmap = std::make_shared<ad::TBitmap32>(48, 40);
    tables.HueOffset = data[0] & 1 ? 90 : 0;
    tables.Saturation = data[0] & 2 ? -40 : 0;
    tables.Brightness = data[0] & 4 ? 30 : 0;
    for (ad::skin::TSkinImageValue v : ad::skin::ReadSkinImageValues(ini, level)) {
        Check(v.Form != ad::skin::TSkinValueForm::None);
        Check(v.SectionIndex >= 0 && size_t(v.SectionIndex) < ini.Sections().size());
        if (v.Skipped) {
            Check(!v.Problem.empty());
            continue;
        }
        Check(v.DrawMode <= 4 && v.ImageCount >= 0 && v.MaskType >= 0);
        if (!v.WholeImage) Check(v.R.Left >= 0 && v.R.Right <= 9999 && v.R.Top >= 0 && v.R.Bottom <= 9999);
        else Check(!v.FileName.empty());
        ad::skin::SetImageSize(v, width, height);
        const ad::skin::TSkinMaskData m = ad::skin::MakeSkinMaskData(v);
        Check(m.PropertyName == v.KeyName && m.R == v.R);
        // Rectangles beyond the master bitmap are what a hostile skin gives the tables.
        if (v.FileName.empty()) {
            const int i = tables.AddMask(m);
            if (m.DrawMode == ad::skin::dmNinePart) tables.UpdateCornerType(i);
        }
    }
    for (const auto& s : ini.Sections())
        for (const auto& [key, value] : s.Keys) {
            ad::skin::TSkinImageValue v;
            if (!ad::skin::ParseLongFormValue(ad::AsciiUpperCase(value), v)) Check(v.Skipped);
        }

    std::vector<ad::skin::TSkinGeneralData> sections = ad::skin::ReadSkinSections(ini);
    Check(sections.size() == ini.Sections().size());
    for (const auto& d : sections)
        Check(d.States <= 255 && d.Glow <= 255 && d.GlowMargin <= 255 && d.OuterOpacity <= 255);
    const ad::skin::TSkinGlobalInfo g = ad::skin::ReadSkinGlobalInfo(ini, level);
    Check(g.TitleHeight > 0 && g.MaxHeight > 0);
    const size_t before = sections.size();
    ad::skin::ApplyCommonSections(sections, overlay);
    Check(sections.size() >= before);

    tables.GlobalInfo = g;
    tables.SetSections(std::move(sections));
    tables.FinishSections();
    tables.ResolveCommonSections();
    for (int i = 0; i < tables.MaskCount(); ++i) {
        const ad::TPoint frame = ad::skin::MaskFrameSize(tables.Mask(i));
        Check(frame.X >= 0 && frame.Y >= 0);
    }
    return 0;
}
