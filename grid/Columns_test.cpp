// The column model: defaults, width rules, auto-size, exclusive options,
// moves with their notices, the text a cell shows, copying a column, the
// grid's font, band geometry and neighbours, and what each setter reports.
#include "grid/Columns.h"

#include <gtest/gtest.h>

#include "grid/DrawRoutines.h"
#include "grid/RecordingCanvas.h"

#include <string>

namespace ad::grid {
namespace {

struct TListFixture {
    TRgColumns list;
    std::vector<std::tuple<TRgCustomColumn*, int, int>> notices;
    std::vector<std::pair<TRgCustomColumn*, int>> repaints;
    int width = 0;
    TListFixture() {
        list.Host.OnColumnChange = [this](TRgCustomColumn* c, int code, int p) { notices.emplace_back(c, code, p); };
        list.Host.OnColumnRepaint = [this](TRgCustomColumn* c, int band) { repaints.emplace_back(c, band); };
        list.Host.ClientWidth = [this] { return width; };
    }
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const auto& n : notices) codes.push_back(std::get<1>(n));
        return codes;
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
    EXPECT_EQ(number.Alignment(), taRightJustify);
    EXPECT_EQ(number.DefaultValue, u"0");
    EXPECT_EQ(text.GetColumnFeatures(), 42);
    EXPECT_EQ(rate.GetColumnFeatures(), 8);
    EXPECT_EQ(text.Width(), 80);
    EXPECT_EQ(text.MinWidth, 8);
    EXPECT_EQ(text.Position(), -1);
    EXPECT_EQ(text.Header.Color(), clBtnFace);
    EXPECT_EQ(text.Footer.Color(), clWindow);
    EXPECT_EQ(text.SlideBounds.Right(), 88);
    EXPECT_EQ(rate.Max(), 5);
    // Editing needs an editor of its own (feature bit 1).
    text.SetOptions(text.Options() | coEditing);
    EXPECT_EQ(text.GetEditAbility(), 3);
    rate.SetOptions(rate.Options() | coEditing);
    EXPECT_EQ(rate.GetEditAbility(), 0);
    text.Enabled = false;
    EXPECT_EQ(text.GetEditAbility(), 0);
}

TEST(ColumnsTest, EditKeys) {
    TRgTextColumn text;
    TRgNumberColumn number;
    TRgNumberColumn signs;
    signs.EditOptions = eoAllowSigns;
    TRgRateColumn rate;
    const char16_t sep = LocalSettings().DecimalSeparator();
    ASSERT_EQ(number.DecimalSeparator, sep);
    struct Case { const char* name; TRgCustomColumn& column; char16_t key; bool expected; };
    const Case cases[] = {
        {"text: blank", text, u' ', false},       {"text: letter", text, u'a', true},
        {"text: control", text, u'\x08', false},  {"number: digit", number, u'7', true},
        {"number: letter", number, u'e', false},   {"number: sign without eoAllowSigns", number, u'-', false},
        {"number: locale separator", number, sep, true},
        {"signs: sign", signs, u'+', true},        {"signs: separator without eoAllowFloat", signs, sep, false},
        {"rate: digit", rate, u'3', false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.column.IsEditKey(c.key), c.expected) << c.name;
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
    text.SetTextBefore(u"ab");
    text.SetTextAfter(u"!");
    EXPECT_EQ(text.GetDrawText(textCell), u"abxyz!");
    text.SetPasswordChar(u'*');
    EXPECT_EQ(text.GetDrawText(textCell), u"******");

    TRgNumberColumn num;
    num.SetHideWhenEmpty(true);
    num.SetEmptyCaption(u"-");
    EXPECT_EQ(num.GetDrawText(zero), u"-");
    EXPECT_EQ(num.GetDrawText(number), u"1234.5");
    struct Case { const char* mask; double value; const char16_t* expected; };
    const Case cases[] = {
        {"0.00", 1234.5, u"1234.50"}, {"#,##0.00", 1234.5, u"1,234.50"}, {"0.##", 2.0, u"2"},
        {"0.##", -0.004, u"0"},        {"#.0", 0.25, u".3"},                {"000", 7, u"007"},
        {"0.0 'kB'", 1.25, u"1.3 kB"},
    };
    for (const Case& c : cases) {
        num.SetFormatMask(c.mask);
        num.SetHideWhenEmpty(false);
        TFloatCell cell(&store);
        cell.SetAsFloat(c.value);
        EXPECT_EQ(num.GetDrawText(cell), c.expected) << c.mask;
    }
    num.OnGetDrawText = [](TRgCustomColumn*, std::u16string& t) { t += u" units"; };
    num.SetFormatMask("");
    EXPECT_EQ(num.GetDrawText(number), u"1234.5 units");
}

// Masks group and separate with the locale's characters, and the sign
// precedes a literal prefix.
TEST(ColumnsTest, FloatMaskFollowsTheLocale) {
    TFormatSettings german;
    german.DecimalSeparator = u',';
    german.ThousandSeparator = u'.';
    EXPECT_EQ(FormatFloatMask("#,##0.00", 1234.5, german), u"1.234,50");
    EXPECT_EQ(FormatFloatMask("#,##0", -1234567, german), u"-1.234.567");
    TFormatSettings plain;
    EXPECT_EQ(FormatFloatMask("'$'#,##0.00", -1234.5, plain), u"-$1,234.50");
    EXPECT_EQ(FormatFloatMask("'$'0.00", -0.001, plain), u"$0.00");
}

TEST(ColumnsTest, TextFitWidth) {
    TRecordingCanvas canvas(10, 10);  // 7 pixels a character
    TRgRateColumn base;
    TRgTextColumn text;
    EXPECT_EQ(base.GetTextFitWidth(canvas, u"abc"), 3 * 7 + 6);
    EXPECT_EQ(text.GetTextFitWidth(canvas, u"abc"), 3 * 7 + 5);
    EXPECT_EQ(base.GetTextFitWidth(canvas, u""), 8);
    EXPECT_EQ(text.GetTextFitWidth(canvas, u""), 5);
}

TEST(ColumnsTest, StoreMirrorsColumnKinds) {
    TRgColumns list;
    TCells store(nullptr, &list);
    list.Host.OnStructureChange = [&](int kind, int index, int index2) { store.ColumnListChanged(kind, index, index2); };
    list.AddNew<TRgTextColumn>();
    store.AddRows(2);
    auto* n = list.AddNew<TRgNumberColumn>();
    n->SetColor(0x00FF00);
    list.AddNew<TRgRateColumn>();
    EXPECT_NE(dynamic_cast<TStringCell*>(store.GetCell(0, 0)), nullptr);
    EXPECT_NE(dynamic_cast<TFloatCell*>(store.GetCell(1, 1)), nullptr);
    EXPECT_NE(dynamic_cast<TIntegerCell*>(store.GetCell(2, 1)), nullptr);
    list.Remove(list.Item(0));
    EXPECT_EQ(store.ColumnCount, 2);
    EXPECT_NE(dynamic_cast<TFloatCell*>(store.GetCell(0, 0)), nullptr);
}

TEST(ColumnsTest, AssignCopiesStateThroughTheSetters) {
    TListFixture f;
    f.width = 500;
    auto* first = f.list.AddNew<TRgTextColumn>();
    auto* target = f.list.AddNew<TRgTextColumn>();
    first->SetSorted(true);

    TRgTextColumn source;  // not in any list: no position of its own
    source.SetAlignment(taCenter);
    source.AutoEdit = true;
    source.SetColor(0x112233);
    source.SetCursor(5);
    source.DefaultValue = u"dv";
    source.SetDrawingOptions(doCustom);
    source.SetFont(FontSpec{u"Courier", -13, fsBold, 0x0000FF});
    source.Footer.SetAlignment(taRightJustify);
    source.Footer.SetTextBefore(u"Sum: ");
    source.Footer.SetFormulaKind(fkSum);
    source.Footer.SetCaption(u"not copied");
    source.Header.SetCaption(u"Name");
    source.Header.SetMultiLine(true);
    source.SetInputCaption(u"type here");
    source.SetInputValue(u"iv");
    source.SetOptions(source.Options() | coFixedSize);
    source.SlideBounds.SetLeft(30);
    source.SetSorted(true);
    source.SetSortKind(skDescending);
    source.VerticalAlignment = taAlignTop;
    source.SetWidth(120);
    source.WrapKind = wkWordWrap;
    source.MaxLength = 12;
    source.SetPasswordChar(u'#');
    source.SetTextAfter(u"!");
    f.notices.clear();

    target->Assign(source);
    EXPECT_EQ(target->Alignment(), taCenter);
    EXPECT_TRUE(target->AutoEdit);
    EXPECT_EQ(target->Color(), 0x112233);
    EXPECT_EQ(target->Cursor(), 5);
    EXPECT_EQ(target->DefaultValue, u"dv");
    EXPECT_EQ(target->DrawingOptions(), doCustom);
    EXPECT_EQ(target->Font().Name, u"Courier");
    EXPECT_FALSE(target->ParentFont());
    EXPECT_EQ(target->Footer.Alignment(), taRightJustify);
    EXPECT_EQ(target->Footer.TextBefore(), u"Sum: ");
    EXPECT_EQ(target->Footer.FormulaKind(), fkSum);
    EXPECT_EQ(target->Footer.Caption(), u"");  // the footer's caption is the grid's to compute
    EXPECT_EQ(target->Header.Caption(), u"Name");
    EXPECT_TRUE(target->Header.MultiLine());
    EXPECT_EQ(target->InputCaption(), u"type here");
    EXPECT_EQ(target->InputValue, u"iv");
    EXPECT_TRUE(target->Options() & coFixedSize);
    EXPECT_EQ(target->SlideBounds.Left(), 30);
    EXPECT_EQ(target->SortKind, skDescending);
    EXPECT_EQ(target->VerticalAlignment, taAlignTop);
    EXPECT_EQ(target->Width(), 120);
    EXPECT_EQ(target->WrapKind, wkWordWrap);
    EXPECT_EQ(target->MaxLength, 12);
    EXPECT_EQ(target->PasswordChar(), u'#');
    EXPECT_EQ(target->TextAfter(), u"!");
    // Sorting went through the setter: the other column stopped being sorted.
    EXPECT_TRUE(target->Sorted());
    EXPECT_FALSE(first->Sorted());
    // The source had no position, so the target stays where it was.
    EXPECT_EQ(target->Position(), 1);
    auto codes = f.Codes();
    for (int code : {int(cnRepaint), int(cnInputValue), int(cnSlideOrOptions), int(cnSorted), int(cnUnsorted),
                     int(cnSortChanged), int(cnWidth)})
        EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << code;

    // A listed source moves the target to its position; a column of another
    // class gives only what all columns have.
    auto* number = f.list.AddNew<TRgNumberColumn>();
    number->Assign(*first);
    EXPECT_EQ(number->Position(), 0);
    EXPECT_EQ(f.list.Positions(0), number);
    EXPECT_EQ(number->Alignment(), taLeftJustify);
    TRgNumberColumn numberSource;
    numberSource.Increment = 0.5;
    numberSource.SetFormatMask("0.00");
    numberSource.SetHideWhenEmpty(true);
    number->Assign(numberSource);
    EXPECT_EQ(number->Increment, 0.5);
    EXPECT_EQ(number->FormatMask(), "0.00");
    EXPECT_TRUE(number->HideWhenEmpty());
    number->Assign(*number);  // itself: nothing changes
    EXPECT_EQ(number->Increment, 0.5);
}

TEST(ColumnsTest, ParentFontFollowsTheGrid) {
    TListFixture f;
    FontSpec grid{u"Verdana", -12, 0, 0x000080};
    auto* follows = f.list.AddNew<TRgTextColumn>();
    auto* own = f.list.AddNew<TRgTextColumn>();
    own->SetFont(FontSpec{u"Courier", -10, fsItalic, 0});
    EXPECT_FALSE(own->ParentFont());
    f.notices.clear();

    f.list.SetGridFont(grid);
    EXPECT_EQ(follows->Font(), grid);
    EXPECT_TRUE(follows->ParentFont());  // taking the grid's font is no change of its own
    EXPECT_EQ(own->Font().Name, u"Courier");
    EXPECT_EQ(f.notices, (std::vector<std::tuple<TRgCustomColumn*, int, int>>{{follows, cnRepaint, 0}}));

    // Columns added later take the grid's font; ParentFont back on takes it again.
    auto* later = f.list.AddNew<TRgNumberColumn>();
    EXPECT_EQ(later->Font(), grid);
    own->SetParentFont(true);
    EXPECT_EQ(own->Font(), grid);
    // The store's new cells see the font the column shows.
    grid.Style = fsBold;
    f.list.SetGridFont(grid);
    EXPECT_EQ(f.list.ColumnAttrs(2).FontStyle, fsBold);
    EXPECT_EQ(f.list.ColumnAttrs(2).FontColor, 0x000080);
}

TEST(ColumnsTest, BandRectanglesAndNeighbours) {
    TListFixture f;
    int scroll = 0;
    TRgCustomColumn* selected = nullptr;
    f.list.Host.BandSpan = [](TColumnBand band) {
        switch (band) {
            case cbHeader: return std::make_pair(0, 20);
            case cbInput: return std::make_pair(20, 40);
            case cbFooter: return std::make_pair(180, 200);
            default: return std::make_pair(0, 200);
        }
    };
    f.list.Host.HorzScrollPos = [&] { return scroll; };
    f.list.Host.SelectedColumn = [&] { return selected; };
    TRgCustomColumn* c[5];
    for (auto*& col : c) col = f.list.AddNew<TRgTextColumn>();
    c[0]->SetWidth(50);
    c[2]->SetVisible(false);
    c[3]->Enabled = false;
    f.list.SetFixedCount(1);
    scroll = 30;

    // The fixed column does not scroll; the others move left by the position.
    EXPECT_EQ(c[0]->HeaderRect(), (TRect{0, 0, 50, 20}));
    EXPECT_EQ(c[1]->FooterRect(), (TRect{20, 180, 100, 200}));
    EXPECT_EQ(c[3]->InputRect(), (TRect{100, 20, 180, 40}));
    EXPECT_EQ(c[4]->BandRect(cbCells), (TRect{180, 0, 260, 200}));
    f.list.Host.IndicatorShown = true;
    f.list.UpdatePositions(false);
    EXPECT_EQ(c[0]->ClientLeft(), 12);
    EXPECT_EQ(c[1]->ClientLeft(), 32);

    // Neighbours skip hidden and disabled columns, in display order.
    struct Case {
        int column, next, prior;
        bool first, last;
        TColumnPlace place;
    } cases[] = {
        {0, 1, 0, true, false, cpFirst}, {1, 4, 0, false, false, cpMiddle}, {2, 4, 1, false, false, cpOnly},
        {3, 4, 1, false, false, cpMiddle}, {4, 4, 1, false, true, cpLast},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(c[k.column]->NextVisible(), c[k.next]) << k.column;
        EXPECT_EQ(c[k.column]->PriorVisible(), c[k.prior]) << k.column;
        EXPECT_EQ(c[k.column]->IsFirstVisible(), k.first) << k.column;
        EXPECT_EQ(c[k.column]->IsLastVisible(), k.last) << k.column;
        EXPECT_EQ(c[k.column]->Place(), k.place) << k.column;
    }
    c[4]->SetPosition(0);
    EXPECT_EQ(c[0]->PriorVisible(), c[4]);
    EXPECT_TRUE(c[4]->IsFirstVisible());

    EXPECT_FALSE(c[1]->IsSelected());
    selected = c[1];
    EXPECT_TRUE(c[1]->IsSelected());

    // Without a list a column has no band and is its own neighbour.
    TRgTextColumn alone;
    EXPECT_EQ(alone.HeaderRect(), TRect{});
    EXPECT_EQ(alone.NextVisible(), &alone);
    EXPECT_EQ(alone.Place(), cpOnly);
    // A single visible column is the only one.
    TListFixture g;
    auto* only = g.list.AddNew<TRgTextColumn>();
    EXPECT_EQ(only->Place(), cpOnly);
}

TEST(ColumnsTest, WhatEachSetterReports) {
    TListFixture f;
    auto* col = f.list.AddNew<TRgTextColumn>();
    std::vector<int> heard;
    int cookie = col->AddChangeListener([&](TRgCustomColumn* c, int what) {
        EXPECT_EQ(c, col);
        heard.push_back(what);
    });
    struct Case {
        std::string name;
        std::function<void()> set;
        std::vector<int> listeners, codes, bands;
    } cases[] = {
        {"alignment", [&] { col->SetAlignment(taCenter); }, {ccAlignment}, {cnRepaint}, {}},
        {"colour", [&] { col->SetColor(0x10); }, {ccColorOrOptions}, {cnRepaint}, {}},
        {"options", [&] { col->SetOptions(col->Options() | coFixedSize); }, {ccColorOrOptions}, {cnRepaint}, {}},
        {"drawing", [&] { col->SetDrawingOptions(doCustom); }, {ccDrawingOptions}, {cnRepaint}, {}},
        {"visible", [&] { col->SetVisible(false); }, {ccVisible}, {cnVisible}, {}},
        {"visible again", [&] { col->SetVisible(false); }, {}, {}, {}},
        {"cursor", [&] { col->SetCursor(3); }, {}, {cnRepaint}, {}},
        {"bidi", [&] { col->SetBiDiMode(true); }, {}, {cnRepaint}, {}},
        {"input caption", [&] { col->SetInputCaption(u"x"); }, {}, {cnRepaint}, {}},
        {"input value", [&] { col->SetInputValue(u"x"); }, {}, {cnInputValue}, {}},
        {"header caption", [&] { col->Header.SetCaption(u"H"); }, {ccCaption}, {}, {cbAll}},
        {"footer caption", [&] { col->Footer.SetCaption(u"F"); }, {}, {}, {cbAll}},
        {"header colour", [&] { col->Header.SetColor(0x20); }, {}, {}, {cbAll}},
        {"header alignment", [&] { col->Header.SetAlignment(taCenter); }, {}, {}, {cbHeader}},
        {"header orientation", [&] { col->Header.SetOrientation(hoVertical); }, {}, {}, {cbHeader}},
        {"header arrow", [&] { col->Header.SetHideArrow(false); }, {}, {}, {cbHeader}},
        {"footer alignment", [&] { col->Footer.SetAlignment(taCenter); }, {}, {}, {cbFooter}},
        {"header font", [&] { col->Header.SetFont(FontSpec{}); }, {}, {cnRepaint}, {}},
        {"footer mask", [&] { col->Footer.SetFormatMask("0.0"); }, {}, {cnRepaint}, {}},
        {"part drawing", [&] { col->Footer.SetDrawingOptions(doCustom); }, {}, {cnRepaint}, {}},
        {"header hint", [&] { col->Header.Hint = u"h"; }, {}, {}, {}},
        {"slide left, same value", [&] { col->SlideBounds.SetLeft(8); }, {}, {cnSlideOrOptions}, {}},
        {"slide width, same value", [&] { col->SlideBounds.SetWidth(80); }, {}, {}, {}},
        {"slide height", [&] { col->SlideBounds.SetHeight(30); }, {}, {cnSlideOrOptions}, {}},
        {"slide options", [&] { col->SetSlideOptions(1); }, {}, {cnSlideOrOptions}, {}},
        {"text before", [&] { col->SetTextBefore(u"<"); }, {}, {}, {cbCells}},
        {"password", [&] { col->SetPasswordChar(u'*'); }, {}, {}, {cbCells}},
        {"max length (editor only)", [&] { col->MaxLength = 4; }, {}, {}, {}},
    };
    for (const Case& c : cases) {
        heard.clear();
        f.notices.clear();
        f.repaints.clear();
        c.set();
        EXPECT_EQ(heard, c.listeners) << c.name;
        std::vector<int> codes;
        for (int code : f.Codes())
            if (code != cnWidth) codes.push_back(code);  // options re-run the auto-size rule
        EXPECT_EQ(codes, c.codes) << c.name;
        std::vector<int> bands;
        for (const auto& r : f.repaints) bands.push_back(r.second);
        EXPECT_EQ(bands, c.bands) << c.name;
    }

    // A listener that removes itself is not called again; others still are.
    std::vector<int> second;
    int other = col->AddChangeListener([&](TRgCustomColumn*, int what) { second.push_back(what); });
    int self = 0;
    self = col->AddChangeListener([&](TRgCustomColumn* c, int) { c->RemoveChangeListener(self); });
    col->SetAlignment(taLeftJustify);
    col->SetAlignment(taCenter);
    EXPECT_EQ(second, (std::vector<int>{ccAlignment, ccAlignment}));
    col->RemoveChangeListener(cookie);
    col->RemoveChangeListener(other);
    heard.clear();
    col->SetColor(0x30);
    EXPECT_TRUE(heard.empty());
}

}  // namespace
}  // namespace ad::grid
