// The standard controls.
#include "framework/StdCtrls.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/SysUtils.h"

namespace ad {

// --- TLabel ------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TWinControl(AOwner) {
    SetParentColor(true);
    SetBounds(0, 0, 65, 13);
}

void TLabel::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"STATIC";
    p.Style |= SS_NOTIFY;
    switch (alignment_) {
        case TAlignment::taLeftJustify: p.Style |= wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP; break;
        case TAlignment::taCenter: p.Style |= SS_CENTER; break;
        case TAlignment::taRightJustify: p.Style |= SS_RIGHT; break;
    }
    if (!ShowAccelChar) p.Style |= SS_NOPREFIX;
}

void TLabel::SetText(const std::string& s) {
    TWinControl::SetText(s);
    AdjustSize();
}

void TLabel::SetAutoSize(bool v) {
    autoSize_ = v;
    AdjustSize();
}

void TLabel::SetAlignment(TAlignment a) {
    alignment_ = a;
    RecreateWnd();
}

void TLabel::SetWordWrap(bool v) {
    wordWrap_ = v;
    RecreateWnd();
    AdjustSize();
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!autoSize_) return;
    WindowDC screen(nullptr);
    SelectObjectScope sel(screen.Get(), EffectiveFont().Handle());
    std::wstring text = WideText();
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    UINT flags = DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0) | (ShowAccelChar ? 0 : DT_NOPREFIX);
    if (text.empty()) text = L" ";
    ::DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    SetBounds(Left(), Top(), wordWrap_ ? Width() : r.right, r.bottom);
}

bool TLabel::CNCommand(WORD code) {
    if (code == STN_CLICKED) {
        Click();
        return true;
    }
    if (code == STN_DBLCLK) {
        if (OnDblClick) OnDblClick(this);
        return true;
    }
    return false;
}

HBRUSH TLabel::CNCtlColor(HDC dc) {
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::SetBkMode(dc, TRANSPARENT);
    return TWinControl::CNCtlColor(dc);
}

namespace {

// The lines a label shows: accelerator marks taken out ("&&" shows one "&";
// an underlined font underlines the marked letter anyway), split at line breaks.
std::vector<std::wstring> LabelLines(const std::wstring& text, bool accelerators) {
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r') continue;
        if (c == L'\n') {
            lines.emplace_back();
            continue;
        }
        if (accelerators && c == L'&') {
            if (i + 1 < text.size() && text[i + 1] == L'&') ++i;
            else continue;
        }
        lines.back() += text[i];
    }
    return lines;
}

}  // namespace

// Wine draws a small font's glyphs with the advances of the font's bitmap
// strike, which are narrower than the advances every measuring call reports
// (Tahoma 8 pt: "https://forum.appdeck.example.org/" measures 186 px and is
// drawn in 176). The system's static control then ends its text short of the
// width the label was sized to, while the font's underline, drawn over the
// measured width, runs on past the last letter. An underlined label therefore
// places every glyph at its measured advance, so text, underline and size agree
// (on Windows, where both advances are the same, this looks as before).
bool TLabel::PlacesGlyphs() { return (EffectiveFont().Style() & fsUnderline) && !wordWrap_; }

void TLabel::PaintPlacedText(HDC dc) {
    // The colours and the background come as for the system control: through
    // WM_CTLCOLORSTATIC to the parent, which hands it back to this label.
    RECT client;
    ::GetClientRect(handle_, &client);
    HWND parent = ::GetParent(handle_);
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(parent ? parent : handle_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(handle_)));
    if (!brush) brush = ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dc, &client, brush);
    if (!::IsWindowEnabled(handle_)) ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    SelectObjectScope font(dc, EffectiveFont().Handle());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    int y = 0;
    for (const std::wstring& line : LabelLines(WideText(), ShowAccelChar)) {
        const int n = static_cast<int>(line.size());
        std::vector<INT> ends(line.size()), advances(line.size());
        SIZE size{0, 0};
        if (n > 0 && ::GetTextExtentExPointW(dc, line.c_str(), n, 0, nullptr, ends.data(), &size)) {
            for (size_t i = 0; i < line.size(); ++i) advances[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
            int x = 0;
            if (alignment_ == TAlignment::taCenter) x = (client.right - size.cx) / 2;
            else if (alignment_ == TAlignment::taRightJustify) x = client.right - size.cx;
            ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &client, line.c_str(), static_cast<UINT>(n), advances.data());
        }
        y += tm.tmHeight;
    }
}

void TLabel::WMPaint(TMessage& m) {
    if (!PlacesGlyphs()) {
        TWinControl::WMPaint(m);
        return;
    }
    if (const HDC given = reinterpret_cast<HDC>(m.WParam)) {
        PaintPlacedText(given);
    } else {
        PaintDC dc(handle_);
        PaintPlacedText(dc.Get());
    }
    m.Result = 0;
}

void TLabel::WMPrintClient(TMessage& m) {
    if (!PlacesGlyphs()) {
        TWinControl::WMPrintClient(m);
        return;
    }
    m.Result = 0;
    if ((m.LParam & PRF_CHECKVISIBLE) && !::IsWindowVisible(handle_)) return;
    // Through the window, so that layers hooking it paint as they would on screen.
    if (m.LParam & PRF_CLIENT) ::SendMessageW(handle_, WM_PAINT, m.WParam, 0);
}

// --- TButton -----------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"BUTTON";
    p.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
    if (ModalResult != mrNone) {
        if (TForm* form = GetParentForm(this)) form->ModalResult = ModalResult;
    }
    TWinControl::Click();
}

bool TButton::CNCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

// --- TButtonControl -----------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner, DWORD buttonStyle)
    : TWinControl(AOwner), buttonStyle_(buttonStyle) {}

void TButtonControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"BUTTON";
    p.Style |= buttonStyle_;
}

void TButtonControl::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    ShowChecked(checked_);
}

void TButtonControl::BeforeDestroyWnd() { WindowChecked(); }

bool TButtonControl::WindowChecked() {
    if (HandleAllocated()) checked_ = ::SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return checked_;
}

void TButtonControl::ShowChecked(bool v) {
    checked_ = v;
    if (HandleAllocated()) ::SendMessageW(handle_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

// --- TCheckBox ---------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner, BS_AUTOCHECKBOX) {
    SetTabStop(true);
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetChecked(bool v) {
    if (Checked() == v) return;
    ShowChecked(v);
    Click();
}

bool TCheckBox::CNCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    WindowChecked();
    Click();
    return true;
}

// --- TRadioButton --------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner, BS_RADIOBUTTON) {
    SetTabStop(true);
    SetParentColor(true);
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool v) {
    if (checked_ == v) return;
    ShowChecked(v);
    if (!v) return;
    UncheckSiblings<TRadioButton>([](TRadioButton*) { return true; });
    Click();
}

bool TRadioButton::CNCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    SetChecked(true);
    return true;
}

// --- TCustomEdit / TEdit / TMemo ------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"EDIT";
    p.ExStyle |= WS_EX_CLIENTEDGE;
    if (readOnly_) p.Style |= ES_READONLY;
}

void TCustomEdit::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    if (maxLength_ > 0) ::SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetMaxLength(int n) {
    maxLength_ = n;
    if (HandleAllocated()) ::SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(n > 0 ? n : 0), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (HandleAllocated()) ::SendMessageW(handle_, EM_SETREADONLY, v, 0);
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated()) ::SendMessageW(handle_, EM_SETSEL, 0, -1);
}

void TCustomEdit::SetSelStart(int pos) {
    if (HandleAllocated()) ::SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(pos), pos);
}

bool TCustomEdit::CNCommand(WORD code) {
    if (code != EN_CHANGE) return false;
    Changed();
    if (OnChange) OnChange(this);
    return true;
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TEdit::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style |= ES_AUTOHSCROLL;
    if (PasswordChar) p.Style |= ES_PASSWORD;
}

namespace {

// The lines of a memo, read from and written to its window text.
class TMemoLines : public TStrings {
public:
    explicit TMemoLines(TMemo& memo) : memo_(memo) {}
    std::string Get(int index) const override { return Load().Get(index); }
    int GetCount() const override { return Load().GetCount(); }
    void Put(int index, const std::string& s) override {
        TStringList l;
        l.SetText(memo_.Text());
        l.Put(index, s);
        Store(l);
    }
    void Insert(int index, const std::string& s) override {
        std::string text = memo_.Text();
        TStringList l;
        l.SetText(text);
        if (index == l.GetCount() && !text.empty()) {
            // Appending puts the break before the new line, so that an empty
            // line added last is still there when the next line follows.
            memo_.SetText(text + "\r\n" + s);
            return;
        }
        l.Insert(index, s);
        Store(l);
    }
    void Delete(int index) override {
        TStringList l;
        l.SetText(memo_.Text());
        l.Delete(index);
        Store(l);
    }
    void Clear() override { memo_.SetText(""); }

private:
    TStringList Load() const {
        TStringList l;
        l.SetText(memo_.Text());
        return l;
    }
    void Store(const TStringList& l) {
        std::string text = l.Text();
        if (text.size() >= 2) text.resize(text.size() - 2);  // no line break after the last line
        memo_.SetText(text);
    }
    TMemo& memo_;
};

}  // namespace

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(std::make_unique<TMemoLines>(*this)) {
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

void TMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (WantReturns) p.Style |= ES_WANTRETURN;
    if (VerticalScrollBar) p.Style |= WS_VSCROLL;
    if (HorizontalScrollBar) p.Style |= WS_HSCROLL;
    if (!WordWrap) p.Style |= ES_AUTOHSCROLL;
}

// --- TControlItems ---------------------------------------------------------------

TControlItems::TControlItems(TWinControl& control, Messages messages) : control_(control), messages_(messages) {
    list_.Duplicates = dupAccept;
}

void TControlItems::WindowInsert(int index, const std::string& s) {
    if (!control_.HandleAllocated()) return;
    std::wstring w = Widen(s);
    ::SendMessageW(control_.Handle(), messages_.Insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(w.c_str()));
}

void TControlItems::Put(int index, const std::string& s) {
    intptr_t object = list_.GetObject(index);
    Delete(index);
    if (list_.Sorted()) AddObject(s, object);
    else InsertObject(index, s, object);
}

void TControlItems::Insert(int index, const std::string& s) {
    list_.Insert(index, s);
    WindowInsert(index, s);
}

int TControlItems::Add(const std::string& s) {
    int index = list_.Add(s);
    WindowInsert(index, s);
    return index;
}

void TControlItems::Delete(int index) {
    list_.Delete(index);
    if (control_.HandleAllocated()) ::SendMessageW(control_.Handle(), messages_.Delete, static_cast<WPARAM>(index), 0);
}

void TControlItems::Clear() {
    list_.Clear();
    if (control_.HandleAllocated()) ::SendMessageW(control_.Handle(), messages_.Reset, 0, 0);
}

void TControlItems::SetSorted(bool v) {
    if (v == list_.Sorted()) return;
    list_.SetSorted(v);
    if (control_.HandleAllocated()) {
        ::SendMessageW(control_.Handle(), messages_.Reset, 0, 0);
        Fill();
    }
}

void TControlItems::SetUpdateState(bool updating) {
    if (!control_.HandleAllocated()) return;
    ::SendMessageW(control_.Handle(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) ::InvalidateRect(control_.Handle(), nullptr, TRUE);
}

void TControlItems::Fill() {
    for (int i = 0; i < list_.GetCount(); ++i) WindowInsert(i, list_.Get(i));
}

// --- TListBox --------------------------------------------------------------------

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(*this, {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT}) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
}

void TListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"LISTBOX";
    p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (MultiSelect) p.Style |= LBS_EXTENDEDSEL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    items_.Fill();
    if (itemIndex_ >= 0) SetItemIndex(itemIndex_);
}

void TListBox::BeforeDestroyWnd() { itemIndex_ = ItemIndex(); }

int TListBox::ItemIndex() {
    if (!HandleAllocated()) return itemIndex_;
    if (MultiSelect) return static_cast<int>(::SendMessageW(handle_, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(::SendMessageW(handle_, LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int index) {
    itemIndex_ = index;
    if (!HandleAllocated()) return;
    if (MultiSelect) {
        ::SendMessageW(handle_, LB_SETSEL, FALSE, -1);
        if (index >= 0) ::SendMessageW(handle_, LB_SETSEL, TRUE, index);
        ::SendMessageW(handle_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    } else {
        ::SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

bool TListBox::Selected(int index) {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    if (!HandleAllocated()) return index == itemIndex_;
    return ::SendMessageW(handle_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TListBox::SetSelected(int index, bool v) {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    if (!MultiSelect) {
        if (v) SetItemIndex(index);
        else if (ItemIndex() == index) SetItemIndex(-1);
        return;
    }
    ::SendMessageW(Handle(), LB_SETSEL, v, index);
}

int TListBox::SelCount() {
    if (!MultiSelect) return ItemIndex() >= 0 ? 1 : 0;
    return static_cast<int>(::SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0));
}

bool TListBox::CNCommand(WORD code) {
    switch (code) {
        case LBN_SELCHANGE: Click(); return true;
        case LBN_DBLCLK:
            if (OnDblClick) OnDblClick(this);
            return true;
        default: return false;
    }
}

// --- TComboBox -------------------------------------------------------------------

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(*this, {CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT}) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
}

int TComboBox::DropDownHeight() const { return Height() + 2 + 16 * (DropDownCount > 0 ? DropDownCount : 8); }

void TComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"COMBOBOX";
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (Style) {
        case TComboBoxStyle::csDropDown: p.Style |= CBS_DROPDOWN; break;
        case TComboBoxStyle::csSimple: p.Style |= CBS_SIMPLE; break;
        case TComboBoxStyle::csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    }
    if (Style != TComboBoxStyle::csSimple) p.Height = DropDownHeight();
}

void TComboBox::ApplyBounds() {
    int h = Style == TComboBoxStyle::csSimple ? Height() : DropDownHeight();
    ::SetWindowPos(handle_, nullptr, Left(), Top(), Width(), h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    items_.Fill();
    if (itemIndex_ >= 0) SetItemIndex(itemIndex_);
}

void TComboBox::BeforeDestroyWnd() { itemIndex_ = ItemIndex(); }

int TComboBox::ItemIndex() {
    if (!HandleAllocated()) return itemIndex_;
    return static_cast<int>(::SendMessageW(handle_, CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = index;
    if (HandleAllocated()) ::SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (index >= 0 && index < items_.GetCount()) TWinControl::SetText(items_.Get(index));
}

bool TComboBox::CNCommand(WORD code) {
    switch (code) {
        case CBN_SELCHANGE: {
            int i = ItemIndex();
            if (i >= 0 && i < items_.GetCount()) TWinControl::SetText(items_.Get(i));
            if (OnSelect) OnSelect(this);
            Click();
            Changed();
            if (OnChange) OnChange(this);
            return true;
        }
        case CBN_EDITCHANGE:
            Changed();
            if (OnChange) OnChange(this);
            return true;
        default: return false;
    }
}

// --- TGroupBox -------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
    ControlStyle = csAcceptsControls;
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::WMEraseBkgnd(TMessage& m) {
    RECT r;
    ::GetClientRect(handle_, &r);
    ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, BackgroundBrush());
    m.Result = 1;
}

void TGroupBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"BUTTON";
    p.Style |= BS_GROUPBOX;
    p.ExStyle |= WS_EX_CONTROLPARENT;
}

// --- TScrollBar ------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 121, 17);
}

void TScrollBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"SCROLLBAR";
    p.Style |= Kind == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    ApplyScrollInfo();
}

void TScrollBar::ApplyScrollInfo() {
    int highest = page_ > 0 ? std::max(min_, max_ - page_ + 1) : max_;
    position_ = std::clamp(position_, std::min(min_, highest), std::max(min_, highest));
    if (!HandleAllocated()) return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = min_;
    si.nMax = max_;
    si.nPage = static_cast<UINT>(std::max(page_, 0));
    si.nPos = position_;
    ::SetScrollInfo(handle_, SB_CTL, &si, TRUE);
}

void TScrollBar::SetMin(int v) {
    min_ = v;
    ApplyScrollInfo();
}

void TScrollBar::SetMax(int v) {
    max_ = v;
    ApplyScrollInfo();
}

void TScrollBar::SetPageSize(int v) {
    page_ = std::max(v, 0);
    ApplyScrollInfo();
}

void TScrollBar::SetPosition(int v) {
    int before = position_;
    position_ = v;
    ApplyScrollInfo();
    if (position_ == before) return;
    Changed();
    if (OnChange) OnChange(this);
}

bool TScrollBar::CNScroll(UINT, WORD code) {
    int pos = position_;
    switch (code) {
        case SB_LINELEFT: pos -= SmallChange; break;
        case SB_LINERIGHT: pos += SmallChange; break;
        case SB_PAGELEFT: pos -= std::max(LargeChange, page_); break;
        case SB_PAGERIGHT: pos += std::max(LargeChange, page_); break;
        case SB_LEFT: pos = min_; break;
        case SB_RIGHT: pos = max_; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            if (::GetScrollInfo(handle_, SB_CTL, &si)) pos = si.nTrackPos;
            break;
        }
        case SB_ENDSCROLL: {
            POINT pt{};
            ::GetCursorPos(&pt);
            ::ScreenToClient(handle_, &pt);
            if (OnMouseUp) OnMouseUp(this, TMouseButton::mbLeft, TShiftState{}, pt.x, pt.y);
            return true;
        }
        default: return true;
    }
    SetPosition(pos);
    return true;
}

}  // namespace ad
