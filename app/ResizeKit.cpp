// The proportional re-layout component: its size limits, loading with
// resolution compensation, and the re-layout on each size change.
#include "app/ResizeKit.h"

#include <windows.h>

#include <algorithm>

#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/StdCtrls.h"

namespace ad {

namespace {

std::string UserLanguage() {
    wchar_t abbrev[16] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, abbrev, 16);
    return Narrow(abbrev);
}

int NotZero(int v) { return v == 0 ? 1 : v; }

// A label that sizes itself to its text keeps that size when it is placed: its
// text is already drawn at the current font, so scaling it again would double.
void FitAutoSizeLabel(TWinControl* c) {
    auto* label = dynamic_cast<TLabel*>(c);
    if (label && label->AutoSize()) label->SetAutoSize(true);
}

}  // namespace

TResizeKit::TResizeKit(TComponent* AOwner) : TComponent(AOwner), Language(UserLanguage()) {}

TResizeKit::~TResizeKit() = default;

void TResizeKit::ReadScreenDpi(int& x, int& y) const {
    HDC dc = ::GetDC(nullptr);
    x = ::GetDeviceCaps(dc, LOGPIXELSX);
    y = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
}

int TResizeKit::ScaleX(int designPixels) const {
    double q = DesignDpiW > 0 && dpiX_ > 0 ? static_cast<double>(dpiX_) / DesignDpiW : 1.0;
    return RoundBelow(designPixels * q * scales_.X);
}

int TResizeKit::ScaleY(int designPixels) const {
    double q = DesignDpiH > 0 && dpiY_ > 0 ? static_cast<double>(dpiY_) / DesignDpiH : 1.0;
    return RoundBelow(designPixels * q * scales_.Y);
}

TForm* TResizeKit::Form() const { return dynamic_cast<TForm*>(Owner()); }

void TResizeKit::Raise(const char* english, const wchar_t* japanese) const {
    if (AsciiSameText(Language, "JPN")) throw EInvalidOperation(Narrow(japanese));
    throw EInvalidOperation(english);
}

// v against the limits that stand below (min) and above (max) it; 0 is always taken.
void TResizeKit::CheckLimit(int v, int min, int max, const char* minName, const char* maxName, const wchar_t* minJp,
                            const wchar_t* maxJp) const {
    if (v < 0) Raise("Set this value equal to or greater than 0", L"0 以上の値を入れてください");
    if (v == 0) return;
    if (min > 0 && v < min)
        Raise(("Set this value equal to or greater than the " + std::string(minName)).c_str(), minJp);
    if (max > 0 && v > max) Raise(("Set this value equal to or less than the " + std::string(maxName)).c_str(), maxJp);
}

void TResizeKit::SetFormWidth(int v) {
    CheckLimit(v, minW_, maxW_, "FormMinWidth", "FormMaxWidth", L"FormMinWidth 以上の値を入れてください",
               L"FormMaxWidth 以下の値を入れてください");
    formW_ = v;
}

void TResizeKit::SetFormHeight(int v) {
    CheckLimit(v, minH_, maxH_, "FormMinHeight", "FormMaxHeight", L"FormMinHeight 以上の値を入れてください",
               L"FormMaxHeight 以下の値を入れてください");
    formH_ = v;
}

void TResizeKit::SetFormMaxWidth(int v) {
    CheckLimit(v, minW_, 0, "FormMinWidth", "", L"FormMinWidth 以上の値を入れてください", L"");
    CheckLimit(v, formW_, 0, "FormWidth", "", L"FormWidth 以上の値を入れてください", L"");
    maxW_ = v;
}

void TResizeKit::SetFormMaxHeight(int v) {
    CheckLimit(v, minH_, 0, "FormMinHeight", "", L"FormMinHeight 以上の値を入れてください", L"");
    CheckLimit(v, formH_, 0, "FormHeight", "", L"FormHeight 以上の値を入れてください", L"");
    maxH_ = v;
}

void TResizeKit::SetFormMinWidth(int v) {
    CheckLimit(v, 0, maxW_, "", "FormMaxWidth", L"", L"FormMaxWidth 以下の値を入れてください");
    CheckLimit(v, 0, formW_, "", "FormWidth", L"", L"FormWidth 以下の値を入れてください");
    minW_ = v;
}

void TResizeKit::SetFormMinHeight(int v) {
    CheckLimit(v, 0, maxH_, "", "FormMaxHeight", L"", L"FormMaxHeight 以下の値を入れてください");
    CheckLimit(v, 0, formH_, "", "FormHeight", L"", L"FormHeight 以下の値を入れてください");
    minH_ = v;
}

void TResizeKit::SetNoResizeFntCtl(const std::string& names) {
    noFontText_ = names;
    noFont_ = SplitNameList(names);
}

void TResizeKit::SetNoResizeCtl(const std::string& names) {
    noResizeText_ = names;
    noResize_ = SplitNameList(names);
}

void TResizeKit::SetEnabled(bool v) {
    enabled_ = v;
    TForm* form = Form();
    if (!loaded_ || !form) return;
    if (!v) hook_.reset();
    else if (!hook_) hook_ = std::make_unique<TWindowSubclass>(form->Handle(), [this](TMessage& m) { return HandleMessage(m); });
}

TResizeKit::Record TResizeKit::MakeRecord(TWinControl* c) {
    Record r{c, c->Name, c->Left(), c->Top(), c->Width(), c->Height()};
    r.fontSize = c->Font().Size();
    r.parentFontSaved = r.parentFontSeen = c->ParentFont();
    return r;
}

void TResizeKit::Loaded() {
    TForm* form = Form();
    if (!form || loaded_) return;
    loaded_ = true;
    ReadScreenDpi(dpiX_, dpiY_);
    double qx = DesignDpiW > 0 && dpiX_ > 0 ? static_cast<double>(DesignDpiW) / dpiX_ : 1.0;
    double qy = DesignDpiH > 0 && dpiY_ > 0 ? static_cast<double>(DesignDpiH) / dpiY_ : 1.0;
    // Font sizes are points, which the screen already draws at its own
    // resolution: only the bounds, which are pixels, are compensated.
    ownerFontSize_ = form->Font().Size();
    records_.clear();
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(form->Components(i));
        if (!c || NameInList(c->Name, noResize_)) continue;
        records_.push_back(MakeRecord(c));
    }
    bool dialogLike = form->BorderStyle == TFormBorderStyle::bsDialog || form->BorderStyle == TFormBorderStyle::bsNone;
    if (dialogLike && formW_ == 0 && formH_ == 0) qx = qy = 1.0;
    for (Record& r : records_) {
        r.control->SetBounds(RoundBelow(r.left / qx), RoundBelow(r.top / qy), RoundBelow(r.width / qx),
                             RoundBelow(r.height / qy));
        FitAutoSizeLabel(r.control);
        r.left = r.control->Left();
        r.top = r.control->Top();
        r.width = r.control->Width();
        r.height = r.control->Height();
    }
    componentCount_ = form->ComponentCount();
    SetEnabled(enabled_);
}

void TResizeKit::Synchronize() {
    TForm* form = Form();
    if (form->ComponentCount() == componentCount_) return;
    if (form->ComponentCount() > componentCount_) {
        for (int i = 0; i < form->ComponentCount(); ++i) {
            auto* c = dynamic_cast<TWinControl*>(form->Components(i));
            if (!c || NameInList(c->Name, noResize_)) continue;
            bool known = false;
            for (const Record& r : records_) known = known || r.control == c;
            if (known) continue;
            if (Trim(c->Name).empty()) c->Name = Format("RKitAdd%.4d", ++added_);
            Record r = MakeRecord(c);
            if (scales_.X != 0) {
                r.left = RoundBelow(c->Left() / scales_.X);
                r.width = RoundBelow(c->Width() / scales_.X);
            }
            if (scales_.Y != 0) {
                r.top = RoundBelow(c->Top() / scales_.Y);
                r.height = RoundBelow(c->Height() / scales_.Y);
            }
            if (scales_.Font != 0) r.fontSize = RoundBelow(c->Font().Size() / scales_.Font);
            records_.push_back(r);
        }
    } else {
        std::erase_if(records_, [form](const Record& r) {
            for (int i = 0; i < form->ComponentCount(); ++i)
                if (form->Components(i) == r.control) return false;
            return true;
        });
    }
    componentCount_ = form->ComponentCount();
}

void TResizeKit::Relayout(int clientW, int clientH) {
    TForm* form = Form();
    Synchronize();  // new controls are taken back to scale 1 by the scales they were placed at
    scales_ = ComputeScales(clientW, clientH, DesignFrmW, DesignFrmH, DesignDpiW, DesignDpiH, dpiX_, dpiY_);
    for (Record& r : records_) {
        r.parentFontSaved = r.control->ParentFont();
        r.control->SetParentFont(false);
        if (r.parentFontSaved != r.parentFontSeen && scales_.Font != 0)
            r.fontSize = RoundBelow(r.control->Font().Size() / scales_.Font);
        r.parentFontSeen = r.parentFontSaved;
    }
    if (ResizeFont && !NameInList(form->Name, noFont_)) form->Font().SetSize(RoundBelow(ownerFontSize_ * scales_.Font));
    ::LockWindowUpdate(form->Handle());
    for (Record& r : records_) {
        TWinControl* c = r.control;
        if (NameInList(c->Name, noResize_)) continue;
        if (ResizeFont && !NameInList(c->Name, noFont_) && r.hasFont) {
            int size = static_cast<int>(r.fontSize * scales_.Font);
            c->Font().SetSize(size < 1 ? 1 : size);
        }
        c->SetBounds(NotZero(RoundBelow(r.left * scales_.X)), NotZero(RoundBelow(r.top * scales_.Y)),
                     NotZero(RoundBelow(r.width * scales_.X)), NotZero(RoundBelow(r.height * scales_.Y)));
        FitAutoSizeLabel(c);
    }
    ::LockWindowUpdate(nullptr);
    for (Record& r : records_) r.control->SetParentFont(r.parentFontSaved);
    KeepMaximisedInWorkArea();
    if (OnExitResize) OnExitResize(this, scales_.X, scales_.Y);
}

RECT TResizeKit::WorkArea() const {
    RECT r{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (ValidTaskbar) ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// A maximised window with both maximum sizes set is moved back so that its
// right and bottom edges stay inside the work area.
void TResizeKit::KeepMaximisedInWorkArea() {
    HWND wnd = Form()->Handle();
    if (maxW_ <= 0 || maxH_ <= 0 || !::IsZoomed(wnd)) return;
    RECT work = WorkArea(), now{};
    ::GetWindowRect(wnd, &now);
    LONG dx = std::min<LONG>(0, work.right - now.right), dy = std::min<LONG>(0, work.bottom - now.bottom);
    if (dx != 0 || dy != 0)
        ::SetWindowPos(wnd, nullptr, now.left + dx, now.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Size and place the window once, when it is first shown.
void TResizeKit::FirstShow() {
    HWND wnd = Form()->Handle();
    RECT work = WorkArea(), now{};
    ::GetWindowRect(wnd, &now);
    int workW = static_cast<int>(work.right - work.left), workH = static_cast<int>(work.bottom - work.top);
    int workR = static_cast<int>(work.right), workB = static_cast<int>(work.bottom);
    int w = formW_, h = formH_;
    if (w < 1 || h < 1) {
        w = static_cast<int>(now.right - now.left) + 1;
        h = static_cast<int>(now.bottom - now.top) + 1;
    }
    w = std::min(w, workW);
    h = std::min(h, workH);
    int x = static_cast<int>(now.left), y = static_cast<int>(now.top);
    int pos = static_cast<int>(FormPos);
    if (pos == 0) {
        x = std::min(x, workR - w);
        y = std::min(y, workB - h);
    } else {
        int col = (pos - 1) % 3, row = (pos - 1) / 3;
        x = static_cast<int>(work.left) + (col == 0 ? 0 : col == 1 ? (workW - w) / 2 : workW - w);
        y = static_cast<int>(work.top) + (row == 0 ? 0 : row == 1 ? (workH - h) / 2 : workH - h);
    }
    ::SetWindowPos(wnd, nullptr, std::max(x, 0), std::max(y, 0), w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TResizeKit::HandleMessage(TMessage& m) {
    if (!enabled_) return false;
    switch (m.Msg) {
        case WM_SIZE:
            if (m.WParam == SIZE_MINIMIZED) return false;
            m.Result = hook_->CallNext(m);
            Relayout(LOWORD(m.LParam), HIWORD(m.LParam));
            return true;
        case WM_SHOWWINDOW:
            if (!m.WParam || shown_ || ::IsIconic(Form()->Handle())) return false;
            shown_ = true;
            m.Result = hook_->CallNext(m);
            FirstShow();
            return true;
        case WM_SIZING: {
            auto* r = reinterpret_cast<RECT*>(m.LParam);
            if (maxW_ > 0 && maxH_ > 0) {
                r->right = std::min(r->right, r->left + maxW_);
                r->bottom = std::min(r->bottom, r->top + maxH_);
            }
            if (minW_ > 0 && minH_ > 0) {
                r->right = std::max(r->right, r->left + minW_);
                r->bottom = std::max(r->bottom, r->top + minH_);
            }
            m.Result = TRUE;
            return true;
        }
        case WM_GETMINMAXINFO: {
            if (::IsIconic(Form()->Handle())) return false;
            m.Result = hook_->CallNext(m);
            auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
            RECT work = WorkArea();
            int w = static_cast<int>(work.right - work.left), h = static_cast<int>(work.bottom - work.top);
            if (maxW_ > 0 && maxH_ > 0) {
                w = std::min(w, maxW_);
                h = std::min(h, maxH_);
            }
            info->ptMaxSize = info->ptMaxTrackSize = POINT{w, h};
            info->ptMaxPosition = POINT{work.left, work.top};
            return true;
        }
        default: return false;
    }
}

}  // namespace ad
