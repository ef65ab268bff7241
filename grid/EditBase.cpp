// The in-place edit's window-free rules.
#include "grid/EditBase.h"

#include <cmath>

namespace ad::grid {

void AdjustEditMargins(int& Left, int& Right, bool ShowPreview, int GlyphWidth) {
    (void)Right;
    if (ShowPreview) Left = 2 * Left + 25;
    if (GlyphWidth > 0) Left += GlyphWidth + 4;
}

int InfoBoxWidth(bool ShowPreview, int GlyphWidth) {
    return (GlyphWidth > 0 ? GlyphWidth + 4 : 0) + (ShowPreview ? EditPreviewWidth : 0);
}

bool InfoBoxShown(bool ShowPreview, int GlyphWidth) { return ShowPreview || GlyphWidth > 0; }

TRect EditPreviewRect(const TRect& Client, int GlyphWidth) {
    TRect r = Client;
    if (GlyphWidth > 0) r.Left += GlyphWidth + 4;
    r.Right = r.Left + EditPreviewWidth;
    return r;
}

int InfoGlyphTop(int BoxHeight, int GlyphHeight) {
    return static_cast<int>(std::nearbyint(BoxHeight / 2.0 - GlyphHeight / 2.0));
}

TRect InfoPreviewRect(int BoxHeight, int GlyphWidth) {
    int x = GlyphWidth > 0 ? GlyphWidth + 2 : 0;
    return TRect{x, 0, x + EditPreviewWidth, BoxHeight};
}

bool EditTextAsBoolean(std::u16string_view Text, const TFormatSettings& fs) { return TextToBool(Text, fs); }

TDateTime EditTextAsDateTime(std::u16string_view Text, const TFormatSettings& fs) {
    return Text.empty() ? 0.0 : TextToDateTime(Text, fs);
}

double EditTextAsFloat(std::u16string_view Text, const TFormatSettings& fs) {
    return Text.empty() ? 0.0 : TextToFloat(Text, fs);
}

std::int32_t EditTextAsInteger(std::u16string_view Text) { return Text.empty() ? 0 : TextToInt(Text); }

}  // namespace ad::grid
