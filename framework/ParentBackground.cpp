// The installable painter of a parent's background.
#include "framework/ParentBackground.h"

#include <utility>

namespace ad {
namespace {

TParentBackgroundPainter& Painter() {
    static TParentBackgroundPainter painter;
    return painter;
}

}  // namespace

TParentBackgroundPainter SetParentBackgroundPainter(TParentBackgroundPainter painter) {
    return std::exchange(Painter(), std::move(painter));
}

bool PaintParentBackground(TWinControl& control, HDC dc, const RECT& rect) {
    const TParentBackgroundPainter& painter = Painter();
    return painter && control.Parent() && painter(control, dc, rect);
}

}  // namespace ad
