// The column header of a skinned list view: its columns painted from the
// skin's column-header section (the button section when the skin has none)
// with the hot and pressed column, the sort mark, the column image and the
// caption cut with an ellipsis; and the subclass that takes over the
// header's painting and follows the mouse over its columns.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "base/Geometry.h"
#include "framework/WindowSubclass.h"
#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin::adapters {

// What the header's painting needs besides the header itself.
struct TSkHeaderLook {
    const TSkinTables* Skin = nullptr;
    TColor Background = 0xFFFFFF;   // the list view's colour, under the section
    HFONT Font = nullptr;           // the list view's font
    HIMAGELIST Images = nullptr;    // the list view's small images
    int HotColumn = -1;             // column index, -2 the empty area, -1 none
    int PressedColumn = -1;
    bool ShiftPressedContent = true;
};

// Column -2 stands for the empty area right of the last column.
constexpr int kHeaderEmptyArea = -2;

// The section state of a column: 2 while it is the pressed column, else 1
// for the hot column, else 0.
int HeaderColumnState(int column, int hotColumn, int pressedColumn);

// The column-header section of the skin, the button section without it; -1 when neither.
int HeaderSectionIndex(const TSkinTables& skin);

// Every column with a non-empty rectangle in display order, then the empty
// area right of the last one, painted into dc (header client coordinates).
void PaintHeaderColumns(HWND header, HDC dc, const TSkHeaderLook& look);

// The column (index) under a point in header client coordinates: the
// columns are searched in display order; kHeaderEmptyArea when none.
int HeaderColumnAt(HWND header, POINT clientPoint);

// Takes over the painting of one header window while active() says so;
// otherwise every message goes on untouched. look() gives what the
// painting needs apart from the hot and pressed column kept here.
class TSkListHeader {
public:
    TSkListHeader(HWND header, HWND listView, std::function<bool()> active, std::function<TSkHeaderLook()> look);
    ~TSkListHeader();
    TSkListHeader(const TSkListHeader&) = delete;
    TSkListHeader& operator=(const TSkListHeader&) = delete;

    // Null once the header is gone or given back.
    HWND Handle() const { return subclass_ ? subclass_->Handle() : nullptr; }
    int HotColumn() const { return hot_; }
    int PressedColumn() const { return pressed_; }
    // Clears the hot and pressed column; repaints when one was set.
    void ClearHot();
    // The columns painted into dc (the header's own DC when null).
    void Paint(HDC dc);

private:
    bool HandleMessage(TMessage& m);

    HWND listView_;
    std::function<bool()> active_;
    std::function<TSkHeaderLook()> look_;
    std::unique_ptr<TWindowSubclass> subclass_;
    int hot_ = -1;
    int pressed_ = -1;
};

}  // namespace ad::skin::adapters
