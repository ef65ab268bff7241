// Stand-in for the skin manager until the skin engine is in: it keeps the
// colour settings the launcher gives it and paints nothing.
#pragma once

#include "framework/Component.h"

namespace ad {

class TSkinManager : public TComponent {
public:
    using TComponent::TComponent;
    int HueOffset = 0;
    int Saturation = 0;
    int Brightness = 0;
};

}  // namespace ad
