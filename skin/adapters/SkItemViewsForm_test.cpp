// A window holding a list view, a tree view and combo boxes, adapted with
// the fixture skin: what a person looks at (saved as a screenshot when
// AD_SCREENSHOT_DIR is set), and the skin's colours where the screen shows
// each control.
#include <gtest/gtest.h>

#include "skin/adapters/ItemViewTestKit.h"
#include "skin/adapters/SkComboWnds.h"
#include "skin/adapters/SkListViewWnd.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::adapters {
namespace {

using namespace test;

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const wchar_t* text) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(text);
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

TEST(SkItemViewsForm, AListTreeAndCombosShowTheSkin) {
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host{620, 380};
    HWND list = AddChild(host.Handle(), WC_LISTVIEWW, LVS_REPORT, 10, 10, 360, 200);
    AddColumn(list, 0, L"Name", 140);
    AddColumn(list, 1, L"Size", 90, LVCFMT_RIGHT);
    AddColumn(list, 2, L"Kind", 100);
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    HDITEMW sorted{};
    sorted.mask = HDI_FORMAT;
    ::SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&sorted));
    sorted.fmt |= HDF_SORTUP;
    ::SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&sorted));
    AddItems(list, 40);

    HWND tree = AddChild(host.Handle(), WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 390, 10,
                         210, 200);
    HTREEITEM root = AddTreeItem(tree, TVI_ROOT, L"Programs");
    for (const wchar_t* name : {L"Editors", L"Games", L"Tools"}) AddTreeItem(tree, root, name);
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));

    HWND dropList = AddChild(host.Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST, 10, 225, 170, 150);
    HWND dropDown = AddChild(host.Handle(), WC_COMBOBOXW, CBS_DROPDOWN, 200, 225, 170, 150);
    HWND simple = AddChild(host.Handle(), WC_COMBOBOXW, CBS_SIMPLE, 390, 225, 210, 110);
    for (HWND combo : {dropList, dropDown, simple}) {
        AddComboItems(combo, 6);
        ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
    }

    auto listAdapter = TSkMainWnd::Create<TSkListViewWnd>(list, nullptr, &skin.Manager, {});
    auto treeAdapter = TSkMainWnd::Create<TSkTreeViewWnd>(tree, nullptr, &skin.Manager, {});
    std::vector<TSkAdapterPtr<TSkComboBoxWnd>> combos;
    for (HWND combo : {dropList, dropDown, simple})
        combos.push_back(TSkMainWnd::Create<TSkComboBoxWnd>(combo, nullptr, &skin.Manager, {}));
    ::RedrawWindow(host.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                                                        RDW_UPDATENOW);
    ad::test::PumpPending();
    ad::test::SaveScreenshot(host.Handle(), "item_view_adapters");

    RECT column{};
    ::SendMessageW(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(ScreenPixel(header, column.right - 3, column.bottom - 3), kHeaderNormal);
    RECT client{};
    ::GetClientRect(tree, &client);
    EXPECT_EQ(ScreenPixel(tree, client.right - 5, client.bottom - 5), kEditColor);
    const TRect button = combos[0]->ButtonRect();
    RECT frame{};
    ::GetWindowRect(dropList, &frame);
    POINT inside{frame.left + button.Left + 2, frame.top + button.Top + 2};
    ::ScreenToClient(dropList, &inside);
    EXPECT_EQ(ScreenPixel(dropList, inside.x, inside.y), kComboBtnNormal);
}

}  // namespace
}  // namespace ad::skin::adapters
