// Common controls: page control, tab sheets, up-down, status bar, speed button, bevel.
#include "framework/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/SysUtils.h"

namespace ad {

// --- TTabSheet -----------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    ControlStyle = csAcceptsControls;
    SetParentColor(true);
    visible_ = false;
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TTabSheet::SetPageControl(TPageControl* pc) {
    if (pc == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = pc;
    SetParent(pc);
    if (pc) pc->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool v) {
    if (v == tabVisible_) return;  // re-making the tabs re-lays every page out
    tabVisible_ = v;
    if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::SetText(const std::string& s) {
    TWinControl::SetText(s);
    if (pageControl_) pageControl_->UpdateTabs();
}

// --- TPageControl ----------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = WC_TABCONTROLW;
    p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPageControl::AfterCreateWnd() {
    UpdateTabs();
    LayoutPages();
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    if (!active_) active_ = page;
    UpdateTabs();
    SetActivePage(active_);
}

void TPageControl::RemovePage(TTabSheet* page) {
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    if (active_ == page) active_ = pages_.empty() ? nullptr : pages_.front();
    if (Destroying()) return;
    UpdateTabs();
    if (active_) SetActivePage(active_);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    active_ = page;
    for (TTabSheet* p : pages_) p->SetVisible(p == page);
    if (HandleAllocated()) {
        auto it = std::find(tabs_.begin(), tabs_.end(), page);
        ::SendMessageW(handle_, TCM_SETCURSEL, it == tabs_.end() ? static_cast<WPARAM>(-1) : it - tabs_.begin(), 0);
    }
    LayoutPages();
}

void TPageControl::UpdateTabs() {
    tabs_.clear();
    for (TTabSheet* p : pages_)
        if (p->TabVisible()) tabs_.push_back(p);
    if (!HandleAllocated()) return;
    ::SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < tabs_.size(); ++i) {
        std::wstring text = tabs_[i]->WideText();
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        ::SendMessageW(handle_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    auto it = std::find(tabs_.begin(), tabs_.end(), active_);
    if (it != tabs_.end()) ::SendMessageW(handle_, TCM_SETCURSEL, it - tabs_.begin(), 0);
    LayoutPages();
}

RECT TPageControl::PageRect() {
    RECT r = ClientRect();
    if (HandleAllocated()) ::SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    else r.top += 24;
    return r;
}

void TPageControl::LayoutPages() {
    RECT r = PageRect();
    for (TTabSheet* p : pages_) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::WMSize(TMessage& m) {
    TWinControl::WMSize(m);
    LayoutPages();
}

bool TPageControl::CNNotify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code != static_cast<UINT>(TCN_SELCHANGE)) return false;
    int index = static_cast<int>(::SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
    if (index >= 0 && static_cast<size_t>(index) < tabs_.size()) SetActivePage(tabs_[static_cast<size_t>(index)]);
    if (OnChange) OnChange(this);
    result = 0;
    return true;
}

// --- TUpDown -------------------------------------------------------------------

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 17, 21); }

void TUpDown::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = UPDOWN_CLASSW;
    p.Style |= UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
}

void TUpDown::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    ::SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    UpdateAssociate();
    ::SendMessageW(handle_, UDM_SETPOS32, 0, position_);
}

void TUpDown::UpdateAssociate() {
    if (HandleAllocated() && associate_)
        ::SendMessageW(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
}

void TUpDown::SetAssociate(TWinControl* edit) {
    associate_ = edit;
    UpdateAssociate();
    if (associate_) associate_->SetText(IntToStr(position_));
}

void TUpDown::SetMin(int v) {
    min_ = v;
    if (HandleAllocated()) ::SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SetPosition(Position());
}

void TUpDown::SetMax(int v) {
    max_ = v;
    if (HandleAllocated()) ::SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SetPosition(Position());
}

int TUpDown::Position() {
    if (HandleAllocated()) {
        BOOL failed = FALSE;
        int pos = static_cast<int>(::SendMessageW(handle_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
        if (!failed) position_ = pos;
    }
    return position_;
}

void TUpDown::SetPosition(int v) {
    int lo = std::min(min_, max_), hi = std::max(min_, max_);
    position_ = std::clamp(v, lo, hi);
    if (HandleAllocated()) ::SendMessageW(handle_, UDM_SETPOS32, 0, position_);
    else if (associate_) associate_->SetText(IntToStr(position_));
}

bool TUpDown::CNNotify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code != static_cast<UINT>(UDN_DELTAPOS)) return false;
    lastDelta_ = reinterpret_cast<NMUPDOWN*>(hdr)->iDelta;
    result = 0;
    return true;
}

bool TUpDown::CNScroll(UINT, WORD code) {
    if (code != SB_THUMBPOSITION) return true;
    Position();
    if (OnClick) OnClick(this, lastDelta_ >= 0 ? TUDBtnType::btNext : TUDBtnType::btPrev);
    return true;
}

// --- TStatusBar ------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
}

void TStatusBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = STATUSCLASSNAMEW;
    p.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
}

void TStatusBar::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    ApplyPanels();
}

void TStatusBar::AddPanel(int width, bool centered) {
    panels_.push_back(TStatusPanel{std::string(), width, centered});
    ApplyPanels();
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
    panels_.at(static_cast<size_t>(index)).Text = text;
    ShowPanelText(static_cast<size_t>(index));
}

void TStatusBar::ShowPanelText(size_t index) {
    if (!HandleAllocated()) return;
    const TStatusPanel& panel = panels_.at(index);
    std::wstring w = (panel.Centered ? L"\t" : L"") + Widen(panel.Text);  // a leading tab centres it
    ::SendMessageW(handle_, SB_SETTEXTW, index, reinterpret_cast<LPARAM>(w.c_str()));
}

void TStatusBar::ApplyPanels() {
    if (!HandleAllocated() || panels_.empty()) return;
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        x += panels_[i].Width;
        edges.push_back(i + 1 == panels_.size() ? -1 : x);  // the last panel takes the rest
    }
    ::SendMessageW(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < panels_.size(); ++i) ShowPanelText(i);
}

// --- TSpeedButton ----------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* AOwner) : TButtonControl(AOwner, BS_PUSHLIKE | BS_CHECKBOX) {
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetDown(bool v) {
    if (GroupIndex == 0) v = false;
    if (v == checked_) return;
    ShowChecked(v);
    if (v) UncheckSiblings<TSpeedButton>([this](TSpeedButton* other) { return other->GroupIndex == GroupIndex; });
}

TButtonState TSpeedButton::State() {
    if (!Enabled()) return TButtonState::bsDisabled;
    if (HandleAllocated() && (::SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED)) return TButtonState::bsDown;
    return Down() ? TButtonState::bsExclusive : TButtonState::bsUp;
}

void TSpeedButton::Click() {
    if (GroupIndex != 0) SetDown(!(checked_ && AllowAllUp));
    TWinControl::Click();
}

bool TSpeedButton::CNCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

// --- TBevel ----------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TWinControl(AOwner) {
    SetParentColor(true);
    SetBounds(0, 0, 50, 50);
}

void TBevel::Paint(HDC dc, const RECT&) {
    RECT r = ClientRect();
    UINT edge = Style == TBevelStyle::bsLowered ? EDGE_ETCHED : EDGE_BUMP;
    switch (Shape) {
        case TBevelShape::bsBox: ::DrawEdge(dc, &r, Style == TBevelStyle::bsLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT); break;
        case TBevelShape::bsFrame: ::DrawEdge(dc, &r, edge, BF_RECT); break;
        case TBevelShape::bsTopLine: ::DrawEdge(dc, &r, edge, BF_TOP); break;
        case TBevelShape::bsBottomLine: ::DrawEdge(dc, &r, edge, BF_BOTTOM); break;
        case TBevelShape::bsLeftLine: ::DrawEdge(dc, &r, edge, BF_LEFT); break;
        case TBevelShape::bsRightLine: ::DrawEdge(dc, &r, edge, BF_RIGHT); break;
        case TBevelShape::bsSpacer: break;
    }
}

// --- TProgressBar ----------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 17); }

void TProgressBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = PROGRESS_CLASSW;
}

void TProgressBar::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    ApplyRange();
}

void TProgressBar::ApplyRange() {
    position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
    if (!HandleAllocated()) return;
    ::SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    ::SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int v) {
    min_ = v;
    ApplyRange();
}

void TProgressBar::SetMax(int v) {
    max_ = v;
    ApplyRange();
}

void TProgressBar::SetPosition(int v) {
    position_ = v;
    ApplyRange();
}

}  // namespace ad
