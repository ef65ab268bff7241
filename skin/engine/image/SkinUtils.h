// Small helpers of the skin engine: words in strings, INI text held in memory,
// rectangles, numbers and paths. Portable (no Windows headers).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

// INI text split into sections: each section's name and its lines.
using TIniTextSections = std::vector<std::pair<std::string, std::vector<std::string>>>;

void SplitIniText(std::string_view source, TIniTextSections& sections);
std::string IniTextReadString(const TIniTextSections& sections, std::string_view section,
                              const std::string& def, std::string_view ident);
int IniTextReadInteger(const TIniTextSections& sections, std::string_view section, int def,
                       std::string_view ident);

// Words are maximal runs of characters not in separators; positions are 1-based.
int NthWordPos(int n, std::string_view text, std::string_view separators);
std::string NthWord(int n, std::string_view text, std::string_view separators);
int CountWords(std::string_view text, std::string_view separators);

std::string StripChar(std::string_view text, char c);
void ReplaceAllText(std::string_view text, std::string_view pattern, std::string_view replacement,
                    std::string& result);

// Rectangles and points (base/Geometry.h has the general operations).
constexpr TRect BuildRect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr TPoint BuildPoint(int x, int y) { return {x, y}; }
int RectWidth(const TRect& r, bool clampNegative = false);
int RectHeight(const TRect& r, bool clampNegative = false);
TPoint RectSize(const TRect& r);  // width and height, negatives as 0
TRect ShiftRect(const TRect& r, int d);  // every side moved by d
TRect OffsetRectXY(const TRect& r, int dx, int dy);
TRect IntersectRects(const TRect& a, const TRect& b);  // as it comes: not made {} when they do not overlap
bool RectsOverlap(const TRect& a, const TRect& b);
bool RectInsideRect(const TRect& outer, const TRect& inner);  // right and bottom edges included

// Numbers.
bool ValueInArray(const int* values, int value, int first, int last);
int ClampInt(int value, int min, int max);
int ClampToInt(int64_t value);  // a 64-bit result brought into the int range
int LargerInt(int a, int b);
void SwapInt(int& a, int& b);
constexpr int ChooseInt(bool flag, int a, int b) { return flag ? a : b; }
inline std::string ChooseStr(bool flag, std::string a, std::string b) { return flag ? a : b; }
bool IndexInRange(int value, int high, int low);  // low <= value < high
bool ValueBetween(int value, int a, int b, bool anyOrder);

// Paths: "C" gives "C:\", a trailing "/" becomes "\", empty stays empty.
std::string AddPathSeparator(std::string_view path);

}  // namespace ad::skin
