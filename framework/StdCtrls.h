// The standard controls: label, button, edit, memo, check box, radio button,
// list box, combo box and group box. Each superclasses the system control and
// registers its window class under its own class name ("TButton").
#pragma once

#include <memory>

#include "base/TextStyle.h"
#include "framework/Controls.h"
#include "framework/StringList.h"

namespace ad {


class TLabel : public TWinControl {
public:
    explicit TLabel(TComponent* AOwner);
    void SetText(const std::string& s) override;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool ShowAccelChar = true;  // "&" marks an accelerator; set before the window is made

protected:
    void CreateParams(TCreateParams& p) override;
    bool CNCommand(WORD code) override;
    HBRUSH CNCtlColor(HDC dc) override;
    void FontChanged() override;
    bool ShowsParentBackground() const override { return ParentColor(); }
    void WMPaint(TMessage& m) override;
    void WMPrintClient(TMessage& m) override;

private:
    void AdjustSize();
    // An underlined label without word wrap draws its text itself, each glyph
    // at the advance it was measured with (see PaintPlacedText).
    bool PlacesGlyphs();
    void PaintPlacedText(HDC dc);
    bool autoSize_ = true;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool wordWrap_ = false;
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    void Click() override;  // sets the form's ModalResult, then OnClick
    bool Default = false;   // Enter presses it
    bool Cancel = false;    // Esc presses it
    int ModalResult = 0;

protected:
    void CreateParams(TCreateParams& p) override;
    bool CNCommand(WORD code) override;
};

// A control of the system's button class with a checked state, kept by the
// object while there is no window: check box, radio button, speed button.
class TButtonControl : public TWinControl {
protected:
    TButtonControl(TComponent* AOwner, DWORD buttonStyle);
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    void BeforeDestroyWnd() override;
    bool ShowsParentBackground() const override { return ParentColor(); }
    // The state the window shows (the stored one while there is no window).
    bool WindowChecked();
    // Stores a state and shows it.
    void ShowChecked(bool v);
    // Clears the state of the siblings (same parent) of type T that pred accepts.
    template <class T, class Pred>
    void UncheckSiblings(Pred pred) {
        if (!Parent()) return;
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<T*>(Parent()->Controls(i));
            if (other && other != this && other->checked_ && pred(other)) other->ShowChecked(false);
        }
    }
    bool checked_ = false;

private:
    DWORD buttonStyle_;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    bool Checked() { return WindowChecked(); }
    // Like the class library: a change of state runs OnClick.
    void SetChecked(bool v);

protected:
    bool CNCommand(WORD code) override;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const { return checked_; }
    // Checking one radio button unchecks the others with the same parent and
    // runs OnClick.
    void SetChecked(bool v);

protected:
    bool CNCommand(WORD code) override;
};

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    void SelectAll();
    void SetSelStart(int pos);
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    bool CNCommand(WORD code) override;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner);
    wchar_t PasswordChar = 0;  // set before the window is made

protected:
    void CreateParams(TCreateParams& p) override;
};

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* AOwner);
    ~TMemo() override;
    // The text as lines; changes go to the window at once.
    TStrings& Lines() { return *lines_; }
    bool WordWrap = true;               // set before the window is made
    bool WantReturns = true;            // set before the window is made
    bool VerticalScrollBar = true;      // set before the window is made
    bool HorizontalScrollBar = false;   // set before the window is made

protected:
    void CreateParams(TCreateParams& p) override;

private:
    std::unique_ptr<TStrings> lines_;
};

// Items of a list or combo box: kept in a string list and mirrored into the
// window whenever it exists.
class TControlItems : public TStrings {
public:
    struct Messages {
        UINT Insert, Delete, Reset;
    };
    TControlItems(TWinControl& control, Messages messages);

    std::string Get(int index) const override { return list_.Get(index); }
    void Put(int index, const std::string& s) override;
    int GetCount() const override { return list_.GetCount(); }
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    intptr_t GetObject(int index) const override { return list_.GetObject(index); }
    void PutObject(int index, intptr_t object) override { list_.PutObject(index, object); }
    int Add(const std::string& s) override;
    int IndexOf(const std::string& s) const override { return list_.IndexOf(s); }

    bool Sorted() const { return list_.Sorted(); }
    void SetSorted(bool v);
    // Puts every item into the (new) window.
    void Fill();

protected:
    // During an update the window does not redraw, so it does not re-measure
    // and scroll at every item (under Wine each insert was 15 times dearer);
    // it is repainted once at the end.
    void SetUpdateState(bool updating) override;

private:
    void WindowInsert(int index, const std::string& s);
    TWinControl& control_;
    Messages messages_;
    TStringList list_;
};

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    TStrings& Items() { return items_; }
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool v) { items_.SetSorted(v); }
    int Count() const { return items_.GetCount(); }
    int ItemIndex();
    void SetItemIndex(int index);
    bool MultiSelect = false;  // set before the window is made
    bool Selected(int index);
    void SetSelected(int index, bool v);
    int SelCount();
    void Clear() { items_.Clear(); }

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    void BeforeDestroyWnd() override;
    bool CNCommand(WORD code) override;

private:
    TControlItems items_;
    int itemIndex_ = -1;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    TStrings& Items() { return items_; }
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool v) { items_.SetSorted(v); }
    int ItemIndex();
    void SetItemIndex(int index);
    TComboBoxStyle Style = TComboBoxStyle::csDropDown;  // set before the window is made
    int DropDownCount = 8;
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    void BeforeDestroyWnd() override;
    void ApplyBounds() override;
    bool CNCommand(WORD code) override;

private:
    int DropDownHeight() const;
    TControlItems items_;
    int itemIndex_ = -1;
};

// The system's scroll bar control. Position stays within Min..Max - PageSize + 1
// (Min..Max without a page). OnMouseUp fires when a tracking of the bar by the
// user ends (the mouse button released, or the key that moved it).
enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);
    TScrollBarKind Kind = TScrollBarKind::sbHorizontal;  // set before the window is made
    int Min() const { return min_; }
    int Max() const { return max_; }
    int PageSize() const { return page_; }
    int Position() const { return position_; }
    void SetMin(int v);
    void SetMax(int v);
    void SetPageSize(int v);
    void SetPosition(int v);
    TNotifyEvent OnChange;
    int SmallChange = 1;
    int LargeChange = 1;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    bool CNScroll(UINT msg, WORD code) override;

private:
    void ApplyScrollInfo();
    int min_ = 0, max_ = 100, page_ = 0, position_ = 0;
};

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& p) override;
    // The system's group box leaves its inside unpainted.
    void WMEraseBkgnd(TMessage& m) override;
};

}  // namespace ad
