// Typed cells: the get/set matrix, failures that keep the value, notices.
#include "grid/Cell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <set>

#include "grid/CellStore.h"
#include "grid/GridTestSupport.h"

namespace ad::grid {
namespace {

using namespace gridtest;

enum TKind { kString, kInteger, kFloat, kDateTime, kBoolean, kIncrement, kGuid };

struct TCellFixture {
    TFixedClock clock;
    TCountingGuids guids;
    TPortableTextServices text;
    TCells store{nullptr, nullptr, &text, &guids, &clock};
    int notices = 0;

    TCellFixture() {
        store.OnCellChanged = [this](TCells*, int, int) { ++notices; };
    }

    std::unique_ptr<TCell> Make(TKind kind) {
        std::unique_ptr<TCell> c;
        switch (kind) {
            case kString: c = std::make_unique<TStringCell>(&store); break;
            case kInteger: c = std::make_unique<TIntegerCell>(&store); break;
            case kFloat: c = std::make_unique<TFloatCell>(&store); break;
            case kDateTime: c = std::make_unique<TDateTimeCell>(&store); break;
            case kBoolean: c = std::make_unique<TBooleanCell>(&store); break;
            case kIncrement: c = std::make_unique<TIncrementCell>(&store); break;
            case kGuid: c = std::make_unique<TGuidCell>(&store); break;
        }
        c->State = 0;
        return c;
    }
};

// Reads every accessor as text so one table can hold all value kinds.
enum TAccessor { aBool, aDate, aFloat, aInt, aStr };

std::string Read(TCell& c, TAccessor a) {
    try {
        switch (a) {
            case aBool: return c.AsBoolean() ? "true" : "false";
            case aDate: { char b[32]; std::snprintf(b, sizeof b, "%g", c.AsDateTime()); return b; }
            case aFloat: { char b[32]; std::snprintf(b, sizeof b, "%g", c.AsFloat()); return b; }
            case aInt: return std::to_string(c.AsInteger());
            case aStr: { std::string s; for (char16_t ch : c.AsString()) s.push_back(static_cast<char>(ch)); return s; }
        }
    } catch (const EConvertError&) {
        return "error";
    }
    return "?";
}

std::u16string U(const char* s) { return Latin1ToUtf16(s); }

// One row per (class, value written, accessor read): the value written
// through AsString first (or a numeric setter), then read.
struct TGetCase {
    TKind kind;
    std::function<void(TCell&)> set;
    TAccessor read;
    const char* expected;
};

TEST(CellTest, GetMatrix) {
    auto str = [](const char* s) { return [s](TCell& c) { c.SetAsString(U(s)); }; };
    auto flt = [](double v) { return [v](TCell& c) { c.SetAsFloat(v); }; };
    auto num = [](int v) { return [v](TCell& c) { c.SetAsInteger(v); }; };
    auto none = [](TCell&) {};
    const TGetCase cases[] = {
        // string cells convert their text
        {kString, str(""), aDate, "0"},
        {kString, str(""), aFloat, "error"},
        {kString, str(""), aInt, "error"},
        {kString, str(""), aBool, "error"},
        {kString, str("TRUE"), aBool, "true"},
        {kString, str("0"), aBool, "false"},
        {kString, str("2.5"), aBool, "true"},
        {kString, str("yes"), aBool, "error"},
        {kString, str(" -12 "), aInt, "-12"},
        {kString, str("2147483648"), aInt, "error"},
        {kString, str("-2147483648"), aInt, "-2147483648"},
        {kString, str("0x10"), aInt, "error"},
        {kString, str("1.5e3"), aFloat, "1500"},
        {kString, str("nan"), aFloat, "error"},
        {kString, str("inf"), aFloat, "error"},
        {kString, str("1e999"), aFloat, "error"},
        {kString, str("1,5"), aFloat, "error"},
        {kString, str("3/15/2023"), aDate, "45000"},
        {kString, str("3/15/2023 12:00"), aDate, "45000.5"},
        {kString, str("2/30/2023"), aDate, "error"},
        // integers
        {kInteger, num(-3), aBool, "false"},
        {kInteger, num(4), aBool, "true"},
        {kInteger, num(4), aDate, "0"},
        {kInteger, num(-42), aStr, "-42"},
        {kInteger, str(""), aInt, "0"},
        {kInteger, flt(2.5), aInt, "2"},
        {kInteger, flt(3.5), aInt, "4"},
        // floats
        {kFloat, flt(2.5), aInt, "2"},
        {kFloat, flt(3.5), aInt, "4"},
        {kFloat, flt(-2.5), aInt, "-2"},
        {kFloat, flt(3e9), aInt, "error"},
        {kFloat, flt(1.25), aBool, "false"},
        {kFloat, flt(1.25), aDate, "1.25"},
        {kFloat, flt(0.1), aStr, "0.1"},
        {kFloat, flt(1e20), aStr, "1E20"},
        {kFloat, flt(0.00001), aStr, "1E-5"},
        {kFloat, flt(123456789012345678.0), aStr, "1.23456789012346E17"},
        // date-times
        {kDateTime, flt(1.9), aInt, "1"},
        {kDateTime, flt(-1.9), aInt, "-1"},
        {kDateTime, flt(1e12), aInt, "error"},
        {kDateTime, flt(45000), aStr, "3/15/2023"},
        {kDateTime, flt(45000.75), aStr, "3/15/2023 18:00:00"},
        {kDateTime, flt(2), aStr, "1/1/1900"},
        {kDateTime, str("12/29/1899 6:00"), aDate, "-1.25"},
        {kDateTime, flt(-1.25), aStr, "12/29/1899 6:00:00"},
        {kDateTime, flt(1e12), aStr, "error"},
        {kDateTime, str("no date"), aFloat, "0"},
        {kDateTime, flt(45000), aBool, "false"},
        // Booleans
        {kBoolean, str("TRUE"), aBool, "true"},
        {kBoolean, str("true"), aBool, "true"},
        {kBoolean, str("1"), aBool, "true"},
        {kBoolean, str("yes"), aBool, "false"},
        {kBoolean, str("2"), aBool, "false"},
        {kBoolean, num(7), aStr, "True"},
        {kBoolean, num(7), aFloat, "1"},
        {kBoolean, num(7), aDate, "0"},
        // increment and GUID cells
        {kIncrement, none, aDate, "0"},
        {kIncrement, none, aBool, "false"},
        {kGuid, none, aStr, "{00000001-0000-0000-0000-000000000000}"},
        {kGuid, none, aBool, "error"},
        {kGuid, none, aInt, "error"},
        {kGuid, str("{0123abcd-4567-89ab-cdef-0123456789AB}"), aStr, "{0123ABCD-4567-89AB-CDEF-0123456789AB}"},
    };
    for (size_t k = 0; k < std::size(cases); ++k) {
        TCellFixture f;
        auto cell = f.Make(cases[k].kind);
        cases[k].set(*cell);
        EXPECT_EQ(Read(*cell, cases[k].read), cases[k].expected) << "case " << k;
    }
}

// Setters that reach the value through other kinds.
TEST(CellTest, SetMatrix) {
    TCellFixture f;
    auto s = f.Make(kString);
    s->SetAsBoolean(true);
    EXPECT_EQ(s->AsString(), u"True");
    s->SetAsFloat(2.25);
    EXPECT_EQ(s->AsString(), u"2.25");
    s->SetAsInteger(-7);
    EXPECT_EQ(s->AsString(), u"-7");
    s->SetAsDateTime(45000.5);
    EXPECT_EQ(s->AsString(), u"3/15/2023 12:00:00");

    auto i = f.Make(kInteger);
    i->SetAsInteger(9);
    i->SetAsDateTime(45000);
    EXPECT_EQ(i->AsInteger(), 0);
    i->SetAsBoolean(true);
    EXPECT_EQ(i->AsInteger(), 1);

    auto fl = f.Make(kFloat);
    fl->SetAsFloat(5);
    fl->SetAsBoolean(true);
    EXPECT_EQ(fl->AsFloat(), 0);

    auto d = f.Make(kDateTime);
    d->SetAsBoolean(false);
    EXPECT_EQ(d->AsDateTime(), f.clock.Day);

    auto b = f.Make(kBoolean);
    b->SetAsFloat(0.5);
    EXPECT_TRUE(b->AsBoolean());
    b->SetAsDateTime(45000);
    EXPECT_FALSE(b->AsBoolean());

    auto g = f.Make(kGuid);
    std::u16string before = g->AsString();
    EXPECT_THROW(g->SetAsInteger(5), EConvertError);
    EXPECT_EQ(g->AsString(), before);
    g->Clear();
    EXPECT_EQ(g->AsString(), before);
}

TEST(CellTest, FailedConversionKeepsValueAndSendsNoNotice) {
    struct Case { TKind kind; std::function<void(TCell&)> bad; };
    const Case cases[] = {
        {kInteger, [](TCell& c) { c.SetAsString(u"abc"); }},
        {kInteger, [](TCell& c) { c.SetAsString(u"99999999999"); }},
        {kInteger, [](TCell& c) { c.SetAsFloat(std::nan("")); }},
        {kInteger, [](TCell& c) { c.SetAsFloat(-3e9); }},
        {kFloat, [](TCell& c) { c.SetAsString(u"1.2.3"); }},
        {kGuid, [](TCell& c) { c.SetAsString(u"{nope}"); }},
    };
    for (size_t k = 0; k < std::size(cases); ++k) {
        TCellFixture f;
        auto cell = f.Make(cases[k].kind);
        if (cases[k].kind != kGuid) cell->SetAsInteger(5);
        std::u16string before = cell->AsString();
        int notices = f.notices;
        EXPECT_THROW(cases[k].bad(*cell), EConvertError) << "case " << k;
        EXPECT_EQ(cell->AsString(), before) << "case " << k;
        EXPECT_EQ(f.notices, notices) << "case " << k;
    }
}

TEST(CellTest, NoticesFromSettersAndAttributes) {
    TCellFixture f;
    auto inc = f.Make(kIncrement);
    inc->SetAsString(u"x");
    inc->SetAsInteger(3);
    EXPECT_EQ(f.notices, 2);
    inc->Clear();
    EXPECT_EQ(f.notices, 2);  // clearing an increment cell does nothing at all

    auto s = f.Make(kString);
    s->State = 2;  // initialising: attribute setters are silent
    s->SetColor(1);
    s->SetFontColor(2);
    s->SetFontStyle(fsBold);
    EXPECT_EQ(f.notices, 2);
    s->State = 0;
    s->SetColor(3);
    s->Clear();
    EXPECT_EQ(f.notices, 4);
    EXPECT_EQ(s->Color, 3);
}

TEST(CellTest, IncrementFollowsLastLookupAndGuidsDiffer) {
    gridtest::TKindColumns columns;
    columns.Add(0);
    TCells store(nullptr, &columns);
    store.AppendColumn();
    store.AddRows(6);
    TCell* cell = store.GetCell(0, 4);
    EXPECT_EQ(cell->AsInteger(), 5);
    EXPECT_EQ(cell->AsString(), u"5");

    std::set<std::u16string> seen;
    for (int k = 0; k < 50; ++k) {
        TGuidCell g(nullptr);
        std::u16string text = g.AsString();
        EXPECT_EQ(text.size(), 38u);
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 50u);
}

TEST(CellTest, LocaleSettingsReachFloatsAndDates) {
    TFormatSettings fs;
    fs.DecimalSeparator = u',';
    fs.DateSeparator = u'.';
    fs.ShortDateFormat = "dd/MM/yyyy";
    fs.LongTimeFormat = "HH:mm:ss";
    EXPECT_EQ(FloatToText(1.5, fs), u"1,5");
    EXPECT_EQ(TextToFloat(u"1,5", fs), 1.5);
    EXPECT_THROW(TextToFloat(u"1.5", fs), EConvertError);
    EXPECT_EQ(DateTimeToText(45000.25, fs), u"15.03.2023 06:00:00");
    EXPECT_EQ(TextToDateTime(u"15.03.2023 06:00", fs), 45000.25);
    // Dates round-trip over the whole supported range.
    for (double d : {-693593.0, -693592.75, -1.0, -1.25, 0.0, 0.5, 60.0, 2958465.0}) EXPECT_EQ(TextToDateTime(DateTimeToText(d, fs), fs), d);
}

}  // namespace
}  // namespace ad::grid
