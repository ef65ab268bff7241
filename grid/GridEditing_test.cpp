// In-place editing over a pretend editor: which events fire, in which order,
// for opening, accepting, ending and refusing; the editor's keys; the input
// row; where the editor lies; and an editor that must not outlive the rows it
// was opened on.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridTestFixture.h"

namespace ad::grid {
namespace {

using gridtest::TGridFixture;

// An editor without a window: its text, where it lies, and what was asked.
class TFakeEditor : public IGridEditor {
public:
    std::u16string GetAsString() const override { return Text; }
    void SetAsString(const std::u16string& value) override {
        Text = value;
        Changed();
    }
    void AttachToGrid(bool, bool) override {
        Attached = true;
        Text.clear();
    }
    void PrepareFor(const TRgCustomColumn&) override { ++Prepared; }
    void SetLooks(TColor color, const FontSpec&) override { Color = color; }
    void AfterShow(const TRgCustomColumn&) override {}
    void PlaceAt(const TRect& r) override {
        Visible = true;
        Placed = r;
    }
    void HideEditor() override {
        Visible = false;
        // Some systems take the focus away from a window as it hides.
        if (ExitOnHide && GridEvents.Exit) GridEvents.Exit(false);
    }
    bool EditorVisible() const override { return Visible; }
    void SelectAll() override { SelectedAll = true; }
    void CaretToEnd() override { CaretAtEnd = true; }
    void TypeChar(char16_t key) override {
        Text.push_back(key);
        Changed();
    }
    void RefreshText() override {}
    void Clear() override { SetAsString(u""); }
    void DetachFromGrid() override {
        Attached = false;
        GridEvents = TGridEditorEvents{};
    }
    bool EditorFocused() const override { return Visible; }

    // A key down as the edit window reports it; the key after the grid.
    int Key(int key, unsigned shift = 0, bool unusedArrow = false) {
        if (GridEvents.KeyDown) GridEvents.KeyDown(key, shift, unusedArrow);
        return key;
    }
    void Changed() {
        if (GridEvents.Change) GridEvents.Change();
    }

    std::u16string Text;
    bool Attached = false, Visible = false, SelectedAll = false, CaretAtEnd = false, ExitOnHide = false;
    int Prepared = 0;
    TColor Color = clNone;
    TRect Placed;
};

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

// Two editable text columns over three rows ("a0".."b2"); every editing
// event is logged with its cell and value.
struct TEditFixture : TGridFixture {
    TEditFixture() : TGridFixture(2, 3) {
        FillTexts();
        for (int c = 0; c < 2; ++c) {
            TRgCustomColumn* column = grid.Columns().Item(c);
            column->SetOptions(column->Options() | coEditing);
        }
        window.MakeEditor = [this](TRgCustomColumn&) {
            auto editor = std::make_unique<TFakeEditor>();
            made.push_back(editor.get());
            return editor;
        };
        auto cell = [this](const char* name, int c, int r, const std::u16string& v) {
            log.push_back(std::string(name) + " " + std::to_string(c) + "," + std::to_string(r) +
                          (v.empty() ? "" : " " + Narrow(v)));
        };
        grid.OnBeforeEdit = [=, this](TRgCustomGridControl*, int c, int r, bool& accept) {
            cell("BeforeEdit", c, r, u"");
            accept = acceptBefore;
        };
        grid.OnApplyEditText = [=](TRgCustomGridControl*, int c, int r, std::u16string& v) { cell("ApplyEditText", c, r, v); };
        grid.OnEdit = [=](TRgCustomGridControl*, int c, int r, const std::u16string& v) { cell("Edit", c, r, v); };
        grid.OnEditEnter = [this](TRgCustomGridControl*) { log.push_back("EditEnter"); };
        grid.OnEditExit = [this](TRgCustomGridControl*) { log.push_back("EditExit"); };
        grid.OnEditAccept = [=, this](TRgCustomGridControl*, int c, int r, const std::u16string& v, bool& accept) {
            cell("EditAccept", c, r, v);
            accept = acceptEdit;
        };
        grid.OnEditText = [=](TRgCustomGridControl*, int c, int r, std::u16string& v) { cell("EditText", c, r, v); };
        grid.OnAfterEdit = [=](TRgCustomGridControl*, int c, int r, const std::u16string& v) { cell("AfterEdit", c, r, v); };
        grid.OnEndEditing = [=, this](TRgCustomGridControl*, int c, int r, std::u16string& v, bool& accept) {
            cell("EndEditing", c, r, v);
            accept = acceptEnd;
        };
        grid.OnInputAccept = [this](TRgCustomGridControl*, bool& accept) {
            log.push_back("InputAccept");
            accept = acceptInput;
        };
        grid.OnInputAdded = [this](TRgCustomGridControl*) { log.push_back("InputAdded"); };
        grid.OnInputSelectCell = [this](TRgCustomGridControl*, int c) { log.push_back("InputSelectCell " + std::to_string(c)); };
    }
    TFakeEditor* Editor() { return static_cast<TFakeEditor*>(grid.Editor()); }
    std::vector<std::string> Take() { return std::exchange(log, {}); }

    std::vector<TFakeEditor*> made;
    std::vector<std::string> log;
    bool acceptBefore = true, acceptEdit = true, acceptEnd = true, acceptInput = true;
};

using Log = std::vector<std::string>;

TEST(GridEditingTest, EventOrderOfEachOperation) {
    struct Case {
        std::string name;
        std::function<void(TEditFixture&)> arrange, act;
        Log events;
        std::u16string cell;  // text of cell (1, 1) afterwards
        bool editing;
    } cases[] = {
        {"open with no text loads the cell, no OnEdit", {}, [](TEditFixture& f) { f.grid.EditCell(1, 1, u""); },
         {"BeforeEdit 1,1", "ApplyEditText 1,1 b1", "EditEnter"}, u"b1", true},
        {"open by key types it, OnEdit fires, no OnApplyEditText", {},
         [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'x'); },
         {"BeforeEdit 1,1", "Edit 1,1 x", "EditEnter"}, u"b1", true},
        {"read-only grid: nothing", [](TEditFixture& f) { f.grid.ReadOnly = true; },
         [](TEditFixture& f) { f.grid.EditCell(1, 1, u""); }, {}, u"b1", false},
        {"column without coEditing: nothing",
         [](TEditFixture& f) { f.grid.Columns().Item(1)->SetOptions(coCanClick); },
         [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'x'); }, {}, u"b1", false},
        {"OnBeforeEdit refuses", [](TEditFixture& f) { f.acceptBefore = false; },
         [](TEditFixture& f) { f.grid.EditCell(1, 1, u""); }, {"BeforeEdit 1,1"}, u"b1", false},
        {"a row that is not there", {}, [](TEditFixture& f) { f.grid.EditCell(1, 3, u""); }, {}, u"b1", false},
        {"accept then end", [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'x'); },
         [](TEditFixture& f) {
             f.grid.AcceptEdit();
             f.grid.EndEditing();
         },
         {"EditAccept 1,1 x", "EditText 1,1 x", "AfterEdit 1,1 x", "EndEditing 1,1 x", "EditExit"}, u"x", false},
        {"OnEditAccept refuses: old text, no OnAfterEdit",
         [](TEditFixture& f) {
             f.grid.EditCellByKey(1, 1, u'x');
             f.acceptEdit = false;
         },
         [](TEditFixture& f) { EXPECT_FALSE(f.grid.AcceptEdit()); }, {"EditAccept 1,1 x"}, u"b1", true},
        {"OnEndEditing refuses: still editing, no OnEditExit",
         [](TEditFixture& f) {
             f.grid.EditCell(1, 1, u"");
             f.acceptEnd = false;
         },
         [](TEditFixture& f) { f.grid.EndEditing(); }, {"EndEditing 1,1 b1"}, u"b1", true},
        {"opening another cell accepts and closes the first", [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'x'); },
         [](TEditFixture& f) { f.grid.EditCell(0, 2, u""); },
         {"BeforeEdit 0,2", "EditAccept 1,1 x", "EditText 1,1 x", "AfterEdit 1,1 x", "EndEditing 1,1 x", "EditExit",
          "ApplyEditText 0,2 a2", "EditEnter"},
         u"x", true},
        {"the edited cell again: nothing", [](TEditFixture& f) { f.grid.EditCell(1, 1, u""); },
         [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'y'); }, {}, u"b1", true},
        {"Enter accepts and ends", [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'x'); },
         [](TEditFixture& f) { EXPECT_EQ(f.Editor()->Key(0x0D), 0); },
         {"EditAccept 1,1 x", "EditText 1,1 x", "AfterEdit 1,1 x", "EndEditing 1,1 x", "EditExit"}, u"x", false},
        {"Esc ends without storing", [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'x'); },
         [](TEditFixture& f) { f.Editor()->Key(0x1B); }, {"EndEditing 1,1 x", "EditExit"}, u"b1", false},
        {"Esc while hiding takes the focus: still nothing stored",
         [](TEditFixture& f) {
             f.grid.EditCellByKey(1, 1, u'x');
             f.Editor()->ExitOnHide = true;
         },
         [](TEditFixture& f) { f.Editor()->Key(0x1B); }, {"EndEditing 1,1 x", "EditExit"}, u"b1", false},
        {"Esc with goEscClearEdit empties the editor and keeps it open",
         [](TEditFixture& f) {
             f.grid.SetOptions(f.grid.Options() | goEscClearEdit);
             f.grid.EditCellByKey(1, 1, u'x');
         },
         [](TEditFixture& f) {
             f.Editor()->Key(0x1B);
             EXPECT_EQ(f.Editor()->Text, u"");
         },
         {"Edit 1,1"}, u"b1", true},
        {"focus leaving the grid accepts", [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'x'); },
         [](TEditFixture& f) { f.Editor()->GridEvents.Exit(false); },
         {"EditAccept 1,1 x", "EditText 1,1 x", "AfterEdit 1,1 x", "EndEditing 1,1 x", "EditExit"}, u"x", false},
        {"focus moving to the grid itself keeps the edit", [](TEditFixture& f) { f.grid.EditCellByKey(1, 1, u'x'); },
         [](TEditFixture& f) { f.Editor()->GridEvents.Exit(true); }, {}, u"b1", true},
    };
    for (const Case& c : cases) {
        TEditFixture f;
        if (c.arrange) c.arrange(f);
        f.Take();
        c.act(f);
        EXPECT_EQ(f.Take(), c.events) << c.name;
        EXPECT_EQ(f.grid.GetCellText(1, 1), c.cell) << c.name;
        EXPECT_EQ(f.grid.IsEditing(), c.editing) << c.name;
        if (!f.made.empty()) {
            EXPECT_EQ(f.made.back()->Visible || f.made.front()->Visible, c.editing) << c.name;
        }
    }
}

TEST(GridEditingTest, TheEditorLiesOverTheCellAndIsPreparedByItsColumn) {
    TEditFixture f;
    f.grid.SetOptions(f.grid.Options() | goGrid);
    f.grid.EditCell(1, 2, u"");
    ASSERT_NE(f.Editor(), nullptr);
    TRect cell;
    f.grid.GetCellRect(1, 2, cell);
    const TGridLineWidths& lines = f.grid.LineWidths();
    EXPECT_EQ(f.Editor()->Placed, (TRect{cell.Left + lines.LeftHighlight, cell.Top, cell.Right - lines.RightLine, cell.Bottom}));
    EXPECT_EQ(f.Editor()->Text, u"b2");
    EXPECT_EQ(f.Editor()->Prepared, 1);
    EXPECT_EQ(f.Editor()->Color, f.grid.GetCellColor(1, 2));
    EXPECT_TRUE(f.Editor()->CaretAtEnd);
    EXPECT_FALSE(f.Editor()->SelectedAll);
    EXPECT_EQ(f.grid.EditedCol(), 1);
    EXPECT_EQ(f.grid.EditedRow(), 2);

    // Without grid lines one more pixel comes off the right.
    f.grid.EndEditing();
    f.grid.SetOptions(f.grid.Options() & ~goGrid);
    f.grid.Columns().Item(1)->SetOptions(f.grid.Columns().Item(1)->Options() | coEditorAutoSelect);
    f.grid.EditCell(1, 2, u"");
    f.grid.GetCellRect(1, 2, cell);
    EXPECT_EQ(f.Editor()->Placed.Right, cell.Right - f.grid.LineWidths().RightLine - 1);
    EXPECT_TRUE(f.Editor()->SelectedAll);

    // Columns that change width or place take the editor along.
    f.grid.Columns().Item(0)->SetWidth(90);
    f.grid.GetCellRect(1, 2, cell);
    EXPECT_EQ(f.Editor()->Placed.Left, cell.Left + f.grid.LineWidths().LeftHighlight);
    f.grid.Columns().Item(1)->SetPosition(0);
    f.grid.GetCellRect(1, 2, cell);
    EXPECT_EQ(f.Editor()->Placed.Left, std::max(cell.Left + f.grid.LineWidths().LeftHighlight, f.grid.GetRowsRect().Left));

    // A row scrolled above the rows area: the editor hides.
    f.grid.EndEditing();
    f.grid.AddRow(40);
    f.grid.EditCell(0, 0, u"");
    f.grid.ScrollToRow(40);
    ASSERT_GT(f.grid.TopRow(), 0);
    f.grid.PlaceEditor();
    EXPECT_FALSE(f.Editor()->Visible);
    EXPECT_TRUE(f.grid.IsEditing());
    // One editor per column, made once.
    EXPECT_EQ(f.made.size(), 2u);
}

TEST(GridEditingTest, AnEditorGivenByTheApplicationKeepsItsOwnEventsOnRequest) {
    TEditFixture f;
    TFakeEditor external;
    bool ownChange = false;
    f.grid.Columns().Item(0)->InplaceEdit = &external;
    f.grid.EditCell(0, 0, u"");
    EXPECT_EQ(f.grid.Editor(), &external);
    EXPECT_EQ(external.Prepared, 0);  // only the column's own editor is prepared
    EXPECT_TRUE(external.GridEvents.Assigned());
    f.grid.EndEditing();
    EXPECT_FALSE(external.GridEvents.Assigned());

    f.grid.SetOptions(f.grid.Options() | goInplaceEditEvents);
    external.GridEvents.Change = [&] { ownChange = true; };
    f.grid.EditCell(0, 0, u"");
    external.TypeChar(u'z');
    EXPECT_TRUE(ownChange);
    EXPECT_TRUE(f.made.empty());
    f.grid.CancelEditing();
    f.grid.Columns().Item(0)->InplaceEdit = nullptr;
}

TEST(GridEditingTest, TextIsKeptAsWideCharactersEndToEnd) {
    TEditFixture f;
    const std::u16string text = u"\u0391\u03a9 \u65e5\u672c \U0001F600 \u00e9";
    f.grid.EditCell(0, 1, u"");
    f.Editor()->SetAsString(text);
    EXPECT_TRUE(f.grid.AcceptEdit());
    f.grid.EndEditing();
    EXPECT_EQ(f.grid.GetCellText(0, 1), text);
    f.grid.EditCell(0, 1, u"");
    EXPECT_EQ(f.Editor()->Text, text);
}

TEST(GridEditingTest, TabAcceptsAndMovesToTheNextCell) {
    TEditFixture f;
    f.grid.SelectCell(0, 1, false, true, 0);
    f.grid.EditCellByKey(0, 1, u'q');
    f.Take();
    EXPECT_EQ(f.Editor()->Key(0x09), 0);
    EXPECT_EQ(f.grid.GetCellText(0, 1), u"q");
    EXPECT_FALSE(f.grid.IsEditing());
    EXPECT_EQ(f.grid.CurrentCol(), 1);
    // Home, End and the arrows stay with an open editor.
    f.grid.EditCell(1, 1, u"");
    EXPECT_EQ(f.Editor()->Key(0x24), 0x24);
    EXPECT_EQ(f.Editor()->Key(0x28), 0x28);
    EXPECT_EQ(f.grid.CurrentRow(), 1);
    // goArrowKeyExitEditing: an arrow the edit does not use ends the edit and
    // moves the selection.
    f.grid.SetOptions(f.grid.Options() | goArrowKeyExitEditing);
    f.Editor()->SetAsString(u"down");
    f.Editor()->Key(0x28, 0, true);
    EXPECT_FALSE(f.grid.IsEditing());
    EXPECT_EQ(f.grid.GetCellText(1, 1), u"down");
    EXPECT_EQ(f.grid.CurrentRow(), 2);
}

TEST(GridEditingTest, RowsThatMoveOrGoCloseTheEditorEvenWhenEndingIsRefused) {
    // An editor left open on (col, row) by index after the rows moved would
    // write into whatever row then had that index.
    struct Case {
        std::string name;
        std::function<void(TEditFixture&)> change;
        std::u16string row1, row2;  // texts of column 0 in rows 1 and 2 afterwards
    } cases[] = {
        {"delete a row above", [](TEditFixture& f) { f.grid.DeleteRow(0); }, u"a2", u""},
        {"insert rows above", [](TEditFixture& f) { f.grid.InsertRows(0, 1); }, u"a0", u"a1"},
        {"move the row", [](TEditFixture& f) { f.grid.MoveRow(1, 2); }, u"a2", u"a1"},
        {"swap rows", [](TEditFixture& f) { f.grid.SwapRows(1, 2); }, u"a2", u"a1"},
        {"sort descending", [](TEditFixture& f) { f.grid.SortColumn(f.grid.Columns().Item(0), false); }, u"a1", u"a0"},
    };
    for (const Case& c : cases) {
        TEditFixture f;
        f.grid.EditCell(0, 1, u"");
        f.Editor()->SetAsString(u"typed");
        f.acceptEnd = false;
        c.change(f);
        EXPECT_FALSE(f.grid.IsEditing()) << c.name;
        EXPECT_FALSE(f.made[0]->Visible) << c.name;
        EXPECT_FALSE(f.grid.AcceptEdit()) << c.name;
        if (f.grid.RowCount() > 2) {
            EXPECT_EQ(f.grid.GetCellText(0, 2), c.row2) << c.name;
        }
        EXPECT_EQ(f.grid.GetCellText(0, 1), c.row1) << c.name;
    }
}

TEST(GridEditingTest, EnterInAnInputCellAddsARowFromTheInputValues) {
    TEditFixture f;
    f.grid.SetOptions(f.grid.Options() | goInput);
    f.grid.Columns().Item(1)->DefaultValue = u"dflt";
    f.grid.EditInputCell(0, u"");
    ASSERT_TRUE(f.grid.EditingInput());
    EXPECT_TRUE(f.grid.InputRowActive());
    EXPECT_EQ(f.grid.EditedRow(), -1);
    TRect input = f.grid.GetInputRect();
    EXPECT_EQ(f.Editor()->Placed.Top, input.Top);
    EXPECT_EQ(f.Editor()->Placed.Left, f.grid.Columns().Item(0)->ClientLeft());
    f.Editor()->SetAsString(u"new");
    f.Take();
    EXPECT_EQ(f.Editor()->Key(0x0D), 0);
    EXPECT_EQ(f.Take(), (Log{"InputAccept", "InputAdded"}));
    ASSERT_EQ(f.grid.RowCount(), 4);
    EXPECT_EQ(f.grid.GetCellText(0, 3), u"new");
    EXPECT_EQ(f.grid.GetCellText(1, 3), u"dflt");
    EXPECT_EQ(f.grid.Columns().Item(0)->InputValue, u"");
    // The editor stays in the input cell, showing the emptied input value.
    EXPECT_TRUE(f.grid.EditingInput());
    EXPECT_EQ(f.Editor()->Text, u"");

    // Typing into an input cell fires no OnEdit; a refused input adds nothing.
    f.grid.EndEditing();
    f.grid.EditInputCellByKey(1, u'7');
    EXPECT_EQ(f.Editor()->Text, u"7");
    f.acceptInput = false;
    f.Editor()->Key(0x0D);
    EXPECT_EQ(f.Take(), (Log{"InputSelectCell 1", "InputSelectCell 1", "InputAccept"}));
    EXPECT_EQ(f.grid.RowCount(), 4);
    EXPECT_EQ(f.grid.Columns().Item(1)->InputValue, u"7");
    // Leaving the input row ends the input edit.
    f.grid.SetInputRowActive(false);
    EXPECT_FALSE(f.grid.IsEditing());
    EXPECT_EQ(f.grid.InputCol(), -1);
}

TEST(GridEditingTest, TypingInTheGridOpensTheEditorWithTheKey) {
    TEditFixture f;
    f.grid.SelectCell(1, 2, false, true, 0);
    f.Take();
    f.grid.KeyPress(u'k');
    EXPECT_EQ(f.Take(), (Log{"BeforeEdit 1,2", "Edit 1,2 k", "EditEnter"}));
    ASSERT_TRUE(f.grid.EditingCell());
    // While it is open, the grid's own key press does nothing.
    f.grid.KeyPress(u'm');
    EXPECT_EQ(f.Editor()->Text, u"k");
    // A click on a cell accepts the open edit first.
    f.grid.MouseDown(gmbLeft, 0, f.grid.Columns().Item(0)->ClientLeft() + 5, f.grid.GetRowTop(0) + 4);
    EXPECT_FALSE(f.grid.IsEditing());
    EXPECT_EQ(f.grid.GetCellText(1, 2), u"k");
}

}  // namespace
}  // namespace ad::grid
