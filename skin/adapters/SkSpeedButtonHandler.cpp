// The speed-button handler: hooking, painting, letting go.
#include "skin/adapters/SkSpeedButtonHandler.h"

#include <algorithm>
#include <atomic>

#include "base/WinText.h"
#include "framework/Handles.h"
#include "framework/Messages.h"
#include "skin/adapters/SkAdapterPaint.h"
#include "skin/adapters/SkButtonWnds.h"
#include "skin/controls/skGlyphPaint.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinDataText.h"

namespace ad::skin::adapters {

namespace {
std::atomic<int> g_liveHandlers{0};

// The control's own procedure, as the data calls it without a handler.
std::function<void(TMessage&)> ControlProc(TSpeedButton* button) {
    TComponentLink<TSpeedButton> link(button);
    return [link](TMessage& m) {
        if (TSpeedButton* b = link.Get()) b->WndProc(m);
    };
}
}  // namespace

TSkSpeedButtonHandler::TSkSpeedButtonHandler(TSpeedButton* button, const std::string& section,
                                             TSkinManager* manager, TSkinCommonData* data)
    : button_(button), manager_(manager ? manager : data->SkinManager()), data_(data) {
    ++g_liveHandlers;
    if (data_->SkinSection().empty()) data_->SetSkinSection(section);
    if (!button->HandleAllocated()) return;
    subclass_ = std::make_unique<TWindowSubclass>(button->Handle(), [this](TMessage& m) { return Proc(m); });
    // The engine's messages to the button reach the handler first.
    data_->SavedWndProc = [this](TMessage& m) {
        if (!Proc(m)) {
            if (TSpeedButton* b = button_.Get()) b->WndProc(m);
        }
    };
}

TSkSpeedButtonHandler::~TSkSpeedButtonHandler() {
    // Given back whatever the button's place: the link says whether it lives.
    if (subclass_) {
        Restore();
        if (TSpeedButton* b = button_.Get(); b && b->HandleAllocated()) ::InvalidateRect(b->Handle(), nullptr, TRUE);
    }
    --g_liveHandlers;
}

int TSkSpeedButtonHandler::LiveCount() { return g_liveHandlers; }

void TSkSpeedButtonHandler::Restore() {
    if (TSpeedButton* b = button_.Get()) data_->SavedWndProc = ControlProc(b);
    else data_->SavedWndProc = nullptr;
    subclass_.reset();
}

int TSkSpeedButtonHandler::PaintState() {
    TSpeedButton* b = button_.Get();
    if (!b) return 0;
    const TButtonState state = b->State();
    if (state == TButtonState::bsDown || state == TButtonState::bsExclusive) return 2;
    return data_->IsHighlighted() ? 1 : 0;
}

TSkSpeedButtonPlacement TSkSpeedButtonHandler::Placement() {
    TSpeedButton* b = button_.Get();
    if (!b) return {};
    TSize glyph;
    if (b->Glyph.Width() > 0 && b->Glyph.Height() > 0)
        glyph = {b->Glyph.Width() / std::max(1, b->NumGlyphs), b->Glyph.Height()};
    TSize text;
    const std::wstring caption = b->WideText();
    if (!caption.empty()) {
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope font(dc.Get(), b->EffectiveFont().Handle());
        RECT r{0, 0, 255, 0};
        ::DrawTextW(dc.Get(), caption.c_str(), int(caption.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        text = {int(r.right - r.left), int(r.bottom - r.top)};
    }
    const bool shift =
        PaintState() == 2 && (!data_->IsSkinActive() || !manager_ || manager_->ButtonsOptions.ShiftContentOnClick);
    return SpeedButtonLayout({b->Width(), b->Height()}, glyph, text, int(b->Layout), b->Margin, b->Spacing, shift);
}

bool TSkSpeedButtonHandler::Render() {
    TSpeedButton* b = button_.Get();
    const TSkinTables* skin = data_->Skin();
    if (!b || !b->HandleAllocated() || !skin || !skin->IsValidSectionIndex(data_->SkinIndex)) return false;
    HWND wnd = b->Handle();
    data_->PrepareCacheImage();
    if (!data_->CacheImage || data_->CacheImage->Empty()) return false;
    const TSkBgCacheRef background = GetWindowParentBgRef(wnd);
    const TImageView32 image = data_->CacheImage->View();
    const TRect all(0, 0, image.Width, image.Height);
    const int paintState = PaintState();
    const int state = ButtonSectionState(paintState, skin->Section(data_->SkinIndex).States);
    FillFromBackground(image, all, background);
    PaintStateCorners(*data_, background, true, data_->HotPatternIndex, data_->PatternIndex, image, {0, 0}, all,
                      state);
    const TSkSpeedButtonPlacement place = Placement();
    const std::string caption = b->Caption();
    if (!caption.empty()) {
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope cache(dc.Get(), data_->CacheImage->Handle());
        SelectObjectScope font(dc.Get(), b->EffectiveFont().Handle());
        UINT format = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;
        if (b->UseRightToLeftReading()) format |= DT_RTLREADING;
        DrawDataText(dc.Get(), caption, b->Enabled(), false, *data_, format, place.Caption, std::min(state, 2));
        ::GdiFlush();
    }
    if (place.Glyph.Width() > 0) {
        controls::TSkGlyphDrawParams params;
        params.State = paintState;
        controls::FillGlyphBackground(*data_, params);
        params.Glyph = &b->Glyph;
        params.NumGlyphs = std::max(1, b->NumGlyphs);
        params.Enabled = b->Enabled();
        params.Down = paintState == 2;
        params.ImgRect = place.Glyph;
        controls::DrawImageListGlyph(params);
    }
    if (!b->Enabled()) {
        ApplyDisabledEffects(image, kDisabledFade, {b->Left(), b->Top()}, GetWindowParentBgRef(::GetParent(wnd)),
                             data_->BackgroundColor(0, wnd));
    }
    data_->BgChanged = false;
    return true;
}

void TSkSpeedButtonHandler::Paint(HDC given) {
    if (!data_->IsSkinActive() || !Render()) return;
    CopyCache(*data_, button_->Handle(), given);
}

void TSkSpeedButtonHandler::Repaint() {
    TSpeedButton* b = button_.Get();
    if (!b || !b->HandleAllocated()) return;
    data_->BgChanged = true;
    ::RedrawWindow(b->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool TSkSpeedButtonHandler::Proc(TMessage& m) {
    TSpeedButton* b = button_.Get();
    if (!b || !subclass_ || !data_->IsSkinActive()) {
        if (m.Msg == WM_DESTROY && subclass_) Restore();
        return false;
    }
    HWND wnd = b->Handle();
    switch (m.Msg) {
        case WM_DESTROY:
            // The window goes: the hook goes with it, the message on to the button.
            Restore();
            return false;
        case WM_PAINT:
            PaintForMessage(wnd, m, [&](HDC dc) { Paint(dc); });
            return true;
        case WM_PRINT:
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(m.WParam)); return true;
        case WM_ERASEBKGND: m.Result = 1; return true;
        case BM_SETSTATE:
        case BM_SETCHECK:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP: {
            // The system's button paints at once on these: its redraw is held
            // off and the skinned look painted after.
            if (!::IsWindowVisible(wnd)) return false;
            ::SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
            m.Result = subclass_->CallNext(m);
            ::SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
            Repaint();
            return true;
        }
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            data_->MouseAbove = m.Msg == CM_MOUSEENTER;
            m.Result = subclass_->CallNext(m);
            Repaint();
            return true;
        case SKM_SKINCMD: {
            const bool own = reinterpret_cast<TSkinManager*>(m.LParam) == manager_;
            switch (SkinCommandOf(m.WParam)) {
                case SKC_SKINLOADED:
                case SKC_SKINREFRESH:
                    if (!own) return false;
                    HandleCommonWindowMessage(m, data_);
                    if (SkinCommandOf(m.WParam) == SKC_SKINREFRESH && ::IsWindowVisible(wnd)) Repaint();
                    return true;
                case SKC_SKINREMOVED:
                    if (!own || b->Destroying()) return false;
                    HandleCommonWindowMessage(m, data_);
                    Restore();
                    if (::IsWindowVisible(wnd)) ::InvalidateRect(wnd, nullptr, TRUE);
                    return true;
                case SKC_ENDUPDATEREDRAW:
                    if (data_->Updating && !data_->RefreshUpdating(true)) Repaint();
                    return true;
                case SKC_ISSKINNED: m.Result = 1; return true;
                case SKC_REPAINT:
                    data_->Updating = false;
                    Repaint();
                    m.Result = subclass_->CallNext(m);
                    return true;
                default: return false;
            }
        }
        default: return false;
    }
}

}  // namespace ad::skin::adapters
