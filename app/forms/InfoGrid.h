// What the information windows (Software Center, Support Us, More Software)
// share: their report grid's columns, the star glyphs of ratings, cell text
// as captions take it, loading a tab-separated list file into a grid, and
// opening a list's web address.
#pragma once

#include <cstdint>
#include <string>

#include "base/Bitmap32.h"
#include "framework/Handles.h"
#include "grid/GridWindow.h"

namespace ad::infowin {

// A report grid on parent: full-row selection, read-only, header and lines.
grid::TReportGridWindow* MakeInfoGrid(TComponent* owner, TWinControl* parent, const std::string& name, int x,
                                      int y, int w, int h);
grid::TRgTextColumn* AddTextColumn(grid::TReportGrid& g, const std::u16string& caption, int width,
                                   grid::TSortType sort = grid::stAlphabetic, bool visible = true);
// A rating column of five stars, sorted as numbers.
grid::TRgRateColumn* AddRatingColumn(grid::TReportGrid& g, const std::u16string& caption, int width);

// A five-pointed star of the given colour (0xRRGGBB) on a background colour
// (0xRRGGBB; by default the grid's transparent key colour), side pixels square.
constexpr std::uint32_t kStarYellow = 0xFFC800, kStarGrey = 0xC0C0C0, kStarKey = 0xFF00FF;
TBitmap32 StarGlyph(std::uint32_t rgb, int side = 16, std::uint32_t background = kStarKey);
// A device-independent bitmap with the image's pixels.
OwnedBitmap BitmapOf(const TBitmap32& image);

// A flat picture of the given size: the colour (0xBBGGRR) with the text
// centred on it in white, for the windows' link images and program icons.
OwnedBitmap BadgeBitmap(const std::string& text, std::uint32_t color, int w, int h);

// A cell's text in the ANSI code page ("" outside the grid).
std::string CellText(grid::TReportGrid& g, int col, int row);

// Replaces the grid's rows by those of a list file: tab between fields, "|"
// for a line break inside a field, no line skipped. A damaged file (a line
// with more fields than columns, a broken UTF-16 text) keeps the rows read
// before the damage; a missing file leaves the grid empty.
void LoadListFile(grid::TReportGrid& g, const std::string& fileName);

// Opens a list's address in the browser when it is an http or https address;
// false (nothing opened) for anything else.
bool OpenWebAddress(const std::string& address);

}  // namespace ad::infowin
