// The grid's view of an in-place editor: the edit controls (InplaceEdit.h,
// SpinEdit.h) implement it over their windows; the grid borrows one editor
// at a time, lays it over a cell or an input cell, and hears its events
// through the handlers it sets here.
#pragma once

#include <functional>
#include <string>

#include "base/Color.h"
#include "base/Geometry.h"

namespace ad::grid {

class TRgCustomColumn;
struct FontSpec;

// The editor's events as the grid hears them (AssignEditorEvents).
struct TGridEditorEvents {
    std::function<void()> Change;
    std::function<void()> Enter;
    // Exit: StaysInGrid is true when the focus moves to the grid or another
    // of its children.
    std::function<void(bool StaysInGrid)> Exit;
    // A key down before the edit uses it; UnusedArrow: an arrow key that the
    // edit has no use for (a single-line edit's Up and Down, Left at the
    // start, Right at the end). Key 0 afterwards: the key was taken.
    std::function<void(int& Key, unsigned Shift, bool UnusedArrow)> KeyDown;
    std::function<void(char16_t& Key)> KeyPress;
    std::function<void(int& Key, unsigned Shift)> KeyUp;
    bool Assigned() const { return Change || Enter || Exit || KeyDown || KeyPress || KeyUp; }
};

class IGridEditor {
public:
    virtual ~IGridEditor() = default;

    virtual std::u16string GetAsString() const = 0;
    virtual void SetAsString(const std::u16string& Value) = 0;
    // Borrowed by the grid: its own change event is cleared, it becomes a
    // child of the grid window, its text is emptied, and it takes the grid's
    // WantTabs and bidirectional mode.
    virtual void AttachToGrid(bool WantTabs, bool BiDiMode) = 0;
    // The column prepares its own editor (alignment, no border, inner margin,
    // the column's editing properties); then colour and font.
    virtual void PrepareFor(const TRgCustomColumn& Column) = 0;
    virtual void SetLooks(TColor Color, const FontSpec& Font) = 0;
    // The column's step after the editor is shown with its text (a number
    // column sets the editor's precision).
    virtual void AfterShow(const TRgCustomColumn& Column) = 0;
    // Hidden, moved and sized to Rect (grid client coordinates), shown,
    // focused and repainted; HideEditor only hides it.
    virtual void PlaceAt(const TRect& Rect) = 0;
    virtual void HideEditor() = 0;
    virtual bool EditorVisible() const = 0;
    virtual void SelectAll() = 0;
    virtual void CaretToEnd() = 0;
    // The character as typed input (the change notice follows).
    virtual void TypeChar(char16_t Key) = 0;
    // The editor finishes its own input (a number editor re-writes its value).
    virtual void RefreshText() = 0;
    virtual void Clear() = 0;
    // Given back: the grid's handlers are removed.
    virtual void DetachFromGrid() = 0;
    // The editor's window has the focus.
    virtual bool EditorFocused() const = 0;

    // Set by the grid while it borrows the editor (unless it keeps its own
    // events); the editor calls whichever are set.
    TGridEditorEvents GridEvents;
};

}  // namespace ad::grid
