// The scroll-bar model of the grid's scroll control: range, page, position
// and steps of one bar, the scroll codes a window receives and the positions
// they lead to, and the roll-scrolling arithmetic. The window behind it is
// reached through IScrollHost (ScrollControl.h on Windows; test hosts).
#pragma once

#include <cstdint>

namespace ad::grid {

enum TScrollBarKind : std::uint8_t { sbHorizontal = 0, sbVertical = 1 };

// The system's scroll codes (SB_LINEUP .. SB_ENDSCROLL).
enum TScrollCode : int {
    scLineUp = 0, scLineDown = 1, scPageUp = 2, scPageDown = 3, scThumbPosition = 4, scThumbTrack = 5,
    scTop = 6, scBottom = 7, scEndScroll = 8
};

// LastScrollKind values.
enum : std::uint8_t { skNone = 0, skLine = 1, skPage = 2, skThumb = 3, skEnd = 4 };

class TRgCustomScrollBar;

// What a bar asks of the window it belongs to. Bars are numbered as the
// system's: 0 horizontal, 1 vertical.
class IScrollHost {
public:
    virtual ~IScrollHost() = default;
    virtual bool HostHandleAllocated() = 0;
    virtual bool HostEnabled() = 0;
    // Range, page and position (also the track position), redrawn; with
    // disableNoScroll the bar stays, disabled, when the range fits the page.
    virtual void HostSetScrollInfo(int systemBar, int min, int max, int page, int position,
                                   bool disableNoScroll) = 0;
    virtual int HostGetTrackPos(int systemBar) = 0;
    virtual void HostShowScrollBar(int systemBar, bool show) = 0;
    virtual void HostEnableArrows(int systemBar, bool enable) = 0;
    // Sends the window WM_HSCROLL or WM_VSCROLL with the code.
    virtual void HostSendScroll(TScrollBarKind kind, int code) = 0;
    virtual int GetHorzScrollDelta(int OldPos, int NewPos) = 0;
    virtual int GetVertScrollDelta(int OldPos, int NewPos) = 0;
    virtual void ScrollContent(TRgCustomScrollBar* Bar, int DX, int DY) = 0;
    // A bar's position was reported (OnHorizontalScroll / OnVerticalScroll).
    virtual void BarScrolled(TRgCustomScrollBar* Bar) = 0;
};

class TRgCustomScrollBar {
public:
    explicit TRgCustomScrollBar(IScrollHost* Owner);
    virtual ~TRgCustomScrollBar() = default;
    TRgCustomScrollBar(const TRgCustomScrollBar&) = delete;
    TRgCustomScrollBar& operator=(const TRgCustomScrollBar&) = delete;

    bool HideWhenFits() const { return hideWhenFits_; }
    void SetHideWhenFits(bool Value);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind Value);
    int Max() const { return max_; }
    void SetMax(int Value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int Value);
    int Position() const { return position_; }
    void SetPosition(int Value);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool Value) { visible_ = Value; }

    // Pushes the model to the window (nothing in the base).
    virtual void Apply() {}
    // Stores the three as given and applies them.
    virtual void SetRange(int Max, int PageSize, int LargeChange);

    void BeginUpdate() { ++UpdateLock; }
    void EndUpdate() { --UpdateLock; }
    void First() { SetPosition(0); }
    void Last();
    void MoveBy(int Delta);
    bool IsNeeded() const { return !(pageSize_ >= max_ && hideWhenFits_); }
    bool AtEnd() const { return static_cast<long long>(max_) < static_cast<long long>(position_) + pageSize_; }
    bool AtStart() const { return position_ == 0; }
    // Send the window the scroll message (only when Max >= 1; LineUp only
    // away from the start).
    void LineDown();
    void LineUp();
    virtual void PageDown();
    virtual void PageUp();
    int GetTrackPosition() const;

    // A scroll message for this bar: LastScrollKind, the new position by
    // code (limited to 0 .. Max-PageSize+1), then the position is reported.
    void HandleScrollCode(int Code);
    // The position a code leads to before the limits, or false when the code
    // moves nothing (SB_ENDSCROLL and unknown codes).
    bool PositionForCode(int Code, int TrackPos, long long& NewPos) const;

    bool SuppressScroll = false;
    int SystemBar = -1;
    bool Enabled = true;
    int LargeChange = 1;
    int Min = 0;
    int PreviousPosition = 0;
    IScrollHost* Owner;
    int SmallChange = 1;
    std::uint8_t LastScrollKind = skNone;
    int UpdateLock = 0;

protected:
    bool Applying = false;

private:
    void Send(int code);

    bool hideWhenFits_ = true;
    TScrollBarKind kind_ = sbHorizontal;
    int max_ = 0;
    int pageSize_ = 0;
    int position_ = 0;
    bool visible_ = false;
};

// The bar of the grid's scroll control: shows and hides the system bar and
// pushes its state to it.
class TRgScrollBar : public TRgCustomScrollBar {
public:
    using TRgCustomScrollBar::TRgCustomScrollBar;
    void SetVisible(bool Value) override;
    // Pushes only what differs from what the window was last given: each
    // push of scroll information repaints the bar.
    void Apply() override;
    // The window is new: the next Apply pushes everything.
    void ForgetApplied() { applied_ = false; }

private:
    bool applied_ = false;
    int lastMin_ = 0, lastMax_ = 0, lastPage_ = 0, lastPosition_ = 0;
    bool lastDisable_ = false, lastEnabled_ = false;
};

// LastScrollKind for a scroll code.
std::uint8_t ScrollKindOfCode(int Code);

// Roll scrolling: direction bits and the screen cursors of the marker.
enum : unsigned { rdUp = 1, rdDown = 2 };
enum : int { crRoll = 4003, crRollUp = 4004, crRollDown = 4005 };
// Direction (rdUp, rdDown or 0) for the mouse DY pixels below the origin;
// Cursor receives the marker's cursor.
unsigned RollDirectionFor(int DY, int& Cursor);
// Milliseconds to the next roll step: 100 - |DY|, at least 1.
unsigned RollInterval(int DY);

}  // namespace ad::grid
