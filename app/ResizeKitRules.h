// The arithmetic of the proportional re-layout, free of windows: rounding, the
// scales of a client size against the design size and resolution, and the
// semicolon-separated name lists.
#pragma once

#include <string>
#include <vector>

namespace ad {

// Rounds x to the nearest integer, halves away from zero for positive values
// (truncates x + 0.5 towards zero).
int RoundBelow(double x);

struct TResizeScales {
    double X = 1.0, Y = 1.0, Font = 1.0;  // Font: the smaller of X and Y
};
// The scales of a client size against the design client size and resolution.
// A zero design size or resolution (current or design) gives 1.0 for that axis.
TResizeScales ComputeScales(int clientW, int clientH, int designW, int designH, int designDpiX, int designDpiY,
                            int dpiX, int dpiY);

// "a;;B;" -> {"a", "", "B"}: an empty piece between separators is kept, a
// trailing one is not.
std::vector<std::string> SplitNameList(const std::string& text);
// Whether the name is in the list, ignoring ASCII case.
bool NameInList(const std::string& name, const std::vector<std::string>& list);

}  // namespace ad
