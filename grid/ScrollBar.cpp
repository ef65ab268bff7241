// Scroll-bar model, scroll codes and roll arithmetic.
#include "grid/ScrollBar.h"

#include <algorithm>
#include <climits>

namespace ad::grid {

namespace {
int ClampToInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

// Applying is set for the lifetime of one Apply and cleared on every exit.
class TApplyGuard {
public:
    explicit TApplyGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TApplyGuard() { flag_ = false; }
    TApplyGuard(const TApplyGuard&) = delete;
    TApplyGuard& operator=(const TApplyGuard&) = delete;

private:
    bool& flag_;
};
}  // namespace

TRgCustomScrollBar::TRgCustomScrollBar(IScrollHost* Owner) : Owner(Owner) {}

void TRgCustomScrollBar::SetHideWhenFits(bool Value) {
    hideWhenFits_ = Value;
    SetVisible(max_ != 0 || !Value);
    Apply();
}

void TRgCustomScrollBar::SetKind(TScrollBarKind Value) {
    kind_ = Value;
    if (Value == sbHorizontal || Value == sbVertical) SystemBar = Value;
}

void TRgCustomScrollBar::SetMax(int Value) {
    if (Value == max_) return;
    max_ = std::max(Value, 0);
    SetVisible(IsNeeded());
    Apply();
    if (max_ < position_) SetPosition(max_);
}

void TRgCustomScrollBar::SetPageSize(int Value) {
    if (Value == pageSize_) return;
    pageSize_ = Value <= 0 ? 1 : Value;
    Apply();
}

void TRgCustomScrollBar::SetPosition(int Value) {
    PreviousPosition = position_;
    int v = Value;
    if (v > max_) v = max_;
    if (v < Min) v = Min;
    position_ = std::max(v, 0);
    Apply();
    if (UpdateLock > 0 || SuppressScroll || !Owner) return;
    if (kind_ == sbVertical)
        Owner->ScrollContent(this, 0, Owner->GetVertScrollDelta(PreviousPosition, position_));
    else
        Owner->ScrollContent(this, Owner->GetHorzScrollDelta(PreviousPosition, position_), 0);
}

void TRgCustomScrollBar::SetRange(int Max, int PageSize, int LargeChange) {
    max_ = Max;
    pageSize_ = PageSize;
    this->LargeChange = LargeChange;
    Apply();
}

void TRgCustomScrollBar::Last() { SetPosition(ClampToInt(static_cast<long long>(max_) - pageSize_ + 1)); }

void TRgCustomScrollBar::MoveBy(int Delta) { SetPosition(ClampToInt(static_cast<long long>(position_) + Delta)); }

void TRgCustomScrollBar::Send(int code) {
    if (Owner) Owner->HostSendScroll(kind_, code);
}

void TRgCustomScrollBar::LineDown() {
    if (max_ >= 1) Send(scLineDown);
}

void TRgCustomScrollBar::LineUp() {
    if (max_ >= 1 && position_ > 0) Send(scLineUp);
}

void TRgCustomScrollBar::PageDown() {
    if (max_ >= 1) Send(scPageDown);
}

void TRgCustomScrollBar::PageUp() {
    if (max_ >= 1) Send(scPageUp);
}

int TRgCustomScrollBar::GetTrackPosition() const { return Owner ? Owner->HostGetTrackPos(SystemBar) : 0; }

bool TRgCustomScrollBar::PositionForCode(int Code, int TrackPos, long long& NewPos) const {
    switch (Code) {
        case scLineUp: NewPos = static_cast<long long>(position_) - SmallChange; return true;
        case scLineDown: NewPos = static_cast<long long>(position_) + SmallChange; return true;
        case scPageUp: NewPos = static_cast<long long>(position_) - LargeChange; return true;
        case scPageDown: NewPos = static_cast<long long>(position_) + LargeChange; return true;
        case scThumbPosition:
        case scThumbTrack: NewPos = TrackPos; return true;
        case scTop: NewPos = 0; return true;
        case scBottom: NewPos = max_; return true;
        default: return false;
    }
}

void TRgCustomScrollBar::HandleScrollCode(int Code) {
    LastScrollKind = ScrollKindOfCode(Code);
    long long pos = 0;
    int track = (Code == scThumbPosition || Code == scThumbTrack) ? GetTrackPosition() : 0;
    if (PositionForCode(Code, track, pos)) {
        long long lastFull = static_cast<long long>(max_) - pageSize_;
        if (pos < 0) pos = 0;
        if (pos > lastFull) pos = lastFull + 1;
        SetPosition(ClampToInt(pos));
    }
    if (Owner) Owner->BarScrolled(this);
}

void TRgScrollBar::SetVisible(bool Value) {
    TRgCustomScrollBar::SetVisible(Value);
    if (Owner && Owner->HostHandleAllocated()) Owner->HostShowScrollBar(SystemBar, Value);
}

void TRgScrollBar::Apply() {
    if (Applying || !Owner) return;
    TApplyGuard guard(Applying);
    // Without a window there is nothing to push, and no track position to compare.
    if (!Owner->HostHandleAllocated()) return;
    bool enabled = Owner->HostEnabled() && Enabled;
    if (applied_ && lastMin_ == Min && lastMax_ == Max() && lastPage_ == PageSize() && lastPosition_ == Position() &&
        lastDisable_ == !HideWhenFits() && lastEnabled_ == enabled)
        return;
    int track = GetTrackPosition();
    Owner->HostSetScrollInfo(SystemBar, Min, Max(), PageSize(), Position(), !HideWhenFits());
    // After the information: setting it may enable the arrows again (a bar kept
    // with SIF_DISABLENOSCROLL is re-enabled when its range outgrows the page).
    if (Max() > 0) Owner->HostEnableArrows(SystemBar, enabled);
    applied_ = true;
    lastMin_ = Min;
    lastMax_ = Max();
    lastPage_ = PageSize();
    lastPosition_ = Position();
    lastDisable_ = !HideWhenFits();
    lastEnabled_ = enabled;
    if (track != Position()) Owner->BarScrolled(this);
}

std::uint8_t ScrollKindOfCode(int Code) {
    switch (Code) {
        case scLineUp:
        case scLineDown: return skLine;
        case scPageUp:
        case scPageDown: return skPage;
        case scThumbPosition:
        case scThumbTrack: return skThumb;
        case scTop:
        case scBottom: return skEnd;
        default: return skNone;
    }
}

unsigned RollDirectionFor(int DY, int& Cursor) {
    if (DY < -5) {
        Cursor = crRollUp;
        return rdUp;
    }
    if (DY >= 6) {
        Cursor = crRollDown;
        return rdDown;
    }
    Cursor = crRoll;
    return 0;
}

unsigned RollInterval(int DY) {
    long long interval = 100 - std::llabs(static_cast<long long>(DY));
    return static_cast<unsigned>(std::max(interval, 1LL));
}

}  // namespace ad::grid
