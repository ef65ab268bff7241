// The check list box: an owner-drawn list box that draws a check box before
// each item's text and keeps the states beside the items.
#include "framework/CheckLst.h"

#include <algorithm>

#include "base/WinText.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {
constexpr int kCheckSize = 13;  // the system's check box glyph
constexpr int kCheckMargin = 2;
}  // namespace

// --- TCheckListBox::TCheckItems ----------------------------------------------------

TCheckListBox::TCheckItems::TCheckItems(TCheckListBox& box)
    : TControlItems(box, {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT}) {}

void TCheckListBox::TCheckItems::Put(int index, const std::string& s) {
    const bool state = States.at(static_cast<size_t>(index));
    TControlItems::Put(index, s);
    States[static_cast<size_t>(index)] = state;
}

void TCheckListBox::TCheckItems::Insert(int index, const std::string& s) {
    TControlItems::Insert(index, s);
    States.insert(States.begin() + index, false);
}

int TCheckListBox::TCheckItems::Add(const std::string& s) {
    const int index = TControlItems::Add(s);
    States.insert(States.begin() + index, false);
    return index;
}

void TCheckListBox::TCheckItems::Delete(int index) {
    TControlItems::Delete(index);
    States.erase(States.begin() + index);
}

void TCheckListBox::TCheckItems::Clear() {
    TControlItems::Clear();
    States.clear();
}

void TCheckListBox::TCheckItems::Exchange(int index1, int index2) {
    const bool state1 = States.at(static_cast<size_t>(index1)), state2 = States.at(static_cast<size_t>(index2));
    TControlItems::Exchange(index1, index2);
    States[static_cast<size_t>(index1)] = state2;
    States[static_cast<size_t>(index2)] = state1;
}

void TCheckListBox::TCheckItems::Move(int curIndex, int newIndex) {
    const bool state = States.at(static_cast<size_t>(curIndex));
    TControlItems::Move(curIndex, newIndex);
    if (curIndex != newIndex) States[static_cast<size_t>(newIndex)] = state;
}

// --- TCheckListBox -----------------------------------------------------------------

TCheckListBox::TCheckListBox(TComponent* AOwner) : TWinControl(AOwner), items_(*this) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
}

bool TCheckListBox::Checked(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    return items_.States[static_cast<size_t>(index)];
}

void TCheckListBox::SetChecked(int index, bool v) {
    if (Checked(index) == v) return;
    items_.States[static_cast<size_t>(index)] = v;
    if (!HandleAllocated()) return;
    RECT r = ItemRect(index);
    ::InvalidateRect(handle_, &r, FALSE);
}

RECT TCheckListBox::ItemRect(int index) {
    RECT r{};
    if (HandleAllocated()) ::SendMessageW(handle_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCheckListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"LISTBOX";
    p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    p.Style |= Columns > 1 ? LBS_MULTICOLUMN | WS_HSCROLL : WS_VSCROLL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCheckListBox::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    items_.Fill();
    ApplyMetrics();
}

void TCheckListBox::FontChanged() {
    TWinControl::FontChanged();
    ApplyMetrics();
}

void TCheckListBox::WMSize(TMessage& m) {
    TWinControl::WMSize(m);
    ApplyMetrics();
}

// Item height as set or from the font, column width from the client width.
void TCheckListBox::ApplyMetrics() {
    if (!HandleAllocated()) return;
    WindowDC screen(nullptr);
    SelectObjectScope sel(screen.Get(), EffectiveFont().Handle());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(screen.Get(), &tm);
    const int height = ItemHeight > 0 ? ItemHeight : std::max<int>(tm.tmHeight, kCheckSize) + 2;
    ::SendMessageW(handle_, LB_SETITEMHEIGHT, 0, height);
    if (Columns > 1) {
        RECT client{};
        ::GetClientRect(handle_, &client);
        ::SendMessageW(handle_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max<LONG>(1, client.right / Columns)), 0);
    }
    ::InvalidateRect(handle_, nullptr, TRUE);
}

void TCheckListBox::ToggleByUser(int index) {
    if (index < 0 || index >= Count() || !Enabled()) return;
    SetChecked(index, !Checked(index));
    if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::WMMouseButton(TMessage& m) {
    TWinControl::WMMouseButton(m);
    if (m.Msg != WM_LBUTTONDOWN && m.Msg != WM_LBUTTONDBLCLK) return;
    const LRESULT hit = ::SendMessageW(handle_, LB_ITEMFROMPOINT, 0, m.LParam);
    if (HIWORD(hit) == 0) ToggleByUser(LOWORD(hit));  // the high word is set outside every item
}

void TCheckListBox::WMChar(TMessage& m) {
    wchar_t key = static_cast<wchar_t>(m.WParam);
    if (DoKeyPress(key)) {
        m.Result = 0;
        return;
    }
    if (key == L' ') {
        ToggleByUser(static_cast<int>(::SendMessageW(handle_, LB_GETCARETINDEX, 0, 0)));
        m.Result = 0;
        return;
    }
    m.WParam = key;
    DefaultHandler(m);
}

bool TCheckListBox::CNDrawItem(DRAWITEMSTRUCT* dis) {
    HDC dc = dis->hDC;
    const RECT item = dis->rcItem;
    ::FillRect(dc, &item, BackgroundBrush());
    if (dis->itemID == static_cast<UINT>(-1) || static_cast<int>(dis->itemID) >= Count()) return true;
    const int index = static_cast<int>(dis->itemID);
    const bool disabled = !Enabled() || (dis->itemState & ODS_DISABLED);

    RECT box{item.left + kCheckMargin, item.top + (item.bottom - item.top - kCheckSize) / 2, 0, 0};
    box.right = box.left + kCheckSize;
    box.bottom = box.top + kCheckSize;
    ::DrawFrameControl(dc, &box, DFC_BUTTON,
                       DFCS_BUTTONCHECK | (Checked(index) ? DFCS_CHECKED : 0) | (disabled ? DFCS_INACTIVE : 0));

    RECT text{box.right + kCheckMargin, item.top, item.right, item.bottom};
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    if (selected) ::FillRect(dc, &text, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    SelectObjectScope sel(dc, EffectiveFont().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled   ? ::GetSysColor(COLOR_GRAYTEXT)
                       : selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                  : ColorToRGB(EffectiveFont().Color()));
    RECT inner{text.left + 2, text.top, text.right, text.bottom};
    const std::wstring caption = Widen(items_.Get(index));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &inner,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (dis->itemState & ODS_FOCUS) ::DrawFocusRect(dc, &text);
    return true;
}

}  // namespace ad
