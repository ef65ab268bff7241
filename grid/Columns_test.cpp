// The column model: defaults, width rules, auto-size, exclusive options,
// moves with their notices, and the text a cell shows.
#include "grid/Columns.h"

#include <gtest/gtest.h>

namespace ad {
namespace {

struct TListFixture {
    TRgColumns list;
    std::vector<std::tuple<TRgCustomColumn*, int, int>> notices;
    int width = 0;
    TListFixture() {
        list.Host.OnColumnChange = [this](TRgCustomColumn* c, int code, int p) { notices.emplace_back(c, code, p); };
        list.Host.ClientWidth = [this] { return width; };
    }
};

TEST(ColumnsTest, Defaults) {
    TRgTextColumn text;
    TRgNumberColumn number;
    TRgRateColumn rate;
    EXPECT_EQ(text.Options(), coCanClick | coCanInput | coCanSort | coPublicUsing | coShowTextFitHint);
    EXPECT_EQ(number.Options(), coCanClick | coCanInput | coCanSort | coPublicUsing);
    EXPECT_EQ(text.ColumnKind, 8);
    EXPECT_EQ(number.ColumnKind, 4);
    EXPECT_EQ(rate.ColumnKind, 7);
    EXPECT_EQ(number.SortType, stNumeric);
    EXPECT_EQ(number.Alignment, taRightJustify);
    EXPECT_EQ(number.DefaultValue, u"0");
    EXPECT_EQ(text.GetColumnFeatures(), 42);
    EXPECT_EQ(rate.GetColumnFeatures(), 8);
    EXPECT_EQ(text.Width(), 80);
    EXPECT_EQ(text.MinWidth, 8);
    EXPECT_EQ(text.Position(), -1);
    EXPECT_EQ(text.Header.Color, gridcolors::clBtnFace);
    EXPECT_EQ(text.Footer.Color, gridcolors::clWindow);
    EXPECT_EQ(text.SlideBounds.Right(), 88);
    EXPECT_EQ(rate.Max, 5);
    // Editing needs an editor of its own (feature bit 1).
    text.SetOptions(text.Options() | coEditing);
    EXPECT_EQ(text.GetEditAbility(), 3);
    rate.SetOptions(rate.Options() | coEditing);
    EXPECT_EQ(rate.GetEditAbility(), 0);
    text.Enabled = false;
    EXPECT_EQ(text.GetEditAbility(), 0);
}

TEST(ColumnsTest, WidthClampAndAutoSize) {
    TListFixture f;
    f.width = 301;
    auto* a = f.list.AddNew<TRgTextColumn>();
    a->SetWidth(3);
    EXPECT_EQ(a->Width(), 8);
    EXPECT_EQ(std::get<1>(f.notices.back()), cnWidth);
    EXPECT_EQ(std::get<2>(f.notices.back()), 8 - 80);
    auto* b = f.list.AddNew<TRgTextColumn>();
    a->SetOptions(a->Options() | coAutoSize);
    b->SetOptions(b->Options() | coAutoSize);
    // A width change re-sizes only the auto-size columns after the column.
    a->SetWidth(50);
    EXPECT_EQ(b->Width(), 251);
    b->SetWidth(100);
    EXPECT_EQ(a->Width(), 50);
    f.list.AutoSizeColumns();
    EXPECT_EQ(a->Width(), 100);
    EXPECT_EQ(b->Width(), 201);
    EXPECT_EQ(f.list.TotalWidth(), 301);
    EXPECT_EQ(b->Left(), 100);
}

TEST(ColumnsTest, SearchColumnAndSortedAreExclusive) {
    TListFixture f;
    auto* a = f.list.AddNew<TRgTextColumn>();
    auto* b = f.list.AddNew<TRgTextColumn>();
    a->SetOptions(a->Options() | coSearchColumn);
    b->SetOptions(b->Options() | coSearchColumn);
    EXPECT_FALSE(a->Options() & coSearchColumn);
    EXPECT_TRUE(b->Options() & coSearchColumn);

    a->SetSorted(true);
    f.notices.clear();
    b->SetSorted(true);
    ASSERT_EQ(f.notices.size(), 2u);
    EXPECT_EQ(f.notices[0], std::make_tuple(static_cast<TRgCustomColumn*>(a), int(cnUnsorted), 0));
    EXPECT_EQ(f.notices[1], std::make_tuple(static_cast<TRgCustomColumn*>(b), int(cnSorted), 0));
    EXPECT_FALSE(a->Sorted());
    EXPECT_TRUE(b->Sorted());
}

TEST(ColumnsTest, PositionMovesRenumbersAndNotifiesTwice) {
    TListFixture f;
    auto* a = f.list.AddNew<TRgTextColumn>();
    auto* b = f.list.AddNew<TRgTextColumn>();
    auto* c = f.list.AddNew<TRgTextColumn>();
    f.notices.clear();
    a->SetPosition(2);
    EXPECT_EQ(f.list.Positions(0), b);
    EXPECT_EQ(f.list.Positions(2), a);
    EXPECT_EQ(b->Position(), 0);
    EXPECT_EQ(c->Position(), 1);
    EXPECT_EQ(a->Position(), 2);
    ASSERT_EQ(f.notices.size(), 2u);
    EXPECT_EQ(f.notices[0], std::make_tuple(static_cast<TRgCustomColumn*>(a), int(cnMoved), 0));
    EXPECT_EQ(f.notices[1], std::make_tuple(static_cast<TRgCustomColumn*>(a), int(cnMoved), -1));
    EXPECT_EQ(b->Left(), 0);
    EXPECT_EQ(a->Left(), 160);
    // Out-of-range positions stay inside the list.
    a->SetPosition(99);
    EXPECT_EQ(a->Position(), 2);
    a->SetPosition(-5);
    EXPECT_EQ(a->Position(), 0);
    f.list.SetFixedCount(10);
    EXPECT_EQ(f.list.FixedCount(), 3);
    EXPECT_EQ(f.list.FixedWidth(), 240);
}

TEST(ColumnsTest, VisibilityAndStructureNotices) {
    TListFixture f;
    std::vector<std::pair<int, int>> structure;
    f.list.Host.OnStructureChange = [&](int kind, int index, int) { structure.push_back({kind, index}); };
    auto* a = f.list.AddNew<TRgTextColumn>();
    auto* b = f.list.AddNew<TRgTextColumn>();
    b->SetVisible(false);
    EXPECT_EQ(b->VisibleIndex(), -1);
    EXPECT_EQ(f.list.VisibleCount(), 1);
    EXPECT_EQ(f.list.LastVisible(), a);
    f.list.Remove(a);
    EXPECT_EQ(f.list.Count(), 1);
    EXPECT_EQ(b->Position(), 0);
    EXPECT_EQ(structure, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}}));
    EXPECT_EQ(f.list.FirstVisible(), nullptr);
}

TEST(ColumnsTest, DrawText) {
    TCells store(nullptr, nullptr);
    TStringCell textCell(&store);
    textCell.SetAsString(u"xyz");
    TFloatCell zero(&store), number(&store);
    number.SetAsFloat(1234.5);

    TRgTextColumn text;
    text.TextBefore = u"ab";
    text.TextAfter = u"!";
    EXPECT_EQ(text.GetDrawText(textCell), u"abxyz!");
    text.PasswordChar = u'*';
    EXPECT_EQ(text.GetDrawText(textCell), u"******");

    TRgNumberColumn num;
    num.HideWhenEmpty = true;
    num.EmptyCaption = u"-";
    EXPECT_EQ(num.GetDrawText(zero), u"-");
    EXPECT_EQ(num.GetDrawText(number), u"1234.5");
    struct Case { const char* mask; double value; const char16_t* expected; };
    const Case cases[] = {
        {"0.00", 1234.5, u"1234.50"}, {"#,##0.00", 1234.5, u"1,234.50"}, {"0.##", 2.0, u"2"},
        {"0.##", -0.004, u"0"},        {"#.0", 0.25, u".3"},                {"000", 7, u"007"},
        {"0.0 'kB'", 1.25, u"1.3 kB"},
    };
    for (const Case& c : cases) {
        num.FormatMask = c.mask;
        num.HideWhenEmpty = false;
        TFloatCell cell(&store);
        cell.SetAsFloat(c.value);
        EXPECT_EQ(num.GetDrawText(cell), c.expected) << c.mask;
    }
    num.OnGetDrawText = [](TRgCustomColumn*, std::u16string& t) { t += u" units"; };
    num.FormatMask.clear();
    EXPECT_EQ(num.GetDrawText(number), u"1234.5 units");
}

TEST(ColumnsTest, StoreMirrorsColumnKinds) {
    TRgColumns list;
    TCells store(nullptr, &list);
    list.Host.OnStructureChange = [&](int kind, int index, int index2) { store.ColumnListChanged(kind, index, index2); };
    list.AddNew<TRgTextColumn>();
    store.AddRows(2);
    auto* n = list.AddNew<TRgNumberColumn>();
    n->Color = 0x00FF00;
    list.AddNew<TRgRateColumn>();
    EXPECT_NE(dynamic_cast<TStringCell*>(store.GetCell(0, 0)), nullptr);
    EXPECT_NE(dynamic_cast<TFloatCell*>(store.GetCell(1, 1)), nullptr);
    EXPECT_NE(dynamic_cast<TIntegerCell*>(store.GetCell(2, 1)), nullptr);
    list.Remove(list.Item(0));
    EXPECT_EQ(store.ColumnCount, 2);
    EXPECT_NE(dynamic_cast<TFloatCell*>(store.GetCell(0, 0)), nullptr);
}

}  // namespace
}  // namespace ad
