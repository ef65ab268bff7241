// Image lists and the list view of the class library: a virtual (owner-data)
// list whose rows the owner supplies on demand, shown as large icons or as a
// report with columns.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace ad {

class TImageList;

// One user's registration for a list's change notices: every registered link
// hears every change. A link leaves its list when either goes.
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    TImageList* Sender() const { return sender_; }
    std::function<void()> OnChange;

private:
    friend class TImageList;
    TImageList* sender_ = nullptr;
};

// A list of same-sized images (icons), owned; or a list someone else owns
// (the shell's system image list), shown but never changed or destroyed here.
class TImageList : public TComponent {
public:
    TImageList(TComponent* AOwner, int width, int height);
    TImageList(TComponent* AOwner, HIMAGELIST shared);
    ~TImageList() override;
    HIMAGELIST Handle() const { return handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    bool Shared() const { return shared_; }
    int AddIcon(IconRef icon);  // copies the icon; returns its index (-1 on failure or when shared)
    virtual void Clear();       // nothing when shared
    // Makes the list again, empty, at the new image size (nothing when shared).
    void SetSize(int width, int height);
    // Draws one image at (x, y) of dc; nothing for an index outside the list.
    void Draw(HDC dc, int index, int x, int y) const;
    // Tells the list's users that its images changed: OnChange, then every registered link.
    void Change();
    std::function<void()> OnChange;
    // A link registered here hears every change until it is unregistered or destroyed.
    void RegisterChanges(TChangeLink& link);
    void UnRegisterChanges(TChangeLink& link);

private:
    std::vector<TChangeLink*> links_;
    HIMAGELIST handle_;
    int width_, height_;
    bool shared_ = false;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// What the owner supplies for one row of a virtual list.
struct TListItemData {
    std::string Caption;
    std::vector<std::string> SubItems;
    int ImageIndex = -1;
};

using TLVOwnerDataEvent = std::function<void(TObject* Sender, int Index, TListItemData& Item)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, int Index, bool Selected)>;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* AOwner);
    void AddColumn(const std::string& caption, int width);
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    int ItemCount() const { return itemCount_; }
    void SetItemCount(int count);
    int SelectedIndex();  // -1 without a selection
    void SetSelectedIndex(int index);
    void SetLargeImages(TImageList* images);
    void SetSmallImages(TImageList* images);
    bool RowSelect = true;   // set before the window is made
    bool GridLines = true;   // set before the window is made

    TLVOwnerDataEvent OnData;
    TLVSelectItemEvent OnSelectItem;

protected:
    void CreateParams(TCreateParams& p) override;
    void CreateWindowHandle() override;
    bool CNNotify(NMHDR* hdr, LRESULT& result) override;

private:
    struct Column {
        std::string Caption;
        int Width;
    };
    std::vector<Column> columns_;
    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    int itemCount_ = 0;
    int selected_ = -1;
    TImageList* large_ = nullptr;
    TImageList* small_ = nullptr;
    std::wstring dispText_;  // keeps the text handed to the control alive
};

}  // namespace ad
