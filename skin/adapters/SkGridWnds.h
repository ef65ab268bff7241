// Grid and virtual tree adapters for controls of other component sets:
// frame and bars as the edit adapter paints them, the control's colours set
// through the properties it publishes (each one only when the control's
// class publishes it, put back when the skin goes), and the thumb's track
// position handed to the control before it scrolls.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "skin/adapters/SkEditWnd.h"

namespace ad::skin::adapters {

// Published properties by name (see TComponent): a write happens only when
// the control publishes the property; reads of a missing one give 0.
bool SetPropValueByName(TComponent* control, std::string_view path, int64_t value);
// The colour as RGB (system colours resolved); 0 when missing.
TColor GetColorPropByName(const TComponent* control, std::string_view path);
int64_t GetOrdPropByName(const TComponent* control, std::string_view path);

// The skin's values the tables below set.
struct TSkGridPalette {
    TColor Form = 0, Text = 0, Border = 0, EditBack = 0, EditText = 0;
    TColor Selection = 0, SelectionText = 0, Global = 0, SectionFont = 0, LabelText = 0;
    TColor EvenRow = 0, OddRow = 0;
};

// One property an adapter sets: applied only when the control publishes it
// and, with Needs, the property Needs too (with NeedsValue >= 0, holding that
// value). A saved "no colour" becomes the button face colour when
// NoColorIsFace, so that it can be put back as a colour.
struct TSkGridProp {
    std::string_view Path;
    int64_t (*Value)(const TSkGridPalette& p);
    std::string_view Needs = {};
    int64_t NeedsValue = -1;
    bool NoColorIsFace = false;
};

class TSkGridWnd : public TSkEditWnd {
public:
    // The skin's values for this adapter's section (the palette, selection and section colours).
    TSkGridPalette Palette() const;

protected:
    using TSkEditWnd::TSkEditWnd;
    friend class TSkMainWnd;
    void SaveColors() override;
    void RestoreWindow() override;
    void ApplySkinColors() override;
    void WndProc(TMessage& m) override;
    virtual std::span<const TSkGridProp> Props() const;
    // What SaveColors kept of the property (none when not published).
    std::optional<int64_t> Saved(std::string_view path) const;

private:
    std::vector<std::pair<std::string_view, int64_t>> saved_;  // the published ones, by path
};

// Grids with the extended property set: the grid's properties, then their own.
class TSkGridEhWnd : public TSkGridWnd {
protected:
    using TSkGridWnd::TSkGridWnd;
    friend class TSkMainWnd;
    void ApplySkinColors() override;
    std::span<const TSkGridProp> Props() const override;
};

class TSkVirtualTreeViewWnd : public TSkGridWnd {
protected:
    using TSkGridWnd::TSkGridWnd;
    friend class TSkMainWnd;
    void WndProc(TMessage& m) override;
    std::span<const TSkGridProp> Props() const override;
};

}  // namespace ad::skin::adapters
