// TSkCtrlAdapter: the form provider's keeper of window adapters. It walks the
// form's controls, looks each class name up in the class-name lists (the
// provider's own when it has any, else the manager's) and gives a listed
// control the adapter of the first list that names it; adapters of windows
// that went are dropped and made again for the new window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/engine/skinfile/SkinThirdParty.h"

namespace ad::skin::forms {

class TSkinProvider;

// Asked before a control is adapted: clearing canBeAdded leaves it native,
// skinSection (empty: the adapter's default) may be changed.
using TSkSkinItemEvent = std::function<void(TWinControl* item, bool& canBeAdded, std::string& skinSection)>;
using TSkSkinItemExEvent =
    std::function<void(TWinControl* item, bool& canBeAdded, adapters::TSkSkinParams& params)>;

class TSkCtrlAdapter {
public:
    explicit TSkCtrlAdapter(TSkinProvider* provider);
    ~TSkCtrlAdapter();
    TSkCtrlAdapter(const TSkCtrlAdapter&) = delete;
    TSkCtrlAdapter& operator=(const TSkCtrlAdapter&) = delete;

    // Adapts the listed controls below parent (null: the form).
    void AdaptChildren(TWinControl* parent = nullptr);
    void AddControl(TWinControl* control) { AddControlWithSection(control, DefaultSection); }
    void AddControlWithSection(TWinControl* control, const std::string& section);
    // Whether a scan takes the control: not opted out (Tag 0x100), with a
    // window not yet skinned, listed, and allowed by the events.
    bool CanAdapt(TWinControl* control);
    // Drops items whose control or window went.
    void RemoveDeadItems();
    // Frees every adapter (last first); the windows that live on get their
    // procedures and looks back.
    void ClearAll();
    void SendToAdapted(const TMessage& m);

    int ItemCount() const { return int(items_.size()); }
    adapters::TSkMainWnd* AdapterOf(TWinControl* control) const;

    std::string DefaultSection;

private:
    struct TSkAdapterItem {
        TComponentLink<TWinControl> Control;
        std::unique_ptr<adapters::TSkMainWnd> Adapter;
    };
    const TSkThirdPartyList* Lists() const;
    bool AskEvents(TWinControl* control, adapters::TSkSkinParams& params);
    void Attach(TSkAdapterItem& item, adapters::TSkSkinParams params);
    void Scan(TWinControl* parent);

    TSkinProvider* provider_;
    std::vector<std::unique_ptr<TSkAdapterItem>> items_;
    bool scanning_ = false;
};

}  // namespace ad::skin::forms
