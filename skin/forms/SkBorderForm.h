// TSkBorderForm: the extended border of a skinned form. A layered window
// owned by the form shows the form's whole image (frame, title, caption
// buttons and the soft shadow around them) with the form's client area cut
// out of its region, so the client shows through. It turns the mouse on the
// frame into the form's caption-button, sizing and dragging behaviour: the
// non-client clicks go to the form, which asks the border window for the code.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "base/Geometry.h"
#include "framework/Handles.h"
#include "framework/WindowSubclass.h"
#include "skin/engine/image/SkinTypes.h"
#include "skin/engine/skinfile/SkinTables.h"

namespace ad::skin::forms {

class TSkinProvider;
class TSkGlowForm;

// The code a border window answers WM_NCHITTEST with inside its sizing zone.
constexpr int kHitBorder = HTBORDER;  // 19

class TSkBorderForm {
public:
    explicit TSkBorderForm(TSkinProvider& owner);
    ~TSkBorderForm();
    TSkBorderForm(const TSkBorderForm&) = delete;
    TSkBorderForm& operator=(const TSkBorderForm&) = delete;

    TSkinProvider& Owner() const { return owner_; }
    // The skin the border paints with (null without an active skin).
    const TSkinTables* Skin() const;
    // The layered window (null while freed) and its handle.
    TSkGlowForm* AForm() const { return window_.get(); }
    HWND Handle() const;
    HWND OwnerWnd() const;

    void CreateBorderWindow();
    void FreeBorderWindow();
    // Places the border window around the form and, with repaint or a new
    // size, hands it the form's image; a plain move only repositions it.
    void UpdateBorderWindow(bool repaint, uint8_t alpha = 255);
    // The border window's region (the form's client cut out); width and
    // height are the form's new size during a size change, 0 otherwise.
    OwnedRegion UpdateRegion(int width = 0, int height = 0);
    void ApplyRegion(int width = 0, int height = 0);
    // The form's image handed to the layered window as it stands.
    void ShowImage(uint8_t alpha);
    // Image coordinates of the form's window origin.
    int TopOffset();
    int LeftOffset();
    void BringOwnerUp();
    HWND ZOrderAfter();
    // The caption-element, sizing or title code of a screen point; -1: none.
    int HitTest(TPoint screenPoint);
    // A point (border-window coordinates) beyond the sizing zone, where the
    // mouse belongs to the windows below.
    bool OutsideSizingZone(TPoint point);
    // The border and its shadow painted around the form's image (state 0
    // inactive, 1 active): pixels outside the frame take the shadow, the
    // frame is opaque, its cut corners show the shadow.
    void PaintBorderImage(const TImageView32& image, int state);

    bool Hidden = false;     // hidden or being replaced
    bool Suspended = false;  // updates do nothing
    bool Animating = false;  // an animation draws into the window
    bool RegionApplied = false;

    // Images handed to the layered window so far (moves hand none).
    size_t ImageUpdates() const { return imageUpdates_; }
    // Region changes made by the one-pixel hole under the mouse.
    size_t HoleUpdates() const { return holeUpdates_; }
    // Border windows alive in the process (leak checks).
    static int LiveWindows();
    // Tests and the benchmark see the system move loop start instead.
    static inline std::function<void(HWND owner)> MoveLoopSeam;
    // Whether the display blends a layered window's per-pixel alpha. Where it
    // does not (Wine without a compositor paints the soft shadow as an opaque
    // black band) the border has no shadow margins and the frame's own border
    // is the sizing zone. Tests put either answer in.
    static bool LayeredAlphaShows();
    static inline bool (*AlphaShowsSeam)() = nullptr;

private:
    bool HandleMessage(TMessage& m);
    int SizingCode(TPoint p, int width, int height);
    // The frame inside the shadow margins, in border-window coordinates.
    TRect InnerRect(int width, int height) const;
    TPoint ToWindow(TPoint screen) const;
    TPoint MessagePoint(const TMessage& m) const;
    void StretchByDoubleClick(int code);
    void RestoreMaximisedUnderCursor(TPoint cursor);
    void PunchHole(TPoint point);

    TSkinProvider& owner_;
    std::unique_ptr<TSkGlowForm> window_;
    std::unique_ptr<TWindowSubclass> subclass_;
    LONG_PTR previousParent_ = 0;
    bool armed_ = false;  // a maximised form's caption press that may become a drag
    TPoint pressPoint_;
    TPoint holePoint_{-9999, -9999};
    size_t imageUpdates_ = 0;
    size_t holeUpdates_ = 0;
};

}  // namespace ad::skin::forms
