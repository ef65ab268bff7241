// The grid's in-place editing: opening the borrowed editor on a cell or an
// input cell, accepting and ending the edit with its events in order, the
// editor's keys, and the input row.
#include <algorithm>

#include "grid/GridControl.h"

namespace ad::grid {

IGridEditor* TRgCustomGridControl::EditorOf(TRgCustomColumn* Column) {
    if (!Column) return nullptr;
    if (Column->InplaceEdit) return Column->InplaceEdit;
    if (!Column->HasEditorClass()) return nullptr;
    for (auto& entry : editors_)
        if (entry.first == Column) return entry.second.get();
    std::unique_ptr<IGridEditor> made = Window.CreateEditor(*Column);
    if (!made) return nullptr;
    editors_.emplace_back(Column, std::move(made));
    return editors_.back().second.get();
}

IGridEditor* TRgCustomGridControl::AttachEditor(TRgCustomColumn* Column, TColor Color, TColor FontColor) {
    IGridEditor* editor = EditorOf(Column);
    if (Column->InplaceEdit) Window.AdoptEditor(*editor);
    editor->AttachToGrid(WantTabs, Column->BiDiMode());
    if (Column->InplaceEdit) {
        if (!(options_ & goInplaceEditEvents)) AssignEditorEvents(*editor);
    } else {
        AssignEditorEvents(*editor);
        editor->PrepareFor(*Column);
        FontSpec font = Column->Font();
        font.Color = FontColor;
        editor->SetLooks(Color, font);
    }
    editor_ = editor;
    return editor;
}

IGridEditor* TRgCustomGridControl::BeginCellEdit(int ACol, int ARow) {
    if (editingCell_ && ACol == editedCol_ && ARow == editedRow_) return nullptr;
    if (!columns_->IsValidIndex(ACol) || ARow < 0 || ARow >= RowCount()) return nullptr;
    TRgCustomColumn* column = columns_->Item(ACol);
    if (!(column->GetEditAbility() & 1) || ReadOnly || !CanEdit() || !EditorOf(column)) return nullptr;
    bool accept = true;
    Fire(OnBeforeEdit, ACol, ARow, accept);
    if (!accept) return nullptr;
    if (!CloseOpenEdit()) return nullptr;
    editingCell_ = true;
    editedCol_ = ACol;
    editedRow_ = ARow;
    return AttachEditor(column, GetCellColor(ACol, ARow), column->Font().Color);
}

bool TRgCustomGridControl::CloseOpenEdit() {
    if (!IsEditing()) return true;
    AcceptEdit();
    EndEditing();
    return !IsEditing();  // false: the open edit refused to end
}

void TRgCustomGridControl::FinishEditorPlacement(TRgCustomColumn* Column) {
    if (!editor_) return;
    if (Column->Options() & coEditorAutoSelect) editor_->SelectAll();
    else editor_->CaretToEnd();
}

void TRgCustomGridControl::EditCell(int ACol, int ARow, const std::u16string& Text) {
    IGridEditor* editor = BeginCellEdit(ACol, ARow);
    if (!editor) return;
    TRgCustomColumn* column = columns_->Item(ACol);
    std::u16string value = Text.empty() ? GetCellText(ACol, ARow) : Text;
    if (Text.empty()) filling_ = true;
    Fire(OnApplyEditText, ACol, ARow, value);
    editor->SetAsString(value);
    BeforeShowEditor();
    PlaceEditor();
    editor->AfterShow(*column);
    filling_ = false;
    FinishEditorPlacement(column);
    Fire(OnEditEnter);
}

void TRgCustomGridControl::EditCellByKey(int ACol, int ARow, char16_t Key) {
    IGridEditor* editor = BeginCellEdit(ACol, ARow);
    if (!editor) return;
    PlaceEditor();
    editor->TypeChar(Key);
    BeforeShowEditor();
    if (editor_) editor_->CaretToEnd();
    Fire(OnEditEnter);
}

bool TRgCustomGridControl::AcceptEdit() {
    if (editingCell_ && editor_) {
        bool accept = true;
        editor_->RefreshText();
        std::u16string value = editor_->GetAsString();
        int col = editedCol_, row = editedRow_;
        Fire(OnEditAccept, col, row, value, accept);
        if (RowCount() == 0 || !columns_->IsValidIndex(col) || row < 0 || row >= RowCount()) return false;
        if (!accept) return false;
        Fire(OnEditText, col, row, value);
        SetEditedCellText(value);
        Fire(OnAfterEdit, col, row, value);
        return true;
    }
    if (editingInput_ && editor_ && columns_->IsValidIndex(inputCol_)) {
        editor_->RefreshText();
        columns_->Item(inputCol_)->SetInputValue(editor_->GetAsString());
        return true;
    }
    return false;
}

void TRgCustomGridControl::EndEditing() {
    if (!IsEditing() || !editor_) {
        editingCell_ = editingInput_ = false;
        editedCol_ = editedRow_ = -1;
        return;
    }
    if (editingCell_) {
        std::u16string value = editor_->GetAsString(), before = value;
        bool accept = true;
        Fire(OnEndEditing, editedCol_, editedRow_, value, accept);
        if (value != before) editor_->SetAsString(value);
        if (!accept) return;
    }
    CloseEditor();
}

void TRgCustomGridControl::CancelEditing() {
    if (IsEditing() && editor_) CloseEditor();
    else EndEditing();
}

void TRgCustomGridControl::CloseEditor() {
    IGridEditor* editor = editor_;
    bool cell = editingCell_;
    // Hiding the focused editor may move the focus; that is no leaving of
    // the grid that should accept the edit.
    closing_ = true;
    editor->HideEditor();
    closing_ = false;
    if (cell) RefreshCell(editedCol_, editedRow_);
    else if (columns_->IsValidIndex(inputCol_)) RefreshColumn(columns_->Item(inputCol_), cbInput);
    if (cell) Fire(OnEditExit);
    editingCell_ = editingInput_ = false;
    editedCol_ = editedRow_ = -1;
    inputCol_ = -1;
    editor_ = nullptr;
    editor->DetachFromGrid();
}

bool TRgCustomGridControl::GetEditorRect(TRect& Rect) const {
    if (!GetCellRect(editedCol_, editedRow_, Rect)) return false;
    // A tree column's editor leaves the tree lines of the row's level free.
    if (columns_->Item(editedCol_)->TreeColumn) Rect.Left = TreeContentLeft(Rect, GetRowLevel(editedRow_));
    Rect.Left += lines_.LeftHighlight;
    Rect.Right -= lines_.RightLine + ((options_ & goGrid) ? 0 : 1);
    TRect rows = GetRowsRect();
    if (Rect.Top < rows.Top) return false;
    Rect.Left = std::max(Rect.Left, rows.Left);
    return true;
}

void TRgCustomGridControl::PlaceEditor() {
    if (!editor_) return;
    TRect r;
    if (editingCell_) {
        if (!GetEditorRect(r)) {
            editor_->HideEditor();
            return;
        }
    } else if (editingInput_ && columns_->IsValidIndex(inputCol_)) {
        r = GetInputCellRect(*columns_->Item(inputCol_));
    } else {
        return;
    }
    editor_->PlaceAt(r);
}

void TRgCustomGridControl::FocusLeftGrid() {
    if (!closing_) CloseOpenEdit();
}

// --- the editor's events

void TRgCustomGridControl::AssignEditorEvents(IGridEditor& editor) {
    editor.GridEvents.Change = [this] { EditorChange(); };
    editor.GridEvents.Enter = [this] { EditorFocusChange(true, true); };
    editor.GridEvents.Exit = [this](bool staysInGrid) { EditorFocusChange(false, staysInGrid); };
    editor.GridEvents.KeyDown = [this](int& key, unsigned shift, bool unusedArrow) {
        EditorKeyDown(key, shift, unusedArrow);
    };
    editor.GridEvents.KeyPress = [this](char16_t& key) { GridKeyPress(key); };
    editor.GridEvents.KeyUp = [](int&, unsigned) {};
}

void TRgCustomGridControl::EditorChange() {
    if (filling_ || !editingCell_ || !editor_) return;
    Fire(OnEdit, editedCol_, editedRow_, editor_->GetAsString());
}

void TRgCustomGridControl::EditorFocusChange(bool Entered, bool StaysInGrid) {
    if (!Window.Focused()) Invalidate();
    if (!Entered && !StaysInGrid) FocusLeftGrid();
}

void TRgCustomGridControl::EditorKeyDown(int& Key, unsigned Shift, bool UnusedArrow) {
    bool closed = false;
    switch (Key) {
        case 0x09:  // Tab
            closed = CloseOpenEdit();
            break;
        case 0x0D:  // Enter
            if (Shift & gsCtrl) break;
            if (editingCell_ && editor_ && !columns_->Item(editedCol_)->IsMultiLine()) {
                closed = CloseOpenEdit();
                if (closed) Window.FocusGrid();
            } else if (editingInput_ && editor_) {
                int col = inputCol_;
                AcceptEdit();
                AddInputRow();
                if (editor_ && columns_->IsValidIndex(col)) {
                    filling_ = true;
                    editor_->SetAsString(columns_->Item(col)->InputValue);
                    filling_ = false;
                }
                Key = 0;
                return;
            }
            break;
        case 0x1B:  // Esc
            if (options_ & goEscClearEdit) {
                if (editor_) editor_->Clear();
                Key = 0;
                return;
            }
            EndEditing();
            closed = !IsEditing();
            if (closed) Window.FocusGrid();
            break;
        case 0x25: case 0x26: case 0x27: case 0x28:  // the arrows
            if (!UnusedArrow || !(options_ & goArrowKeyExitEditing)) return;
            closed = CloseOpenEdit();
            if (closed) Window.FocusGrid();
            break;
        default: break;
    }
    if (IsEditing() && (Key == 0x25 || Key == 0x26 || Key == 0x27 || Key == 0x28 || Key == 0x23 || Key == 0x24))
        return;  // left to the editor
    GridKeyDown(Key, Shift);
    if (closed) Key = 0;
}

// --- the input row

void TRgCustomGridControl::SetInputRowActive(bool Active) {
    if (Active == inputRowActive_) return;
    if (Active) {
        if (currentRow_ >= 0 && currentRow_ < RowCount()) SetRowSelected(currentRow_, false);
    } else if (IsEditing()) {
        EndEditing();
    }
    inputRowActive_ = Active;
    RepaintArea(gaInput);
    RepaintArea(gaIndicator);
    if (currentRow_ >= 0 && currentRow_ < RowCount()) RefreshRow(currentRow_);
}

namespace {
bool CanInput(TRgCustomColumn* column) { return (column->GetEditAbility() & 2) != 0; }
}  // namespace

IGridEditor* TRgCustomGridControl::BeginInputEdit(int Column) {
    SetInputRowActive(true);
    // The open edit is taken before the column changes (selecting another
    // cell would end it without storing it).
    if (!CloseOpenEdit()) return nullptr;
    SelectColumn(Column);
    if (!columns_->IsValidIndex(Column)) return nullptr;
    TRgCustomColumn* column = columns_->Item(Column);
    if (!EditorOf(column) || !CanInput(column) || ReadOnly) return nullptr;
    editingInput_ = true;
    IGridEditor* editor = AttachEditor(column, column->Color(), column->Font().Color);
    inputCol_ = Column;
    return editor;
}

void TRgCustomGridControl::EditInputCell(int Column, const std::u16string& Text) {
    IGridEditor* editor = BeginInputEdit(Column);
    if (!editor) return;
    TRgCustomColumn* column = columns_->Item(Column);
    filling_ = true;
    editor->SetAsString(Text.empty() ? column->InputValue : Text);
    editor->AfterShow(*column);
    filling_ = false;
    editedCol_ = Column;
    editedRow_ = -1;
    PlaceEditor();
    FinishEditorPlacement(column);
    Fire(OnInputSelectCell, Column);
}

void TRgCustomGridControl::EditInputCellByKey(int Column, char16_t Key) {
    IGridEditor* editor = BeginInputEdit(Column);
    if (!editor) return;
    editedCol_ = Column;
    editedRow_ = -1;
    PlaceEditor();
    filling_ = true;
    editor->TypeChar(Key);
    filling_ = false;
    editor->CaretToEnd();
    Fire(OnInputSelectCell, Column);
}

}  // namespace ad::grid
