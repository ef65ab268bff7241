// List view and tree view adapters: the report view's header painted from
// the column-header section (sort mark, hot column), a view without
// columns left alone, thumb drags in whole items, a header made again taken
// again, and the tree's background from the edit section and back.
#include "skin/adapters/SkListViewWnd.h"

#include <gtest/gtest.h>

#include "framework/PrintTestKit.h"
#include "skin/adapters/ItemViewTestKit.h"
#include "skin/adapters/SkAdapterTable.h"
#include "skin/adapters/SkComboWnds.h"
#include "skin/adapters/SkGridWnds.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using ad::test::PrintInto;
using ad::test::TPrintedImage;

template <class T>
TSkAdapterPtr<T> Attach(HWND wnd, TSkinManager& manager) {
    return TSkMainWnd::Create<T>(wnd, nullptr, &manager, TSkSkinParams{});
}

HWND HeaderOf(HWND listView) { return reinterpret_cast<HWND>(::SendMessageW(listView, LVM_GETHEADER, 0, 0)); }

RECT ColumnRect(HWND header, int column) {
    RECT r{};
    ::SendMessageW(header, HDM_GETITEMRECT, WPARAM(column), reinterpret_cast<LPARAM>(&r));
    return r;
}

TPrintedImage PrintHeader(HWND header) {
    RECT client{};
    ::GetClientRect(header, &client);
    return PrintInto(header, WM_PRINTCLIENT, PRF_CLIENT, client.right, client.bottom);
}

int CountInk(const TPrintedImage& image, const RECT& r, TColor ink) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) count += image.At(x, y) == COLORREF(ink);
    return count;
}

// A report view of three empty-captioned columns, the last one sorted up.
struct TReportView {
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host{420, 300};
    HWND list = AddChild(host.Handle(), WC_LISTVIEWW, LVS_REPORT, 10, 10, 380, 240);
    TReportView() {
        for (int i = 0; i < 3; ++i) AddColumn(list, i, L"", 100);
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        ::SendMessageW(HeaderOf(list), HDM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item));
        item.fmt |= HDF_SORTUP;
        ::SendMessageW(HeaderOf(list), HDM_SETITEMW, 2, reinterpret_cast<LPARAM>(&item));
    }
};

TEST(SkListViewWnd, TheReportHeaderIsPaintedFromTheColumnHeaderSectionWithASortMarkOnTheSortedColumn) {
    TReportView view;
    auto adapter = Attach<TSkListViewWnd>(view.list, view.skin.Manager);
    HWND header = HeaderOf(view.list);
    ASSERT_NE(adapter->Header(), nullptr);
    EXPECT_EQ(adapter->Header()->Handle(), header);

    const TPrintedImage image = PrintHeader(header);
    for (int column = 0; column < 3; ++column) {
        const RECT r = ColumnRect(header, column);
        EXPECT_EQ(image.At(r.left + 2, r.bottom - 2), kHeaderNormal) << "column " << column;
        // The 6 x 3 triangle: 6 + 4 + 2 pixels, only on the sorted column.
        EXPECT_EQ(CountInk(image, r, kHeaderInk), column == 2 ? 12 : 0) << "column " << column;
    }
    // The empty area right of the last column is painted too.
    EXPECT_EQ(image.At(image.Width - 3, image.Height / 2), kHeaderNormal);
}

TEST(SkListViewWnd, AHitOverColumnOneMakesOnlyItHotUntilTheListIsHit) {
    TReportView view;
    auto adapter = Attach<TSkListViewWnd>(view.list, view.skin.Manager);
    HWND header = HeaderOf(view.list);
    const RECT one = ColumnRect(header, 1);
    POINT p{(one.left + one.right) / 2, (one.top + one.bottom) / 2};
    ::ClientToScreen(header, &p);
    ::SendMessageW(header, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(adapter->Header()->HotColumn(), 1);

    TPrintedImage image = PrintHeader(header);
    const TColor expected[] = {kHeaderNormal, kHeaderHot, kHeaderNormal};
    for (int column = 0; column < 3; ++column) {
        const RECT r = ColumnRect(header, column);
        EXPECT_EQ(image.At(r.left + 2, r.bottom - 2), expected[column]) << "column " << column;
    }

    // The mouse over the list itself: no column stays hot.
    ::SendMessageW(view.list, WM_NCHITTEST, 0, 0);
    EXPECT_EQ(adapter->Header()->HotColumn(), -1);
    image = PrintHeader(header);
    EXPECT_EQ(image.At(one.left + 2, one.bottom - 2), kHeaderNormal);
}

TEST(SkListViewWnd, APressOnAColumnDrawsOnlyItPressedAndAPressOnADividerNone) {
    struct Case {
        const char* name;
        int x;  // in header client coordinates; column 1 is hot throughout
        int pressed;
        TColor colours[3];
    };
    TReportView view;
    auto adapter = Attach<TSkListViewWnd>(view.list, view.skin.Manager);
    HWND header = HeaderOf(view.list);
    const RECT zero = ColumnRect(header, 0), one = ColumnRect(header, 1);
    const Case cases[] = {
        {"on column 0", (zero.left + zero.right) / 2, 0, {kHeaderPressed, kHeaderNormal, kHeaderNormal}},
        {"on the divider after column 0", zero.right, -1, {kHeaderNormal, kHeaderHot, kHeaderNormal}},
    };
    for (const Case& c : cases) {
        POINT hot{(one.left + one.right) / 2, (one.top + one.bottom) / 2};
        ::ClientToScreen(header, &hot);
        ::SendMessageW(header, WM_NCHITTEST, 0, MAKELPARAM(hot.x, hot.y));
        const int y = (zero.top + zero.bottom) / 2;
        ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, y));
        EXPECT_EQ(adapter->Header()->PressedColumn(), c.pressed) << c.name;
        const TPrintedImage image = PrintHeader(header);
        for (int column = 0; column < 3; ++column) {
            const RECT r = ColumnRect(header, column);
            EXPECT_EQ(image.At(r.left + 4, r.bottom - 2), c.colours[column]) << c.name << ", column " << column;
        }
        ::SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(c.x, y));
        EXPECT_EQ(adapter->Header()->PressedColumn(), -1) << c.name;
    }
}

TEST(SkListViewWnd, AViewOtherThanReportLeavesItsHeaderToItself) {
    TReportView view;
    auto adapter = Attach<TSkListViewWnd>(view.list, view.skin.Manager);
    HWND header = HeaderOf(view.list);
    ::SendMessageW(view.list, LVM_SETVIEW, LV_VIEW_ICON, 0);
    const TPrintedImage image = PrintHeader(header);
    const RECT r = ColumnRect(header, 0);
    EXPECT_NE(image.At(r.left + 2, r.bottom - 2), kHeaderNormal);
    ::SendMessageW(header, WM_NCHITTEST, 0, 0);
    EXPECT_EQ(adapter->Header()->HotColumn(), -1);
}

TEST(SkListViewWnd, AThumbDragOverTwoHundredItemsScrollsInWholeItems) {
    TReportView view;
    AddItems(view.list, 200);
    auto adapter = Attach<TSkListViewWnd>(view.list, view.skin.Manager);
    // The skinned bar carries the position whole in LParam once the view
    // answers the lock with 1, else in the high word.
    EXPECT_EQ(::SendMessageW(view.list, SKM_SKINCMD, SkinCommandWParam(SKC_LOCKREDRAW), 0), 1);
    const int perPage = int(::SendMessageW(view.list, LVM_GETCOUNTPERPAGE, 0, 0));
    const int highest = 200 - perPage;
    RECT header{};
    ::GetWindowRect(HeaderOf(view.list), &header);
    struct Case {
        const char* name;
        int position;
        bool inLParam;
    };
    const Case cases[] = {{"a little", 3, false}, {"far", 120, true}, {"back", 40, false},
                          {"past the end", 199, true}, {"to the top", 0, true}};
    for (const Case& c : cases) {
        const WPARAM wParam = MAKEWPARAM(SB_THUMBTRACK, c.inLParam ? 0 : c.position);
        ::SendMessageW(view.list, WM_VSCROLL, wParam, c.inLParam ? LPARAM(c.position) : 0);
        const int top = int(::SendMessageW(view.list, LVM_GETTOPINDEX, 0, 0));
        EXPECT_EQ(top, std::min(c.position, highest)) << c.name;
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        ::SendMessageW(view.list, LVM_GETITEMRECT, WPARAM(top), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.top, header.bottom - header.top) << c.name << ": the top item is whole";
    }
}

TEST(SkListViewWnd, DraggingTheSkinnedThumbMovesTheViewInWholeItemsToTheEnd) {
    TReportView view;
    AddItems(view.list, 200);
    auto adapter = Attach<TSkListViewWnd>(view.list, view.skin.Manager);
    TSkScrollBar& bar = adapter->VertBar();
    ASSERT_TRUE(bar.Visible);
    adapter->RefreshScrollInfo(false);
    const TRect rect = adapter->BarRect(bar);
    const controls::TScrollGeometry g = adapter->Geometry(bar, rect);
    const int x = rect.Left + rect.Width() / 2;
    const int grab = rect.Top + (g.Thumb.Top + g.Thumb.Bottom) / 2;
    ::SendMessageW(view.list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, grab));
    ASSERT_TRUE(adapter->Tracking());
    RECT header{};
    ::GetWindowRect(HeaderOf(view.list), &header);
    const int highest = 200 - int(::SendMessageW(view.list, LVM_GETCOUNTPERPAGE, 0, 0));
    int last = 0;
    for (int y = grab; y <= rect.Bottom + 20; y += 7) {
        POINT p{x, y};
        ::ScreenToClient(view.list, &p);
        ::SendMessageW(view.list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        const int top = int(::SendMessageW(view.list, LVM_GETTOPINDEX, 0, 0));
        EXPECT_GE(top, last) << "at " << y;
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        ::SendMessageW(view.list, LVM_GETITEMRECT, WPARAM(top), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.top, header.bottom - header.top) << "at " << y << ": the top item is whole";
        last = top;
    }
    EXPECT_EQ(last, highest);
    ::SendMessageW(view.list, WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(adapter->Tracking());
    // The bar is the skin's, not the system's.
    RECT w{};
    ::GetWindowRect(view.list, &w);
    const TPrintedImage image = PrintInto(view.list, WM_PRINT, PRF_NONCLIENT | PRF_CLIENT, w.right - w.left,
                                          w.bottom - w.top);
    const int barX = x - w.left, middleY = (rect.Top + rect.Bottom) / 2 - w.top;
    EXPECT_NE(image.At(barX, middleY), ad::test::kUnpainted);
    EXPECT_NE(image.At(barX, middleY), COLORREF(::GetSysColor(COLOR_SCROLLBAR)));
    EXPECT_NE(image.At(barX, middleY), COLORREF(::GetSysColor(COLOR_BTNFACE)));
}

TEST(SkListViewWnd, AHeaderMadeLaterOrMadeAgainIsTakenAndTheOldOneGivenBack) {
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host{420, 300};
    HWND list = AddChild(host.Handle(), WC_LISTVIEWW, LVS_ICON, 10, 10, 380, 240);
    auto adapter = Attach<TSkListViewWnd>(list, skin.Manager);
    // The header comes with the switch to the report view (if not before).
    ::SendMessageW(list, LVM_SETVIEW, LV_VIEW_DETAILS, 0);
    AddColumn(list, 0, L"", 100);
    HWND first = HeaderOf(list);
    ASSERT_NE(adapter->Header(), nullptr);
    EXPECT_EQ(adapter->Header()->Handle(), first);

    HWND second = ::CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 20, list, nullptr,
                                    nullptr, nullptr);
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = 100;
    ::SendMessageW(second, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ASSERT_NE(adapter->Header(), nullptr);
    EXPECT_EQ(adapter->Header()->Handle(), second);
    EXPECT_EQ(PrintHeader(second).At(2, 5), kHeaderNormal);
    EXPECT_NE(PrintHeader(first).At(2, 5), kHeaderNormal);
    ::DestroyWindow(second);
    EXPECT_EQ(adapter->Header(), nullptr);
}

TEST(SkListViewWnd, TheListTakesTheEditSectionsColoursAndGetsItsOwnBack) {
    TReportView view;
    const COLORREF back = COLORREF(::SendMessageW(view.list, LVM_GETBKCOLOR, 0, 0));
    const COLORREF text = COLORREF(::SendMessageW(view.list, LVM_GETTEXTCOLOR, 0, 0));
    auto adapter = Attach<TSkListViewWnd>(view.list, view.skin.Manager);
    ::SendMessageW(view.list, WM_PAINT, 0, 0);
    EXPECT_EQ(COLORREF(::SendMessageW(view.list, LVM_GETBKCOLOR, 0, 0)), kEditColor);
    EXPECT_EQ(COLORREF(::SendMessageW(view.list, LVM_GETTEXTCOLOR, 0, 0)), kEditInk);
    adapter.reset();
    EXPECT_EQ(COLORREF(::SendMessageW(view.list, LVM_GETBKCOLOR, 0, 0)), back);
    EXPECT_EQ(COLORREF(::SendMessageW(view.list, LVM_GETTEXTCOLOR, 0, 0)), text);
}

TEST(SkTreeViewWnd, TheBackgroundIsTheEditSectionsUntilTheSkinGoes) {
    struct Case {
        const char* name;
        bool byRemoval;  // the manager's removal notice, else the adapter freed
    };
    for (const Case& c : {Case{"skin removed", true}, Case{"adapter freed", false}}) {
        TAdapterSkinFixture skin{ItemViewSkin()};
        THostWindow host;
        HWND tree = AddChild(host.Handle(), WC_TREEVIEWW, TVS_HASLINES, 10, 10, 200, 150);
        const COLORREF back = COLORREF(::SendMessageW(tree, TVM_GETBKCOLOR, 0, 0));
        auto adapter = Attach<TSkTreeViewWnd>(tree, skin.Manager);
        const TPrintedImage erased = PrintInto(tree, WM_ERASEBKGND, 0, 150, 100);
        EXPECT_EQ(erased.At(75, 50), kEditColor) << c.name;
        EXPECT_EQ(COLORREF(::SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), kEditColor) << c.name;
        EXPECT_EQ(COLORREF(::SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0)), kEditInk) << c.name;
        if (c.byRemoval)
            ::SendMessageW(tree, SKM_SKINCMD, SkinCommandWParam(SKC_SKINREMOVED),
                           reinterpret_cast<LPARAM>(&skin.Manager));
        else
            adapter.reset();
        EXPECT_EQ(COLORREF(::SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), back) << c.name;
    }
}

template <class T>
bool IsA(TSkMainWnd* adapter) {
    return dynamic_cast<T*>(adapter) != nullptr;
}

TEST(SkAdapterTable, TheItemViewGridAndComboKindsMakeTheirAdapters) {
    TAdapterSkinFixture skin{ItemViewSkin()};
    THostWindow host;
    struct Case {
        const char* name;
        TSkAdapterKind kind;
        const wchar_t* className;
        DWORD style;
        bool (*isRight)(TSkMainWnd*);
    };
    const Case cases[] = {
        {"list view", akListView, WC_LISTVIEWW, LVS_REPORT, &IsA<TSkListViewWnd>},
        {"tree view", akTreeView, WC_TREEVIEWW, 0, &IsA<TSkTreeViewWnd>},
        {"combo box", akComboBox, WC_COMBOBOXW, CBS_DROPDOWNLIST, &IsA<TSkComboBoxWnd>},
        {"grid", akGrid, WC_LISTBOXW, WS_VSCROLL, &IsA<TSkGridWnd>},
        {"extended grid", akGridEh, WC_LISTBOXW, WS_VSCROLL, &IsA<TSkGridEhWnd>},
        {"virtual tree", akVirtualTree, WC_LISTBOXW, WS_VSCROLL, &IsA<TSkVirtualTreeViewWnd>},
    };
    for (const Case& c : cases) {
        HWND wnd = AddChild(host.Handle(), c.className, c.style, 10, 10, 150, 100);
        auto adapter = CreateAdapter(c.kind, wnd, &skin.Manager, TSkSkinParams{});
        ASSERT_NE(adapter, nullptr) << c.name;
        EXPECT_TRUE(c.isRight(adapter.get())) << c.name;
        EXPECT_EQ(TSkMainWnd::GetAdapter(wnd), adapter.get()) << c.name;
        adapter.reset();
        ::DestroyWindow(wnd);
    }
}

}  // namespace
}  // namespace ad::skin::adapters
