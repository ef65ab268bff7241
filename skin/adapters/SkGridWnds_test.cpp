// Grid adapters: colours set through the properties a control publishes
// (others skipped), put back when the adapter goes ("no colour" as the face
// colour), the extended grid's conditional properties, and the track
// position handed to a data grid before it scrolls.
#include "skin/adapters/SkGridWnds.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/Color.h"
#include "framework/Forms.h"
#include "skin/adapters/ItemViewTestKit.h"
#include "skin/engine/image/SkinBitmaps.h"

namespace ad::skin::adapters {
namespace {

using namespace test;

// A control of another library: it publishes what its map holds.
class TPublishedGrid : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::map<std::string, int64_t, std::less<>> Props;
    bool HasPublishedProp(std::string_view path) const override { return Props.find(path) != Props.end(); }
    bool GetPublishedOrdProp(std::string_view path, int64_t& value) const override {
        const auto it = Props.find(path);
        if (it == Props.end()) return false;
        value = it->second;
        return true;
    }
    bool SetPublishedOrdProp(std::string_view path, int64_t value) override {
        const auto it = Props.find(path);
        if (it == Props.end()) return false;
        it->second = value;
        return true;
    }
};

struct TGridForm {
    TAdapterSkinFixture skin{ItemViewSkin()};
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TPublishedGrid* grid = new TPublishedGrid(form.get());
    TGridForm() {
        form->SetBounds(60, 60, 320, 260);
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 200, 150);
    }
    template <class T>
    TSkAdapterPtr<T> Attach() {
        TSkSkinParams params;
        params.Control = grid;
        auto adapter = TSkMainWnd::Create<T>(grid->Handle(), nullptr, &skin.Manager, params);
        // The manager's refresh applies the skin's colours (a shown grid gets them when it paints).
        ::SendMessageW(grid->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_SKINREFRESH),
                       reinterpret_cast<LPARAM>(&skin.Manager));
        return adapter;
    }
};

TColor Blend(TColor a, TColor b, int weight) { return TColor(BlendTwoColors(a, b, uint8_t(weight)) & 0xFFFFFF); }

TEST(SkGridWnd, ColoursGoThroughPublishedPropertiesOnlyAndComeBackWithTheAdapter) {
    TGridForm f;
    const int64_t title = 0x123456, line = 0x00AA00;
    f.grid->Props = {{"FixedColor", clBtnFace},
                     {"TitleFont.Color", title},
                     {"ControlLook.FixedGradientFrom", clNone},
                     {"GridLineColor", line}};  // set only with "ControlLook", which it lacks
    auto adapter = f.Attach<TSkGridWnd>();
    const TSkGridPalette p = adapter->Palette();
    struct Case {
        const char* path;
        int64_t skinned, restored;
    };
    const Case cases[] = {
        {"FixedColor", p.Form, clBtnFace},
        {"TitleFont.Color", p.Text, title},
        {"ControlLook.FixedGradientFrom", Blend(p.Form, p.EditBack, 127), clBtnFace},  // no colour comes back as face
        {"GridLineColor", line, line},
    };
    for (const Case& c : cases) EXPECT_EQ(f.grid->Props[c.path], c.skinned) << c.path;
    EXPECT_EQ(f.grid->Props.size(), 4u) << "no property is made up";
    adapter.reset();
    for (const Case& c : cases) EXPECT_EQ(f.grid->Props[c.path], c.restored) << c.path;
}

TEST(SkGridEhWnd, RowColoursAndGroupingColourAreSetOnlyWhereTheirConditionHolds) {
    struct Case {
        const char* name;
        int64_t even, odd, parentColor;
        bool rowsSkinned, groupingSkinned;
    };
    const Case cases[] = {
        {"rows differ, grouping follows its parent", 0x111111, 0x222222, 1, true, true},
        {"rows alike, grouping has its own colour", 0x111111, 0x111111, 0, false, false},
    };
    for (const Case& c : cases) {
        TGridForm f;
        f.grid->Props = {{"EvenRowColor", c.even},
                         {"OddRowColor", c.odd},
                         {"DataGrouping.Color", 0x333333},
                         {"DataGrouping.ParentColor", c.parentColor},
                         {"IndicatorParams.FillStyle", 0}};
        auto adapter = f.Attach<TSkGridEhWnd>();
        const TSkGridPalette p = adapter->Palette();
        EXPECT_EQ(f.grid->Props["EvenRowColor"], c.rowsSkinned ? p.EvenRow : c.even) << c.name;
        EXPECT_EQ(f.grid->Props["OddRowColor"], c.rowsSkinned ? p.OddRow : c.odd) << c.name;
        EXPECT_EQ(f.grid->Props["DataGrouping.Color"], c.groupingSkinned ? Blend(0xFFFFFF, p.Form, 26) : 0x333333)
            << c.name;
        EXPECT_EQ(f.grid->Props["IndicatorParams.FillStyle"], 2) << c.name;
        adapter.reset();
        EXPECT_EQ(f.grid->Props["EvenRowColor"], c.even) << c.name;
        EXPECT_EQ(f.grid->Props["IndicatorParams.FillStyle"], 0) << c.name;
    }
}

TEST(SkGridWnd, ADataGridIsScrolledToTheThumbsTrackPosition) {
    struct Case {
        const char* name;
        bool dataSource;
        int expected;
    };
    for (const Case& c : {Case{"data grid", true, 40}, Case{"plain grid", false, 0}}) {
        TGridForm f;
        if (c.dataSource) f.grid->Props = {{"DataSource", 1}};
        HWND wnd = f.grid->Handle();
        ::SetScrollRange(wnd, SB_VERT, 0, 100, FALSE);
        auto adapter = f.Attach<TSkGridWnd>();
        adapter->VertBar().ScrollInfo.nTrackPos = 40;
        ::SendMessageW(wnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
        EXPECT_EQ(::GetScrollPos(wnd, SB_VERT), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace ad::skin::adapters
