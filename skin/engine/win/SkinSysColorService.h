// System colours that follow the skin, for our own painting: while installed,
// the colour queries of the program's painting (base's ColorToRGB, which the
// framework, the grid and the skin engine's SkinColorToRGB go through) take
// the default manager's palette for the indexes the skin answers; the others
// go to the resolver installed before, else to the platform. No system
// function is changed: other programs, other threads and the system's own
// drawing keep their colours.
#pragma once

#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

void InstallColorSubstitution();
void RemoveColorSubstitution();
bool ColorSubstitutionInstalled();
// The skin data's frame colour: the system's inactive border colour as it
// was when first asked.
TColor SkinFrameColor();

}  // namespace ad::skin
