// Skinned text through GDI: DrawTextA with a length limit, measuring, the
// rotated font, section captions with outlines, ink into bitmaps and glows.
#include "skin/engine/win/SkinText.h"

#include <algorithm>

#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin {

namespace {

// The section's state record and its normal one, or null for an invalid section.
std::pair<const TSkinGenState*, const TSkinGenState*> SectionStates(const TSkinTables* skin, int section, int state) {
    if (!skin || !skin->IsValidSectionIndex(section)) return {nullptr, nullptr};
    const TSkinGeneralData& s = skin->Section(section);
    const int limit = std::clamp(s.States, 1, kSkinStateCount) - 1;
    return {&s.Props[size_t(std::clamp(state, 0, limit))], &s.Props[0]};
}

// A memory DC holding a 32-bit DIB of the given size, white, with font selected.
class TextWorkImage {
public:
    TextWorkImage(int width, int height, HFONT font) : dib_(width, height) {
        dc_.Reset(::CreateCompatibleDC(nullptr));
        if (!dc_ || !dib_.Handle()) return;
        bitmap_ = ::SelectObject(dc_.Get(), dib_.Handle());
        if (font) font_ = ::SelectObject(dc_.Get(), font);
        FillRect32(dib_.View(), {0, 0, width, height}, clWhite, 0);
        ::SetBkMode(dc_.Get(), TRANSPARENT);
        ::SetTextColor(dc_.Get(), 0);
    }
    ~TextWorkImage() {
        if (font_) ::SelectObject(dc_.Get(), font_);
        if (bitmap_) ::SelectObject(dc_.Get(), bitmap_);
    }
    TextWorkImage(const TextWorkImage&) = delete;
    TextWorkImage& operator=(const TextWorkImage&) = delete;
    bool Valid() const { return bitmap_ != nullptr; }
    HDC DC() const { return dc_.Get(); }
    TImageView32 View() {
        ::GdiFlush();
        return dib_.View();
    }

private:
    TDibSection32 dib_;
    OwnedMemoryDC dc_;
    HGDIOBJ bitmap_ = nullptr, font_ = nullptr;
};

}  // namespace

int DrawTextLimited(HDC dc, std::string_view text, RECT& rect, UINT format) {
    const int length = int(std::min<size_t>(text.size(), size_t(kMaxDrawTextLength)));
    return ::DrawTextA(dc, text.data(), length, &rect, format);
}

TSize MeasureFontText(HFONT font, const std::string& text, UINT format, int width, bool wrap) {
    WindowDC screen(nullptr);
    SelectObjectScope select(screen.Get(), font);
    if (wrap) {
        RECT r{0, 0, width, 0};
        DrawTextLimited(screen.Get(), text, r, format | DT_CALCRECT | DT_WORDBREAK);
        return {r.right - r.left, r.bottom - r.top};
    }
    SIZE size{};
    if (!::GetTextExtentPoint32A(screen.Get(), text.data(), int(text.size()), &size)) return {};
    return {size.cx, size.cy};
}

std::string EllipsisToWidth(HDC dc, const std::string& text, int width) {
    return EllipsisToWidth(text, width, [dc](std::string_view s) {
        SIZE size{};
        ::GetTextExtentPoint32A(dc, s.data(), int(s.size()), &size);
        return int(size.cx);
    });
}

bool FontsEqual(TFont& a, TFont& b) {
    return a.Style() == b.Style() && a.Height() == b.Height() && a.Color() == b.Color() && a.Name() == b.Name();
}

TRotatedFontSelection::TRotatedFontSelection(HDC dc, TFont& font, int escapement) : dc_(dc) {
    LOGFONTW lf{};
    ::GetObjectW(font.Handle(), sizeof lf, &lf);
    lf.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = BYTE((font.Style() & fsItalic) != 0);
    lf.lfUnderline = BYTE((font.Style() & fsUnderline) != 0);
    lf.lfStrikeOut = BYTE((font.Style() & fsStrikeOut) != 0);
    lf.lfEscapement = lf.lfOrientation = escapement;
    // The bitmap dialog font cannot be drawn rotated.
    if (_wcsicmp(lf.lfFaceName, L"MS Sans Serif") == 0) wcscpy_s(lf.lfFaceName, L"Arial");
    font_.Reset(::CreateFontIndirectW(&lf));
    if (font_) previous_ = ::SelectObject(dc, font_.Get());
    ::SetTextColor(dc, ColorToRGB(font.Color()));
}

TRotatedFontSelection::~TRotatedFontSelection() {
    if (previous_) ::SelectObject(dc_, previous_);  // deselected first; the copy is deleted by font_
}

const TSkinTables* TextSkin(const TSkinTables* skin) {
    if (skin) return skin;
    TSkinManager* manager = DefaultManager();
    return manager ? manager->Skin() : nullptr;
}

void DrawSectionText(HDC dc, const std::string& text, bool enabled, const TSkinTables* skin, int state, int section,
                     UINT format, RECT rect) {
    if (text.empty()) return;
    ::SetBkMode(dc, TRANSPARENT);
    const auto [s, normal] = SectionStates(TextSkin(skin), section, state);
    const TColor current = TColor(::GetTextColor(dc));
    for (const TTextPass& pass : SectionTextPasses(s, normal, enabled, current)) {
        RECT r{rect.left + pass.DX, rect.top + pass.DY, rect.right + pass.DX, rect.bottom + pass.DY};
        ::SetTextColor(dc, ColorToRGB(pass.Color));
        DrawTextLimited(dc, text, r, format);
    }
}

void WriteTextToBitmap(const TImageView32& target, const std::string& text, bool smooth, bool wholeText, TColor color,
                       UINT format, const TRect& rect, HFONT font) {
    if (text.empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    TextWorkImage work(rect.Width(), rect.Height(), font);
    if (!work.Valid()) return;
    RECT r{0, 0, rect.Width(), rect.Height()};
    if (wholeText) ::DrawTextA(work.DC(), text.data(), int(text.size()), &r, format);
    else DrawTextLimited(work.DC(), text, r, format);
    InkTextIntoBitmap(target, {rect.Left, rect.Top}, work.View(), color, smooth);
}

void WriteSectionText(const TImageView32& target, const std::string& text, bool smooth, const TSkinTables* skin,
                      int state, int section, UINT format, const TRect& rect, HFONT font, TColor fallbackColor) {
    if (text.empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    const auto [s, normal] = SectionStates(TextSkin(skin), section, state);
    if (!s) {
        WriteTextToBitmap(target, text, smooth, false, fallbackColor, format, rect, font);
        return;
    }
    for (const TTextPass& pass : SectionTextPasses(s, normal, true, fallbackColor)) {
        const bool outline = pass.DX != 0 || pass.DY != 0;
        if (outline && !smooth) continue;
        const TRect r{rect.Left + pass.DX, rect.Top + pass.DY, rect.Right + pass.DX, rect.Bottom + pass.DY};
        WriteTextToBitmap(target, text, smooth, false, pass.Color, format, r, font);
    }
}

void PaintTextGlow(const TImageView32& target, const std::string& text, TRect rect, TGlowMask& mask, TColor color,
                   int size, int sides, UINT format, HFONT font) {
    if (target.Empty() || text.empty() || size < 0) return;
    rect = {rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
    const int grow = size + 4;
    const TRect maskRect{rect.Left - grow, rect.Top - grow, rect.Right + grow, rect.Bottom + grow};
    if (maskRect.Width() <= 0 || maskRect.Height() <= 0) return;
    if (mask.Width != maskRect.Width() || mask.Height != maskRect.Height()) {
        TextWorkImage work(maskRect.Width(), maskRect.Height(), font);
        if (!work.Valid()) return;
        const std::pair<int, TPoint> shifts[] = {
            {kGlowLeft, {-1, 0}}, {kGlowUp, {0, -1}}, {kGlowRight, {1, 0}}, {kGlowDown, {0, 1}}, {0, {0, 0}}};
        for (const auto& [bit, d] : shifts) {
            if (bit && !(sides & bit)) continue;
            RECT r{grow + d.X, grow + d.Y, grow + d.X + rect.Width(), grow + d.Y + rect.Height()};
            DrawTextLimited(work.DC(), text, r, format);
        }
        const TImageView32 v = work.View();
        mask.Width = v.Width;
        mask.Height = v.Height;
        mask.Pixels.resize(size_t(v.Width) * size_t(v.Height));
        CopyAlphaChannel(v, mask.View(), 1, 1);  // the green channel of black on white
        BlurMask8(mask.View(), size);
        ++mask.Builds;
    }
    MixGlowMask(target, mask.View(), {maskRect.Left, maskRect.Top}, color);
}

}  // namespace ad::skin
