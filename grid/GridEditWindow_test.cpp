// Editing in a real grid window: the editor window over the cell, keys
// typed into the grid and the editor, wide characters stored whole, the
// number column's spin editor, and focus leaving the grid. With
// AD_GRID_HOLD_MS set, a form with an open editor stays shown that long.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "framework/Forms.h"
#include "grid/GridWindow.h"
#include "grid/SpinEdit.h"
#include "testsupport/GuiTest.h"

namespace ad::grid {
namespace {

class GridEditWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 420, 240);
        grid = new TReportGridWindow(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(8, 8, 380, 150);
        other = new TEdit(form.get());
        other->SetParent(form.get());
        other->SetBounds(8, 170, 120, 22);
        TReportGrid& g = grid->Grid;
        auto* name = g.Columns().AddNew<TRgTextColumn>();
        name->Header.SetCaption(u"Program");
        name->SetWidth(160);
        name->SetOptions(name->Options() | coEditing);
        auto* size = g.Columns().AddNew<TRgNumberColumn>();
        size->Header.SetCaption(u"Size");
        size->SetWidth(110);
        size->SetOptions(size->Options() | coEditing);
        size->DecimalSeparator = u'.';
        g.SetOptions(goHeader | goGrid);
        const char16_t* names[] = {u"Notepad", u"Calculator", u"Paint", u"Terminal"};
        const char16_t* sizes[] = {u"2048", u"512", u"65536", u"128"};
        for (int r = 0; r < 4; ++r) {
            int row = g.AddRow(1);
            g.SetCellText(0, row, names[r]);
            g.SetCellText(1, row, sizes[r]);
        }
        form->Show();
        wnd = grid->Handle();
        test::PumpPending();
    }
    void TearDown() override { form.reset(); }

    HWND EditorWindow() {
        auto* control = dynamic_cast<TWinControl*>(grid->Grid.Editor());
        return control ? control->Handle() : nullptr;
    }
    // The editor's window rectangle in the grid's client coordinates.
    TRect EditorRect() {
        RECT r;
        ::GetWindowRect(EditorWindow(), &r);
        ::MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&r), 2);
        return TRect{r.left, r.top, r.right, r.bottom};
    }
    static void Type(HWND target, const std::u16string& text) {
        for (char16_t c : text) ::SendMessageW(target, WM_CHAR, c, 1);
    }
    static void Key(HWND target, WORD vk) {
        ::SendMessageW(target, WM_KEYDOWN, vk, 1);
        ::SendMessageW(target, WM_KEYUP, vk, 0xC0000001);
    }
    // With AD_GRID_HOLD_MS set, the form stays on screen that long, pumping
    // its messages, so that the display can be photographed from outside.
    void Hold() {
        const char* ms = std::getenv("AD_GRID_HOLD_MS");
        if (!ms) return;
        DWORD until = ::GetTickCount() + static_cast<DWORD>(std::atoi(ms));
        while (static_cast<int>(until - ::GetTickCount()) > 0) {
            test::PumpPending();
            ::Sleep(20);
        }
    }

    std::unique_ptr<TForm> form;
    TReportGridWindow* grid = nullptr;
    TEdit* other = nullptr;
    HWND wnd = nullptr;
};

TEST_F(GridEditWindowTest, TheEditorOpensOverTheCellAndEnterStoresItsText) {
    TReportGrid& g = grid->Grid;
    g.EditCell(0, 1, u"");
    HWND editor = EditorWindow();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(::IsWindowVisible(editor));
    EXPECT_EQ(::GetParent(editor), wnd);
    EXPECT_EQ(::GetFocus(), editor);
    TRect want;
    ASSERT_TRUE(g.GetEditorRect(want));
    EXPECT_EQ(EditorRect(), want);
    EXPECT_EQ(dynamic_cast<TRgEdit*>(g.Editor())->GetAsString(), u"Calculator");
    // No border of its own over a cell.
    EXPECT_FALSE(::GetWindowLongPtrW(editor, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    Hold();

    // Characters outside the 8-bit code page reach the cell whole.
    ::SendMessageW(editor, EM_SETSEL, 0, -1);
    Type(editor, u"\u0416\u0443\u043a \u65e5\u672c \u00e9");
    // Enter asks to be the editor's own key in a dialog.
    MSG msg{editor, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_TRUE(::SendMessageW(editor, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTALLKEYS);
    Key(editor, VK_RETURN);
    EXPECT_EQ(g.GetCellText(0, 1), u"\u0416\u0443\u043a \u65e5\u672c \u00e9");
    EXPECT_FALSE(g.IsEditing());
    EXPECT_FALSE(::IsWindowVisible(editor));
    EXPECT_EQ(::GetFocus(), wnd);
}

TEST_F(GridEditWindowTest, TypingIntoTheGridOpensTheEditorAndEscLeavesTheCell) {
    TReportGrid& g = grid->Grid;
    std::vector<std::u16string> edits;
    g.OnEdit = [&](TRgCustomGridControl*, int, int, const std::u16string& v) { edits.push_back(v); };
    g.SelectCell(0, 2, false, true, 0);
    grid->SetFocus();
    Type(wnd, u"P");
    ASSERT_TRUE(g.EditingCell());
    HWND editor = EditorWindow();
    Type(editor, u"ad");
    EXPECT_EQ(edits, (std::vector<std::u16string>{u"P", u"Pa", u"Pad"}));
    Key(editor, VK_ESCAPE);
    EXPECT_FALSE(g.IsEditing());
    EXPECT_EQ(g.GetCellText(0, 2), u"Paint");

    // Focus leaving the grid accepts the edit.
    g.EditCellByKey(0, 3, u'X');
    other->SetFocus();
    EXPECT_FALSE(g.IsEditing());
    EXPECT_EQ(g.GetCellText(0, 3), u"X");
}

TEST_F(GridEditWindowTest, NumberColumnsEditWithTheSpinEditor) {
    TReportGrid& g = grid->Grid;
    auto* column = static_cast<TRgNumberColumn*>(g.Columns().Item(1));
    column->Precision = 1;
    column->Max = 1000;
    column->Increment = 10;
    g.EditCell(1, 1, u"");
    auto* spin = dynamic_cast<TRgSpinEdit*>(g.Editor());
    ASSERT_NE(spin, nullptr);
    EXPECT_TRUE(spin->InPlace);
    EXPECT_EQ(spin->GetAsString(), u"512.0");  // the column's precision
    EXPECT_TRUE(::GetWindowLongPtrW(spin->Handle(), GWL_STYLE) & ES_RIGHT);
    EXPECT_TRUE(::IsWindowVisible(spin->Buttons().Handle()));
    Hold();
    ::SendMessageW(spin->Handle(), EM_SETSEL, 0, -1);
    Type(spin->Handle(), u"2x5.5.1");
    EXPECT_EQ(spin->GetAsString(), u"25.51");
    // Spinning with the buttons; the Max limit holds on accept.
    HWND buttons = spin->Buttons().Handle();
    ::SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    ::SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
    EXPECT_EQ(spin->GetAsString(), u"35.5");
    ::SendMessageW(spin->Handle(), EM_SETSEL, 0, -1);
    Type(spin->Handle(), u"99999");
    Key(spin->Handle(), VK_RETURN);
    EXPECT_EQ(g.GetCellText(1, 1), u"1000");
}

}  // namespace
}  // namespace ad::grid
