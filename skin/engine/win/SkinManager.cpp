// The skin manager: loading by name, applying to the thread's forms, the
// colour transforms by reload, the window-creation hook and scaling.
#include "skin/engine/win/SkinManager.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <utility>

#include "base/WinText.h"
#include "base/StrUtils.h"
#include "framework/ExtCtrls.h"
#include "framework/FileStreams.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "skin/engine/image/SkinBmp.h"
#include "skin/engine/win/SkinAppWindowHook.h"
#include "skin/engine/win/SkinCommonData.h"
#include "skin/engine/win/SkinDwm.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinFormsList.h"
#include "skin/engine/skinfile/SkinEditorData.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/skinfile/SkinSectionReader.h"
#include "skin/engine/win/SkinSysColorService.h"
#include "skin/engine/win/SkinUtilsWin.h"
#include "skin/engine/image/skPNG.h"

namespace ad::skin {

bool (*SkinCompositionEnabled)() = &IsCompositionEnabled;

namespace {

TSkinManager* gDefaultManager = nullptr;
bool gSkinLoading = false;

// The window-creation hook: the next hook answers first; the engine links'
// hook then sees the call through the exception barrier.
LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
    if (code < 0) return result;
    if (const TWindowCreationHook hook = SkinEngineLinks().CreationHook) Guarded([&] { hook(code, wParam, lParam); });
    return result;
}

// Sets the loading flag for a scope.
class TLoadingScope {
public:
    TLoadingScope() : old_(gSkinLoading) { gSkinLoading = true; }
    ~TLoadingScope() { gSkinLoading = old_; }
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;

private:
    bool old_;
};

// An RCDATA or bitmap resource of the program, read in place; empty when it has none.
std::span<const uint8_t> ResourceBytes(const wchar_t* name, LPCWSTR type) {
    try {
        TResourceStream resource(GetModuleHandleW(nullptr), name, type);
        return {static_cast<const uint8_t*>(resource.Memory()), size_t(resource.Size())};
    } catch (const EResNotFound&) {
        return {};
    }
}

std::unique_ptr<TBitmap32> ResourcePng(const wchar_t* name) {
    const std::span<const uint8_t> bytes = ResourceBytes(name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    auto b = std::make_unique<TBitmap32>();
    if (bytes.empty() || !LoadPngToBitmap(*b, bytes.data(), bytes.size())) return nullptr;
    PremultiplyBitmap(b->View(), SkinCompositionEnabled());
    return b;
}

// A bitmap resource holds the file without its 14-byte file header.
std::unique_ptr<TBitmap32> ResourceBitmap(const wchar_t* name) {
    const std::span<const uint8_t> bytes = ResourceBytes(name, MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (bytes.size() < 4) return nullptr;
    std::vector<uint8_t> file = {'B', 'M'};
    file.resize(14, 0);
    file.insert(file.end(), bytes.begin(), bytes.end());
    const uint32_t header = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16;
    const uint32_t bits = bytes.size() > 15 ? uint32_t(bytes[14]) : 0;
    const uint32_t colors = bits && bits <= 8 ? (1u << bits) * 4 : 0;
    const uint32_t offset = 14 + header + colors;
    for (int i = 0; i < 4; ++i) file[size_t(10 + i)] = uint8_t(offset >> (8 * i));
    auto b = std::make_unique<TBitmap32>();
    return DecodeBmpToBitmap(*b, file.data(), file.size()) ? std::move(b) : nullptr;
}

struct TBuiltInImages {
    std::unique_ptr<TBitmap32> Active = ResourcePng(L"skSHDA");
    std::unique_ptr<TBitmap32> Inactive = ResourcePng(L"skSHDI");
    std::unique_ptr<TBitmap32> Blur = ResourceBitmap(L"BLUR5");
};
const TBuiltInImages& BuiltIns() {
    static const TBuiltInImages images;
    return images;
}

// Start-up of the engine, once per process: "/skver" shows the version.
void StartUpOnce() {
    static bool done = false;
    if (done) return;
    done = true;
    std::vector<std::string> args;
    for (int i = 1; i <= ParamCount(); ++i) args.push_back(ParamStr(i));
    if (AsksSkinVersion(args)) {
        if (Application) Application->MessageBox(std::string("Skin engine v") + kSkinEngineVersion, Application->Title, MB_OK);
        else MessageBoxW(nullptr, Widen(std::string("Skin engine v") + kSkinEngineVersion).c_str(), L"", MB_OK);
    }
}

}  // namespace

const TBitmap32* BuiltInActiveShadow() { return BuiltIns().Active.get(); }
const TBitmap32* BuiltInInactiveShadow() { return BuiltIns().Inactive.get(); }
const TBitmap32* BuiltInBlurImage() { return BuiltIns().Blur.get(); }

void RegisterBuiltInSkin(TSkinManager& manager) {
    const std::span<const uint8_t> bytes = ResourceBytes(L"ADSKIN", MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (bytes.empty() || manager.InternalSkins.IndexOfName(kBuiltInSkinName) >= 0) return;
    manager.InternalSkins.AddFromData(kBuiltInSkinName, bytes.data(), bytes.size());
}

TSkinManager* DefaultManager() { return gDefaultManager; }
bool SkinLoading() { return gSkinLoading; }

TColor DefaultFormColor() {
    return gDefaultManager ? gDefaultManager->FormColor() : skBtnFaceColor;
}

TSkinManager::TSkinManager(TComponent* AOwner) : TComponent(AOwner) {
    StartUpOnce();
    autoScaleLevel_ = ScaleLevelOfDpi(
        ReadRegistryInteger(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", "AppliedDPI"));
    if (!gDefaultManager) gDefaultManager = this;
    SkinableMenus();
}

TSkinMenusLink* TSkinManager::SkinableMenus() {
    if (!menus_)
        if (const auto& make = SkinEngineLinks().MakeSkinableMenus) menus_ = make(*this);
    return menus_.get();
}

void TSkinManager::SetSkinnedPopups(bool value) {
    if (value == skinnedPopups_) return;
    skinnedPopups_ = value;
    if (!IsDefault() || !menus_) return;
    if (value) menus_->SyncActive();
    else menus_->SetActive(false);
}

TSkinManager::~TSkinManager() {
    try {
        SetActive(false);
        UninstallHooks();
    } catch (...) {
        // Taking the skin off must not stop the destruction.
    }
    menus_.reset();
    if (gDefaultManager == this) gDefaultManager = nullptr;
}

TImageList& TSkinManager::SkinThumbnails(int width, int height) {
    if (!thumbnails_) {
        if (const auto& make = SkinEngineLinks().NewAlphaImageList) thumbnails_ = make(width, height);
        if (!thumbnails_) thumbnails_ = std::make_unique<TImageList>(nullptr, width, height);
    }
    return *thumbnails_;
}

TColor TSkinManager::FormColor() const { return skin_ ? skin_->FormColor() : skBtnFaceColor; }

std::string TSkinManager::SkinDirectoryPath() const {
    return skin::SkinDirectoryPath(skinDirectory_, ApplicationFolder());
}

std::string TSkinManager::SkinInfo() const {
    if (!skin_) return "N/A";
    char text[32];
    std::snprintf(text, sizeof text, "%g", skin_->GlobalInfo.Version);  // the C locale: "." always
    return text;
}

void TSkinManager::SetSkinDirectory(const std::string& value) {
    skinDirectory_ = value.empty() ? "c:\\Skins" : value;
}

void TSkinManager::SetCommonSections(const std::string& text) {
    commonSections_ = text;
    SetSkinName(skinName_);
}

// Loads the skin aside and swaps it in; the previous skin stays when the load raises.
bool TSkinManager::LoadInto(bool keepCache) {
    if (!keepCache) cache_.Clear();
    TSkinLoadOptions o;
    o.SkinName = skinName_;
    o.SkinDirectory = skinDirectory_;
    o.AppFolder = ApplicationFolder();
    o.InternalSkins = &InternalSkins;
    o.CommonSections = commonSections_;
    o.ScaleLevel = ScaleLevel();
    o.HueOffset = hueOffset_;
    o.Saturation = saturation_;
    o.Brightness = brightness_;
    o.CompositionEnabled = SkinCompositionEnabled();
    o.Blur5 = BuiltInBlurImage();
    o.Cache = &cache_;
    TLoadedSkin loaded = LoadSkinByName(o, SkinFilesForLoading());
    if (loaded.Source == TSkinSource::None) return false;
    if (loaded.VersionWarning) ShowWarning(kSkinVersionWarning);
    loaded.Tables->PrepareExtendedBorders(active_ && extendedBorders_, BuiltInActiveShadow(), BuiltInInactiveShadow());
    skin_ = std::move(loaded.Tables);
    skinName_ = loaded.SkinName;
    skinPath_ = loaded.SkinPath;
    if (OnSkinLoading) OnSkinLoading(this);
    return true;
}

// The SkinName sequence: load aside, swap on success, tell the forms. A load
// that raises shows its message and keeps the old name and the old skin.
void TSkinManager::LoadByName(const std::string& oldName) {
    if (OnBeforeChange) OnBeforeChange(this);
    bool found = true;
    {
        TLoadingScope loading;
        try {
            found = LoadInto(false);
        } catch (const Exception& e) {
            skinName_ = oldName;
            ShowError(e.what());
        }
    }
    if (!found) {
        active_ = false;
        UnskinAll();
    } else if (!batch_) {
        ApplySkinToAll(true);
    }
    if (OnActivate) OnActivate(this);
    if (!batch_ && OnAfterChange) OnAfterChange(this);
}

void TSkinManager::SetSkinName(const std::string& value) {
    std::string name = value;
    if (name.size() > 4 && AsciiSameText(std::string_view(name).substr(name.size() - 4), ".asz"))
        name.resize(name.size() - 4);
    const std::string old = skinName_;
    skinName_ = name;
    if (active_) LoadByName(old);
}

void TSkinManager::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (value) {
        LoadByName(skinName_);
    } else if (!skinName_.empty() || skin_) {
        UnskinAll();
        if (OnDeactivate) OnDeactivate(this);
    }
}

void TSkinManager::SetIsDefault(bool value) {
    if (!value && gDefaultManager) return;
    gDefaultManager = this;
    if (active_) ApplySkinToAll(true);
    else UnskinAll();
}

// Hue, saturation and brightness take effect by a reload from the decoded images.
void TSkinManager::ReloadSkin() {
    if (!active_ || gSkinLoading || !skin_) return;
    {
        TLoadingScope loading;
        try {
            LoadInto(true);
        } catch (const Exception& e) {
            ShowError(e.what());
            return;
        }
    }
    ApplySkinToAll(true);
    if (!batch_) {
        if (OnAfterChange) OnAfterChange(this);
        RefreshAll(true);
    }
}

void TSkinManager::SetHueOffset(int value) {
    if (value == hueOffset_) return;
    hueOffset_ = value;
    ReloadSkin();
}

void TSkinManager::SetSaturation(int value) {
    if (value == saturation_) return;
    saturation_ = value;
    ReloadSkin();
}

void TSkinManager::SetBrightness(int value) {
    value = std::clamp(value, -100, 100);
    if (value == brightness_) return;
    brightness_ = value;
    ReloadSkin();
}

void TSkinManager::SetExtendedBorders(bool value) {
    if (value == extendedBorders_) return;
    extendedBorders_ = value;
    if (skin_) skin_->PrepareExtendedBorders(active_ && value, BuiltInActiveShadow(), BuiltInInactiveShadow());
    RefreshAll(true);
}

void TSkinManager::SetScaleMode(TSkScaleMode mode) {
    if (mode == scaleMode_) return;
    scaleMode_ = mode;
    BeginBatch();
    RescaleAll();
    ReloadSkin();
    EndBatch(false);
}

void TSkinManager::EndBatch(bool animate) {
    batch_ = false;
    if (active_ && skin_) ApplySkinToAll(animate);
    if (OnAfterChange) OnAfterChange(this);
}

// Only forms hear the manager: the application's forms and the skinned-forms
// list, never a foreign top-level window of the thread (a common dialog, a
// tooltip, the browser's windows), which would get a pointer it cannot read.
void TSkinManager::SendToForms(int command) {
    TMessage m{SKM_SKINCMD, SkinCommandWParam(command), reinterpret_cast<LPARAM>(this), 0};
    BroadcastToForms(m);
}

void TSkinManager::ApplySkinToAll(bool animate) {
    if (!skin_) return;
    if (IsDefault()) ClearAllGlows(false);
    SendToForms(SKC_SKINLOADED);
    if (menus_) {
        menus_->SkinChanged();
        menus_->SyncActive();
    }
    if (IsDefault()) InstallHooks();
    if (animate) RefreshAll(false);
}

void TSkinManager::RefreshAll(bool /*animate*/) {
    if (!skin_) return;
    SendToForms(SKC_STOPANIMATION);
    SendToForms(SKC_SKINREFRESH);
}

void TSkinManager::FreeSkin() {
    skin_.reset();
    cache_.Clear();
}

void TSkinManager::UnskinAll() {
    removing_ = true;
    ClearAllGlows(false);
    UninstallHooks();
    SendToForms(SKC_SKINREMOVED);
    if (menus_) {
        menus_->SetActive(false);
        menus_->SkinChanged();
    }
    FreeSkin();
    removing_ = false;
}

// ---- Scroll bars ----

void TSkScrollBarsSupport::SetScrollSize(int value) {
    if (value == scrollSize_) return;
    scrollSize_ = value;
    if (!SkinLoading()) manager_.SendToForms(SKC_FRAMECHANGED);
}

void TSkScrollBarsSupport::SetButtonsSize(int value) {
    if (value == buttonsSize_) return;
    buttonsSize_ = value;
    if (!SkinLoading()) manager_.RefreshAll(false);
}

int TSkinManager::ScrollBarWidth() const {
    return ScrollsOptions.ScrollSize() >= 0 ? ScrollsOptions.ScrollSize() : ::GetSystemMetrics(SM_CXVSCROLL);
}

int TSkinManager::EffectiveScrollWidth() const { return std::max(::GetSystemMetrics(SM_CXVSCROLL), ScrollBarWidth()); }

// ---- Scaling ----

void TSkinManager::ScaleControl(TWinControl* control, int oldPercent) {
    if (!control) return;
    static constexpr int kPercents[] = {100, 125, 150};
    const LRESULT asked = SendControlCommand(control, SKC_GETSCALE);
    const int current = asked ? int(asked) : oldPercent;
    const int wanted = kPercents[std::clamp(ScaleLevel(), 0, 2)];
    if (current == wanted || current <= 0) return;
    const int width = ::MulDiv(control->Width(), wanted, current);
    const int height = ::MulDiv(control->Height(), wanted, current);
    const bool animation = std::exchange(Effects.AllowAnimation, false);
    const HWND wnd = control->HandleAllocated() ? control->Handle() : nullptr;
    const bool shown = wnd && ::IsWindowVisible(wnd);
    constexpr UINT kQuiet = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (shown) ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kQuiet | SWP_HIDEWINDOW);
    control->DisableAlign();
    try {
        control->SetBounds(control->Left(), control->Top(), width, height);
        SendControlCommand(control, SKC_SETSCALE, wanted);
    } catch (...) {
        control->EnableAlign();
        if (shown) ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kQuiet | SWP_SHOWWINDOW);
        Effects.AllowAnimation = animation;
        throw;
    }
    control->EnableAlign();
    if (shown) ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kQuiet | SWP_SHOWWINDOW);
    Effects.AllowAnimation = animation;
}

void TSkinManager::RescaleAll() {
    const std::vector<TForm*> forms = SkinnedForms();  // a handler may change the list
    for (TForm* form : forms)
        if (std::find(SkinnedForms().begin(), SkinnedForms().end(), form) != SkinnedForms().end() && !form->Destroying())
            ScaleControl(form, 100);
    if (const auto& rescale = SkinEngineLinks().RescaleImageLists) rescale(ScaleInt(100));
}

// ---- Hover tracking ----

void TSkinManager::SetHoverWindow(HWND window) {
    if (window == hoverWindow_) return;
    if (hoverWindow_ && hoverControl_) {
        SetHoverControl(nullptr);
        if (hoverControl_) return;  // the control still has the mouse
    }
    const HWND old = std::exchange(hoverWindow_, window);
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (old && ::IsWindow(old)) SendSkinCommand(old, SKC_MOUSELEAVE, self);
    if (window && ::IsWindow(window)) SendSkinCommand(window, SKC_MOUSEENTER, self);
    if (hoverWindow_ && !hoverTimer_) {
        auto* timer = new TTimer(this);
        timer->SetInterval(100);
        timer->OnTimer = [this](TObject*) {
            POINT cursor{};
            if (::GetCursorPos(&cursor)) CheckHover(cursor);
        };
        hoverTimer_ = timer;
    }
    if (hoverTimer_) static_cast<TTimer*>(hoverTimer_)->SetEnabled(hoverWindow_ != nullptr);
}

void TSkinManager::SetHoverControl(TWinControl* control) {
    TWinControl* old = hoverControl_;
    if (control == old) return;
    if (!control && old && !old->Destroying()) {
        const auto* data = reinterpret_cast<const TSkinCommonData*>(SendControlCommand(old, SKC_GETSKINDATA));
        if (data && data->MouseAbove) return;
    }
    hoverControl_ = control;
    if (old && !old->Destroying()) SendControlCommand(old, SKC_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
}

void TSkinManager::CheckHover(POINT cursor) {
    if (!hoverWindow_) return;
    RECT r{};
    if (::IsWindow(hoverWindow_) && ::GetWindowRect(hoverWindow_, &r) && ::PtInRect(&r, cursor)) return;
    TWinControl* control = hoverControl_;
    SetHoverWindow(nullptr);
    if (control && !control->Destroying()) SendControlCommand(control, SKC_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
}

void TSkinManager::InstallHooks() {
    if (!IsDefault()) return;
    if (!hook_) hook_.Reset(SetWindowsHookExW(WH_CBT, CreationHookProc, nullptr, GetCurrentThreadId()));
    if (!appHook_ && Application && Application->Handle())
        appHook_ = std::make_unique<TSkAppWindowHook>(*this, Application->Handle());
    if (Options.ChangeSysColors) InstallColorSubstitution();
}

void TSkinManager::UninstallHooks() {
    const bool hooked = bool(hook_);
    hook_.Reset();
    appHook_.reset();
    if (IsDefault()) RemoveColorSubstitution();
    if (hooked)
        if (const std::function<void()> removed = SkinEngineLinks().OnHooksRemoved) removed();
}

}  // namespace ad::skin
