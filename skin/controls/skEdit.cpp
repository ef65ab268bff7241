// TSkinEdit: cache, text, frame and the window procedure.
#include "skin/controls/SkinControlPaint.h"
#include "skin/controls/skEdit.h"

#include "framework/Handles.h"
#include "skin/controls/skLabel.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/win/SkinDataMessages.h"
#include "skin/engine/win/SkinDataPaint.h"
#include "skin/engine/win/SkinDataText.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::skin::controls {

namespace {
constexpr int kEditKind = 3;
}  // namespace

TSkinEdit::TSkinEdit(TComponent* AOwner)
    : TEdit(AOwner), BoundLabel(&SkinData, [](TSkinBoundLabel& bound) -> std::unique_ptr<TLabel> {
          return std::make_unique<TSkinEditLabel>(&bound);
      }) {
    SkinData.ControlKind = kEditKind;
    SkinData.FinishLoading(false);
}

void TSkinEdit::SetDisabledKind(uint8_t value) {
    if (value == disabledKind_) return;
    disabledKind_ = value;
    SkinData.InvalidateOwner(false);
}

int TSkinEdit::FrameWidth() {
    if (!HandleAllocated()) return 2;
    RECT window{}, client{};
    ::GetWindowRect(Handle(), &window);
    ::GetClientRect(Handle(), &client);
    return ((window.right - window.left) - client.right) / 2;
}

bool TSkinEdit::SystemPaintsClient() { return Enabled() && Focused(); }

bool TSkinEdit::PrepareCache() {
    if (!SkinData.IsSkinActive()) return false;
    if (SkinData.AskParentBg().Kind == pbNotReady) return false;
    const TSkBgCacheRef bg = SkinData.GetParentBgRef();
    SkinData.PrepareCacheImage();
    const TImageView32 view = SkinData.CacheImage->View();
    if (view.Empty()) return false;
    const int state = SkinData.IsHighlighted() ? 1 : 0;
    const TRect all{0, 0, view.Width, view.Height};
    PaintStateCorners(SkinData, bg, true, SkinData.HotPatternIndex, SkinData.PatternIndex, view, {0, 0}, all, state);
    {
        OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
        SelectObjectScope bitmap(dc.Get(), SkinData.CacheImage->Handle());
        PaintText(dc.Get(), state);
        ::GdiFlush();
    }
    if (!Enabled()) ApplyDisabledEffects(view, DisabledEffectsOf(disabledKind_), {Left(), Top()}, bg, Color());
    SkinData.BgChanged = false;
    return true;
}

void TSkinEdit::PaintText(HDC dc, int state) {
    std::string text = Text();
    if (text.empty()) return;
    if (PasswordChar) text.assign(WideText().size(), char(PasswordChar));
    const int inset = FrameWidth() + 1;
    UINT flags = DT_NOPREFIX | DT_SINGLELINE;
    TRect r{inset, inset, Width() - inset, Height() - FrameWidth()};
    if (UseRightToLeftAlignment()) {
        flags |= DT_RTLREADING | DT_RIGHT;
        r.Right -= 1;
    }
    SelectObjectScope font(dc, EffectiveFont().Handle());
    DrawDataText(dc, text, Enabled(), false, SkinData, flags, r, state);
}

bool TSkinEdit::EnsureCache() {
    if (!SkinData.BgChanged && SkinData.CacheImage && !SkinData.CacheImage->Empty() &&
        SkinData.CacheImage->Width() == Width() && SkinData.CacheImage->Height() == Height())
        return true;
    if (PrepareCache()) return true;
    SkinData.Updating = true;
    return false;
}

void TSkinEdit::PaintClient(HDC dc) {
    const int f = FrameWidth();
    SkinData.CacheImage->Draw(dc, 0, 0, {f, f, Width() - f, Height() - f});
}

void TSkinEdit::PaintFrame(HDC dc) {
    const int f = FrameWidth(), w = Width(), h = Height();
    const TSkinCacheImage& cache = *SkinData.CacheImage;
    cache.Draw(dc, 0, 0, {0, 0, w, f});
    cache.Draw(dc, 0, h - f, {0, h - f, w, h});
    cache.Draw(dc, 0, f, {0, f, f, h - f});
    cache.Draw(dc, w - f, f, {w - f, f, w, h - f});
}

void TSkinEdit::WndProc(TMessage& m) {
    SkinnedWndProc(m);
    // The caption label follows the edit whatever the skin.
    if (!Destroying()) BoundLabel.HandleOwnerMessage(m, this);
}

void TSkinEdit::SkinnedWndProc(TMessage& m) {
    if (m.Msg == SKM_SKINCMD) {
        switch (SkinCommandOf(m.WParam)) {
            case SKC_GETSKININDEX:
                if (const TSkinManager* manager = SkinData.SkinManager(); manager && manager->Skin())
                    m.Result = manager->Skin()->CommonIndexes[csEdit] + 1;
                return;
            case SKC_HASOWNBG: m.Result = 0; return;
            case SKC_CACHEVALID: m.Result = PrepareCache() ? 0 : 1; return;
            default: break;
        }
    }
    if (!SkinData.IsSkinActive() || !HandleAllocated()) {
        TEdit::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case WM_PAINT:
            if (SystemPaintsClient()) break;
            PaintOnMessage(m, handle_, [this](HDC dc) {
                if (EnsureCache()) PaintClient(dc);
            });
            return;
        case WM_ERASEBKGND:
            if (SystemPaintsClient()) break;
            m.Result = 1;
            return;
        case WM_NCPAINT:
            if (::IsWindowVisible(handle_) && EnsureCache()) {
                WindowDC dc(handle_, WindowDC::WholeWindow{});
                PaintFrame(dc.Get());
            }
            m.Result = 0;
            return;
        case WM_PRINT: {
            SkinData.Updating = false;
            SkinData.BgChanged = true;
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            if (!EnsureCache()) return;
            PaintFrame(dc);
            const int f = FrameWidth();
            if (m.LParam & PRF_CLIENT) {
                POINT old{};
                ::SetViewportOrgEx(dc, f, f, &old);
                if (SystemPaintsClient()) {
                    TMessage print{WM_PRINTCLIENT, m.WParam, PRF_CLIENT | PRF_ERASEBKGND, 0};
                    DefaultHandler(print);
                } else {
                    PaintClient(dc);
                }
                ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
            }
            m.Result = 0;
            return;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TEdit::WndProc(m);
            SkinData.BgChanged = true;
            ::RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
            return;
        case CM_COLORCHANGED:
            if (SkinData.CustomColor()) SkinData.BgChanged = true;
            break;
        default: break;
    }
    if (HandleCommonWindowMessage(m, &SkinData)) return;
    TEdit::WndProc(m);
    switch (m.Msg) {
        case WM_SETTEXT:
        case WM_SETFONT:
        case CM_VISIBLECHANGED:
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED:
            SkinData.BgChanged = true;
            ::RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
            break;
        case WM_SIZE: SkinData.BgChanged = true; break;
        default: break;
    }
}

}  // namespace ad::skin::controls
