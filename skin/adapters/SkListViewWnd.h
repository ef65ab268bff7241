// Item view adapters: the list view (its colours from the section, its
// column header painted from the skin in report view, thumb drags scrolled
// in whole items) and the tree view (its background filled from the
// section, its colours set through the control's own messages).
#pragma once

#include <memory>

#include "skin/adapters/SkListHeader.h"
#include "skin/adapters/SkEditWnd.h"

namespace ad::skin::adapters {

enum TSkViewStyle : int { vsIcon, vsSmallIcon, vsList, vsReport };

// The list view's view as LVM_GETVIEW reports it.
TSkViewStyle ListViewStyle(HWND listView);

// How far a thumb drag to position moves a view that stands at current:
// whole items, each itemSize pixels (1 where the view scrolls in pixels).
inline int ThumbTrackScroll(int position, int current, int itemSize) { return (position - current) * itemSize; }

class TSkListViewWnd : public TSkEditWnd {
public:
    TSkViewStyle ViewStyle() const { return ListViewStyle(WindowHandle()); }
    // The header taken over, null when none (not created yet, or gone).
    TSkListHeader* Header() const { return header_ && header_->Handle() ? header_.get() : nullptr; }

protected:
    using TSkEditWnd::TSkEditWnd;
    friend class TSkMainWnd;
    void InitAdapter() override;
    void SaveColors() override;
    void RestoreWindow() override;
    void ApplySkinColors() override;
    void WndProc(TMessage& m) override;

private:
    void TakeHeader(HWND header);
    TSkHeaderLook HeaderLook() const;
    void ThumbTrack(TMessage& m, bool vertical);
    // The header's columns into a print DC whose client origin lies at origin.
    void PaintHeaderInto(HDC dc, POINT origin);

    std::unique_ptr<TSkListHeader> header_;
    TColor savedBack_ = 0, savedTextBack_ = 0, savedText_ = 0;
};

class TSkTreeViewWnd : public TSkEditWnd {
public:
    // The colour the background is filled with now.
    TColor FillColor() const;

protected:
    using TSkEditWnd::TSkEditWnd;
    friend class TSkMainWnd;
    void SaveColors() override;
    void RestoreWindow() override;
    void ApplySkinColors() override;
    void WndProc(TMessage& m) override;

private:
    TColor savedBack_ = 0, savedText_ = 0;
};

}  // namespace ad::skin::adapters
