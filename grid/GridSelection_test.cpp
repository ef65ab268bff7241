// Current cell, row selection and navigation.
#include <gtest/gtest.h>

#include "grid/GridTestFixture.h"

namespace ad::grid {
namespace {

using gridtest::TGridFixture;

struct TMultiFixture : TGridFixture {
    TMultiFixture() : TGridFixture(2, 8) { grid.SetOptions(goHeader | goSelectFullRow | goMultiSelect); }
    // Clicks on rows with modifiers: "5", "c3" (Ctrl), "s6" (Shift), "cs2" (both).
    void Click(const std::string& spec) {
        unsigned shift = 0;
        size_t k = 0;
        for (; k < spec.size() && !isdigit(static_cast<unsigned char>(spec[k])); ++k)
            shift |= spec[k] == 'c' ? gsCtrl : gsShift;
        grid.SelectCell(0, std::stoi(spec.substr(k)), false, true, shift);
    }
};

TEST(GridSelectionTest, ClickSequences) {
    struct Case { std::vector<std::string> clicks; std::vector<int> selected; int anchor, current; };
    const Case cases[] = {
        {{"2"}, {2}, 2, 2},
        {{"2", "5"}, {5}, 5, 5},
        {{"2", "c5"}, {2, 5}, 5, 5},                  // Ctrl keeps the others
        {{"2", "c5", "c2"}, {5}, 2, 2},               // and toggles
        {{"2", "c5", "7"}, {7}, 7, 7},                // a later plain click clears all
        {{"2", "s5"}, {2, 3, 4, 5}, 2, 5},            // Shift from the anchor
        {{"6", "s3"}, {3, 4, 5, 6}, 6, 3},
        {{"0", "c6", "s4"}, {4, 5, 6}, 6, 4},          // Shift drops rows outside the range
        {{"0", "c6", "cs4"}, {0, 4, 5, 6}, 6, 4},      // Shift+Ctrl keeps them
        {{"s4"}, {}, -1, 4},                          // no anchor yet: nothing selected
    };
    for (const Case& c : cases) {
        TMultiFixture f;
        for (const auto& click : c.clicks) f.Click(click);
        std::string seq;
        for (const auto& click : c.clicks) seq += click + " ";
        EXPECT_EQ(f.SelectedRows(), c.selected) << seq;
        EXPECT_EQ(f.grid.AnchorRow(), c.anchor) << seq;
        EXPECT_EQ(f.grid.CurrentRow(), c.current) << seq;
    }
}

TEST(GridSelectionTest, ShiftWithoutAnchorDeselectsRowsAfterIt) {
    TMultiFixture f;
    f.grid.SetRowSelected(6, true);
    f.grid.SetRowSelected(1, true);
    f.Click("s4");
    EXPECT_EQ(f.SelectedRows(), std::vector<int>{1});
}

TEST(GridSelectionTest, ModifiersNeedFullRowMultiSelect) {
    TGridFixture f(2, 6);
    f.grid.SetOptions(goHeader | goMultiSelect);
    f.grid.SelectCell(0, 1, false, true, 0);
    f.grid.SelectCell(0, 3, false, true, gsCtrl);
    EXPECT_EQ(f.grid.CurrentRow(), 3);
    EXPECT_FALSE(f.grid.MultiSelecting());
    EXPECT_TRUE(f.SelectedRows().empty());  // cell selection sets no row flags
}

TEST(GridSelectionTest, VetoAndDisabledColumn) {
    TGridFixture f(2, 5);
    f.grid.SetOptions(goHeader | goSelectFullRow);
    f.grid.SetSelectedRow(1);
    int selects = 0;
    f.grid.OnSelectCell = [&](TRgCustomGridControl*, int, int) { ++selects; };
    f.grid.OnDeselectCell = [&](TRgCustomGridControl*, int, int) { ++selects; };
    f.grid.OnBeforeSelect = [](TRgCustomGridControl*, int, int row, bool& accept) { accept = row != 3; };
    f.grid.SelectCell(0, 3, false, true, 0);
    EXPECT_EQ(f.grid.CurrentRow(), 1);
    EXPECT_EQ(f.SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(selects, 0);
    f.grid.Columns().Item(1)->Enabled = false;
    f.grid.SelectCell(1, 2, false, true, 0);
    EXPECT_EQ(f.grid.CurrentCol(), 0);
    EXPECT_EQ(f.grid.CurrentRow(), 1);
    f.grid.SetSelectedRow(-1);
    EXPECT_EQ(f.grid.CurrentRow(), -1);
    EXPECT_EQ(f.grid.CurrentCol(), 0);
    f.grid.SetSelectedRow(5);  // past the last row: ignored
    EXPECT_EQ(f.grid.CurrentRow(), -1);
}

TEST(GridSelectionTest, NextAndPreviousRows) {
    TGridFixture f(2, 5);
    f.grid.SetOptions(goHeader | goSelectFullRow);
    f.grid.SetRowShown(2, false);
    f.grid.SetSelectedRow(1);
    f.grid.SelectNextRow();
    EXPECT_EQ(f.grid.CurrentRow(), 3);  // the hidden row is skipped
    f.grid.SelectNextRow();
    f.grid.SelectNextRow(0, true, true);  // on the last row: leave and wrap
    EXPECT_EQ(f.grid.CurrentRow(), 0);
    EXPECT_EQ(f.window.FocusMoves, std::vector<bool>{true});
    f.grid.SelectPreviousRow();
    EXPECT_EQ(f.grid.CurrentRow(), 0);
    f.grid.SetOptions(goHeader | goSelectFullRow | goInput);
    f.grid.SelectPreviousRow();
    EXPECT_TRUE(f.grid.InputRowActive());
    f.grid.SelectNextRow();
    EXPECT_FALSE(f.grid.InputRowActive());
    EXPECT_EQ(f.grid.CurrentRow(), 0);
}

TEST(GridSelectionTest, ColumnsTabAndSelectAll) {
    TGridFixture f(3, 3);
    f.grid.SetOptions(goHeader | goSelectFullRow | goMultiSelect);
    f.grid.SetSelectedRow(0);
    f.grid.TabForward(true);
    f.grid.TabForward(true);
    EXPECT_EQ(f.grid.CurrentCol(), 2);
    f.grid.TabForward(true);  // past the last column: next row, first column
    EXPECT_EQ(f.grid.CurrentCol(), 0);
    EXPECT_EQ(f.grid.CurrentRow(), 1);
    f.grid.TabBackward(true);
    EXPECT_EQ(f.grid.CurrentCol(), 2);
    EXPECT_EQ(f.grid.CurrentRow(), 0);
    f.grid.OnSelectionMove = [](TRgCustomGridControl*, int& col, int, TMoveSelectionKey) { col = 0; };
    f.grid.SelectPreviousColumn(mkArrows);
    EXPECT_EQ(f.grid.CurrentCol(), 0);
    f.grid.SelectAll();
    EXPECT_EQ(f.grid.SelectedCount(), 3);
    EXPECT_TRUE(f.grid.MultiSelecting());
}

}  // namespace
}  // namespace ad::grid
