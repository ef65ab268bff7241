// Image lists and the virtual list view.
#include "framework/ListView.h"

#include <algorithm>

#include "framework/SysUtils.h"

namespace ad {

// --- TImageList --------------------------------------------------------------

TImageList::TImageList(TComponent* AOwner, int width, int height)
    : TComponent(AOwner),
      handle_(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8)),
      width_(width),
      height_(height) {}

TImageList::TImageList(TComponent* AOwner, HIMAGELIST shared)
    : TComponent(AOwner), handle_(shared), width_(0), height_(0), shared_(true) {
    if (handle_) ::ImageList_GetIconSize(handle_, &width_, &height_);
}

TImageList::~TImageList() {
    for (TChangeLink* link : links_) link->sender_ = nullptr;
    if (handle_ && !shared_) ::ImageList_Destroy(handle_);
}

int TImageList::Count() const { return handle_ ? ::ImageList_GetImageCount(handle_) : 0; }

int TImageList::AddIcon(IconRef icon) {
    return handle_ && icon && !shared_ ? ::ImageList_AddIcon(handle_, icon.Get()) : -1;
}

void TImageList::Clear() {
    if (handle_ && !shared_) ::ImageList_RemoveAll(handle_);
}

void TImageList::SetSize(int width, int height) {
    if (shared_) return;
    if (handle_) ::ImageList_Destroy(handle_);
    handle_ = ::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8);
    width_ = width;
    height_ = height;
}

void TImageList::Draw(HDC dc, int index, int x, int y) const {
    if (handle_ && index >= 0 && index < Count()) ::ImageList_Draw(handle_, index, dc, x, y, ILD_NORMAL);
}

void TImageList::Change() {
    if (OnChange) OnChange();
    // A user may unregister (or register another) while it is told.
    const std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange) link->OnChange();
}

void TImageList::RegisterChanges(TChangeLink& link) {
    if (link.sender_ == this) return;
    if (link.sender_) link.sender_->UnRegisterChanges(link);
    link.sender_ = this;
    links_.push_back(&link);
}

void TImageList::UnRegisterChanges(TChangeLink& link) {
    std::erase(links_, &link);
    if (link.sender_ == this) link.sender_ = nullptr;
}

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(*this);
}

// --- TListView ---------------------------------------------------------------

namespace {

DWORD ViewBits(TViewStyle style) {
    switch (style) {
        case TViewStyle::vsIcon: return LVS_ICON;
        case TViewStyle::vsSmallIcon: return LVS_SMALLICON;
        case TViewStyle::vsList: return LVS_LIST;
        case TViewStyle::vsReport: return LVS_REPORT;
    }
    return LVS_ICON;
}

}  // namespace

TListView::TListView(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 250, 150);
}

void TListView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = WC_LISTVIEWW;
    // The image lists are components with owners of their own: the control never destroys them.
    p.Style |= LVS_OWNERDATA | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_AUTOARRANGE |
               ViewBits(viewStyle_);
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWindowHandle() {
    TWinControl::CreateWindowHandle();
    DWORD ex = LVS_EX_DOUBLEBUFFER | (RowSelect ? LVS_EX_FULLROWSELECT : 0) | (GridLines ? LVS_EX_GRIDLINES : 0);
    ::SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
    for (size_t i = 0; i < columns_.size(); ++i) {
        std::wstring text = Widen(columns_[i].Caption);
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = text.data();
        col.cx = columns_[i].Width;
        ::SendMessageW(handle_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
    if (large_) ::SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large_->Handle()));
    if (small_) ::SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small_->Handle()));
    ::SendMessageW(handle_, LVM_SETITEMCOUNT, static_cast<WPARAM>(itemCount_), 0);
    if (selected_ >= 0) SetSelectedIndex(selected_);
}

void TListView::AddColumn(const std::string& caption, int width) {
    columns_.push_back(Column{caption, width});
    if (!HandleAllocated()) return;
    std::wstring text = Widen(caption);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = text.data();
    col.cx = width;
    ::SendMessageW(handle_, LVM_INSERTCOLUMNW, columns_.size() - 1, reinterpret_cast<LPARAM>(&col));
}

void TListView::SetViewStyle(TViewStyle style) {
    viewStyle_ = style;
    UpdateStyle(ViewBits(style), LVS_TYPEMASK);
}

void TListView::SetItemCount(int count) {
    itemCount_ = count < 0 ? 0 : count;
    if (selected_ >= itemCount_) selected_ = -1;
    if (HandleAllocated()) {
        ::SendMessageW(handle_, LVM_SETITEMCOUNT, static_cast<WPARAM>(itemCount_), 0);
        ::InvalidateRect(handle_, nullptr, TRUE);
    }
}

int TListView::SelectedIndex() {
    if (HandleAllocated())
        selected_ = static_cast<int>(::SendMessageW(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return selected_;
}

void TListView::SetSelectedIndex(int index) {
    selected_ = index;
    if (!HandleAllocated()) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    ::SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (index >= 0 && index < itemCount_) {
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        ::SendMessageW(handle_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    }
}

void TListView::SetLargeImages(TImageList* images) {
    large_ = images;
    if (HandleAllocated())
        ::SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TListView::SetSmallImages(TImageList* images) {
    small_ = images;
    if (HandleAllocated())
        ::SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

bool TListView::CNNotify(NMHDR* hdr, LRESULT& result) {
    result = 0;
    switch (hdr->code) {
        case LVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(hdr);
            LVITEMW& item = info->item;
            if (item.iItem < 0 || item.iItem >= itemCount_ || !OnData) return true;
            TListItemData data;
            OnData(this, item.iItem, data);
            if (item.mask & LVIF_TEXT) {
                if (item.iSubItem == 0) dispText_ = Widen(data.Caption);
                else if (static_cast<size_t>(item.iSubItem) <= data.SubItems.size())
                    dispText_ = Widen(data.SubItems[static_cast<size_t>(item.iSubItem) - 1]);
                else dispText_.clear();
                if (item.pszText && item.cchTextMax > 0) lstrcpynW(item.pszText, dispText_.c_str(), item.cchTextMax);
            }
            if (item.mask & LVIF_IMAGE) item.iImage = data.ImageIndex;
            return true;
        }
        case LVN_ITEMCHANGED: {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
            if ((nm->uChanged & LVIF_STATE) && ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED) && OnSelectItem)
                OnSelectItem(this, nm->iItem, (nm->uNewState & LVIS_SELECTED) != 0);
            return true;
        }
        case NM_CLICK: Click(); return true;
        case NM_DBLCLK:
            if (OnDblClick) OnDblClick(this);
            return true;
        default: return false;
    }
}

}  // namespace ad
