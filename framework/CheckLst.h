// TCheckListBox: a list box whose items carry a check box each, optionally in
// several columns (filled top to bottom, then left to right). A click on an
// item or Space on the focused one toggles its check and fires OnClickCheck.
#pragma once

#include <vector>

#include "framework/StdCtrls.h"

namespace ad {

class TCheckListBox : public TWinControl {
public:
    explicit TCheckListBox(TComponent* AOwner);
    TStrings& Items() { return items_; }
    int Count() const { return items_.GetCount(); }
    bool Checked(int index) const;
    void SetChecked(int index, bool v);
    // 0 or 1: one column that scrolls vertically; more: that many columns
    // sharing the width, scrolling sideways. Set before the window is made.
    int Columns = 0;
    int ItemHeight = 0;  // pixels per item; 0: from the font (at least the check box's height)
    TNotifyEvent OnClickCheck;
    // The rectangle of an item in client coordinates (empty without a window).
    RECT ItemRect(int index);

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    void FontChanged() override;
    void WMSize(TMessage& m) override;
    void WMMouseButton(TMessage& m) override;
    void WMChar(TMessage& m) override;
    bool CNDrawItem(DRAWITEMSTRUCT* dis) override;

private:
    // The items with their check states kept in step through every change.
    class TCheckItems : public TControlItems {
    public:
        explicit TCheckItems(TCheckListBox& box);
        void Put(int index, const std::string& s) override;
        void Insert(int index, const std::string& s) override;
        int Add(const std::string& s) override;
        void Delete(int index) override;
        void Clear() override;
        void Exchange(int index1, int index2) override;
        void Move(int curIndex, int newIndex) override;
        std::vector<bool> States;
    };
    void ToggleByUser(int index);
    void ApplyMetrics();

    TCheckItems items_;
};

}  // namespace ad
