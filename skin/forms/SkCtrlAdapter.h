// TSkCtrlAdapter: the form provider's keeper of window adapters. It walks the
// controls the form owns and those it holds, looks each class name up in the
// class-name lists (the provider's own when it has any, else the manager's)
// and gives a listed control the adapter of the first list that names it (a
// listed speed button gets a speed-button handler, a form placed inside the
// form a provider of its own); adapters of windows that went are dropped and
// made again for the new window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/Controls.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/adapters/SkSpeedButtonHandler.h"
#include "skin/engine/skinfile/SkinThirdParty.h"

namespace ad {
class TForm;
}

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
    // Gives a speed button its handler (one item per button).
    void AddGraphicControl(TSpeedButton* button);
    // Whether a scan takes the control: not opted out (Tag 0x100), with a
    // window not yet skinned, listed, and allowed by the events.
    bool CanAdapt(TWinControl* control);
    // Drops items whose control, window or hook went.
    void RemoveDeadItems();
    // Frees every adapter (last first); the windows that live on get their
    // procedures and looks back.
    void ClearAll();
    void SendToAdapted(const TMessage& m);

    int ItemCount() const { return int(items_.size()); }
    int GraphItemCount() const { return int(graphItems_.size()); }
    adapters::TSkMainWnd* AdapterOf(TWinControl* control) const;
    adapters::TSkSpeedButtonHandler* HandlerOf(TSpeedButton* button) const;

    std::string DefaultSection;

private:
    struct TSkAdapterItem {
        TComponentLink<TWinControl> Control;
        adapters::TSkAdapterPtr<adapters::TSkMainWnd> Adapter;
    };
    // A speed button's skin data and the handler painting with it.
    struct TSkGraphItem {
        TComponentLink<TSpeedButton> Control;
        std::unique_ptr<TSkinCommonData> Data;
        std::unique_ptr<adapters::TSkSpeedButtonHandler> Handler;
        ~TSkGraphItem() { Handler.reset(); }  // the hook goes before its data
    };
    const TSkThirdPartyList* Lists() const;
    bool Listed(TWinControl* control) const;
    void AdaptEmbeddedForm(TForm* form, const std::string& section);
    bool AskEvents(TWinControl* control, adapters::TSkSkinParams& params);
    void Attach(TSkAdapterItem& item, adapters::TSkSkinParams params);
    void Scan(TWinControl* parent, std::unordered_set<TWinControl*>& seen);

    TSkinProvider* provider_;
    std::vector<std::unique_ptr<TSkAdapterItem>> items_;
    std::vector<std::unique_ptr<TSkGraphItem>> graphItems_;
    bool scanning_ = false;
};

}  // namespace ad::skin::forms
