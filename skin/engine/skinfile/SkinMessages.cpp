// The parent-background answer as a painting background.
#include "skin/engine/skinfile/SkinMessages.h"

namespace ad::skin {

TSkBgCacheRef MakeBgCacheRef(const TSkParentBgRequest& r) {
    TSkBgCacheRef ref;
    ref.Bmp = r.Bmp;
    ref.X = r.OffsetX;
    ref.Y = r.OffsetY;
    if (r.Kind == pbImage) {
        ref.FillColor = 0xFF00FF;
        ref.Ready = !r.Bmp.Empty();
    } else {
        ref.FillColor = TColor(SkinColorToRGB(r.Color));
        ref.Borders = r.Borders;
        ref.Ready = false;
    }
    return ref;
}

}  // namespace ad::skin
