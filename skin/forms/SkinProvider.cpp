// The provider's life: made by the creation hook (or on a form), it hooks the
// form's window and waits for the first non-client message before it skins;
// a second provider on a started form stays inert. Also its setters, the
// form colour, the labels recoloured in the skin's text colour, the system
// menu style bit and the native system menu it pops up.
#include "skin/forms/SkinProvider.h"
#include "skin/forms/SkBorderForm.h"

#include <algorithm>

#include "framework/ExceptionBarrier.h"
#include "framework/Themes.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinFormsList.h"
#include "skin/engine/win/SkinGdiPaint.h"
#include "skin/engine/win/SkinDwm.h"
#include "skin/engine/win/skConst.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinUtilsWin.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinGluedForms.h"
#include "skin/forms/SkinMDIForm.h"
#include "skin/forms/SkinTitleBar.h"
#include "skin/forms/SkinFormAnimation.h"

namespace ad::skin::forms {

namespace {

// Every provider alive, in creation order.
std::vector<TSkinProvider*>& LiveProviders() {
    static std::vector<TSkinProvider*> list;
    return list;
}

constexpr const char kFormsOnly[] = "TSkinProvider component may be used with forms only!";
constexpr DWORD kDwmTransitionsOff = 3;  // DWMWA_TRANSITIONS_FORCEDISABLED

}  // namespace

TSkinProvider::TSkinProvider(TComponent* owner) : TComponent(owner) {
    form_ = dynamic_cast<TForm*>(owner);
    if (!form_) {
        if (Application) Application->MessageBox(kFormsOnly, "Warning", MB_OK | MB_ICONWARNING);
        LiveProviders().push_back(this);
        return;
    }
    // A provider already on the form: one still waiting to start is replaced,
    // one that works makes this one inert.
    for (TSkinProvider* other : std::vector<TSkinProvider*>(LiveProviders())) {
        if (other->form_ != form_ || other->inert_) continue;
        if (other->deferredStart_) delete other;
        else inert_ = true;
        break;
    }
    LiveProviders().push_back(this);
    SkinData = std::make_unique<TSkinScrollWndData>(static_cast<TSkinProviderLink*>(this), true);
    SkinData->SetSkinSection("FORM");
    SkinData->ControlKind = 224;
    useDwm_ = IsCompositionEnabled();
    framePending_ = true;
    regionPending_ = true;
    if (inert_) return;
    buttonArea_ = std::make_unique<TSkinCacheImage>();
    menuLineImage_ = std::make_unique<TSkinCacheImage>();
    mdiSupportPending_ = true;
    maskRects_.clear();
    menuLineCount_ = -1;
    Hook();
    AddSkinnedForm(form_);
    formActive_ = 1;
}

TSkinProvider* TSkinProvider::CreateRuntime(TForm* form) {
    auto* provider = new TSkinProvider(form);
    provider->deferredStart_ = !provider->inert_;
    // The last title bar among the form's components is the form's.
    for (int i = form->ComponentCount() - 1; i >= 0 && !provider->inert_; --i)
        if (auto* bar = dynamic_cast<TSkinTitleBar*>(form->Components(i))) {
            provider->titleBar_ = bar;
            break;
        }
    provider->AfterCreate();
    return provider;
}

TSkinProvider::~TSkinProvider() {
    // The form may be half destroyed (its window gone, its own parts freed):
    // only the component layer and the window handle are touched here.
    std::erase(LiveProviders(), this);
    FormAnimation.reset();
    if (!form_) return;
    borderForm_.reset();
    StopButtonAnimations();
    titleCoverSubclass_.reset();
    titleCover_.reset();
    disabledCover_.reset();
    mdiForm_.reset();
    StopTitleItemHint();
    // No pair keeps a form that is going away, as glued form or as master.
    ForgetGluedForm(form_);
    if (!inert_) {
        RemoveSkinnedForm(form_);
        Unhook();
    }
    // Windows that outlive the form's provider get their procedures back.
    ctrlAdapter_.reset();
    systemMenu_.reset();
    buttonArea_.reset();
    menuLineImage_.reset();
    animTimer_.reset();
    SkinData.reset();
}

TSkinProvider* TSkinProvider::OfWindow(HWND wnd) {
    if (!wnd || !::IsWindow(wnd)) return nullptr;
    const LRESULT answer = SendSkinCommand(wnd, SKC_GETPROVIDER);
    if (!answer) return nullptr;
    // Only our own providers answer with themselves; check the pointer is one.
    auto* candidate = reinterpret_cast<TSkinProvider*>(answer);
    const auto& live = LiveProviders();
    return std::find(live.begin(), live.end(), candidate) != live.end() ? candidate : nullptr;
}

TSkinProvider* TSkinProvider::OfControl(TComponent* component) {
    for (TComponent* c = component; c; c = c->Owner())
        if (auto* form = dynamic_cast<TForm*>(c)) return form->HandleAllocated() ? OfWindow(form->Handle()) : nullptr;
    return nullptr;
}

int TSkinProvider::LiveCount() { return int(LiveProviders().size()); }

void TSkinProvider::Hook() {
    if (!form_) return;
    HWND wnd = form_->Handle();
    subclass_ = std::make_unique<TWindowSubclass>(wnd, [this](TMessage& m) {
        WndProc(m);
        return true;
    });
    // Skin commands addressed to the data reach the provider directly.
    SkinData->SavedWndProc = [this](TMessage& m) { WndProc(m); };
    SkinData->AttachToWindow();
}

void TSkinProvider::Unhook() {
    // Only our own subclass comes off: layers hooked after us stay in place.
    if (SkinData) SkinData->DetachFromWindow();
    subclass_.reset();
}

// ---- Start of skinning ----------------------------------------------------------------

void TSkinProvider::AfterCreate() {
    if (!form_ || inert_ || deferredStart_) return;
    TSkinManager* manager = SkinData->SkinManager();
    if (manager && manager->Active()) PrepareForm();
}

void TSkinProvider::AfterLoad() {
    if (!form_ || inert_ || deferredStart_) return;
    if (SkinData->SkinManager() && SkinData->IsSkinActive()) StartSkinning();
}

void TSkinProvider::RunDeferredStart() {
    if (!deferredStart_) return;
    deferredStart_ = false;
    StartSkinning();
}

void TSkinProvider::StartSkinning() {
    if (!form_ || inert_) return;
    if (form_->HandleAllocated()) {
        // The system's own show and hide transitions stay off while the skin draws the frame.
        const BOOL off = IsCompositionEnabled() && drawNonClientArea_;
        SetDwmWindowAttribute(form_->Handle(), kDwmTransitionsOff, &off, sizeof(off));
    }
    PrepareForm();
    if (!SkinData->IsSkinActive()) return;
    CreateAdapter();
    for (TSkinTitleButton& button : TitleButtons) button.GlyphKind = button.UseSkinData ? tbTitleButton : tbUnused;
    if (form_->BorderStyle == TFormBorderStyle::bsSizeToolWin) {
        AllowBlendOnMoving = false;
        useGlobalColor_ = true;
    }
    // A form skinned while it shows gets its frame image and region before it
    // paints: a region set inside the first paint makes the system paint the
    // whole window a second time.
    if (::IsWindowVisible(form_->Handle()) && drawNonClientArea_ && !borderForm_ && !IsIconic()) RebuildFrame();
}

void TSkinProvider::PrepareForm() {
    if (deferredStart_ || inert_ || !form_ || !form_->HandleAllocated()) return;
    TSkinManager* manager = SkinData->SkinManager();
    if (!manager || !manager->Active() || !manager->Skin()) return;
    menuWasOwnerDraw_ = false;
    SkinData->FinishLoading(false);
    ResolveOwnSections();
    // Made at start-up, so that the hot hit-test path never makes it.
    if (!systemMenu_) systemMenu_ = std::make_unique<TSkinSystemMenu>(form_);
    UpdateSysMenuStyle(true);
    mdiSupportPending_ = false;
    SkinData->ResolveSectionIndexes(true);
    InitCaptionElements();
    if (!form_->Destroying() && useGlobalColor_ && !SkinData->CustomColor()) form_->SetColor(manager->FormColor());
    SkinData->BgChanged = true;
    framePending_ = true;
    regionPending_ = true;
    if (!form_->Destroying() && form_->Showing()) UpdateBorderForm(manager->ExtendedBorders());
}

void TSkinProvider::ResolveOwnSections() {
    titleSkinIndex_ = -1;
    captionSkinIndex_ = -1;
    headerSkinIndex_ = -1;
    const TSkinTables* skin = Skin();
    if (!skin) return;
    if (!titleSkin_.empty()) titleSkinIndex_ = skin->SectionIndexOf(titleSkin_);
    if (titleSkinIndex_ < 0) titleSkinIndex_ = skin->CommonIndexes[csFormTitle];
    captionSkinIndex_ = skin->SectionIndexOf("CAPTION");
    headerSkinIndex_ = skin->SectionIndexOf("FORMHEADER");
}

TSkinManager* TSkinProvider::Manager() const { return SkinData ? SkinData->SkinManager() : nullptr; }

const TSkinTables* TSkinProvider::Skin() const {
    TSkinManager* manager = Manager();
    return manager && manager->Active() ? manager->Skin() : nullptr;
}

bool TSkinProvider::Skinned() const {
    return form_ && !inert_ && !deferredStart_ && SkinData && SkinData->IsSkinActive();
}

bool TSkinProvider::ShowAnimationWanted() {
    TSkinManager* manager = Manager();
    return manager && AllowAnimation && form_ && !form_->Parent() && manager->Effects.AllowAnimation &&
           manager->AnimEffects.FormShow.Active && LayeredWindowsAvailable() && Wnd() != SkinEditorLinkWindow();
}

bool TSkinProvider::HideAnimationWanted() {
    TSkinManager* manager = Manager();
    return manager && AllowAnimation && form_ && !form_->Parent() && drawNonClientArea_ &&
           manager->Effects.AllowAnimation && manager->AnimEffects.FormHide.Active &&
           manager->AnimEffects.FormHide.Time >= 10 && LayeredWindowsAvailable() && !(formState_ & kFsHideImage);
}

bool TSkinProvider::BorderFormWanted() {
    TSkinManager* manager = Manager();
    if (!form_ || inert_ || !form_->HandleAllocated() || !manager || !Skinned() || !drawNonClientArea_) return false;
    const bool framed = form_->BorderStyle != TFormBorderStyle::bsNone || (Style() & WS_CHILD);
    return framed && !form_->Parent() && form_->FormStyle() != TFormStyle::fsMDIChild && allowExtBorders_ &&
           LayeredWindowsAvailable() && (!IsZoomed() || !manager->Options.NativeBordersMaximized);
}

void TSkinProvider::UpdateBorderForm(bool enable) {
    if (!enable || !BorderFormWanted()) {
        if (!borderForm_) return;
        borderForm_.reset();
        // The form wears its own frame again.
        if (SkinData) SkinData->BgChanged = true;
        regionPending_ = true;
        if (form_ && form_->HandleAllocated() && ::IsWindowVisible(form_->Handle()) && !form_->Destroying()) {
            RebuildFrame();
            ::RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
        }
        return;
    }
    if (!borderForm_) {
        borderForm_ = std::make_unique<TSkBorderForm>(*this);
        regionPending_ = true;
    }
    SkinData->BgChanged = true;
    borderForm_->UpdateBorderWindow(true, 255);
}

void TSkinProvider::HandleMessage(TMessage& m) {
    if (!form_ || inert_) return;
    Guarded([&] { WndProc(m); });
}

LRESULT TSkinProvider::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    HandleMessage(m);
    return m.Result;
}

// ---- Setters ---------------------------------------------------------------------------

void TSkinProvider::SetDrawNonClientArea(bool value) {
    if (drawNonClientArea_ == value) return;
    drawNonClientArea_ = value;
    if (!form_ || inert_ || !Manager()) return;
    if (value) {
        UpdateSysMenuStyle(true);
        if (form_->Showing() && Skinned()) {
            SkinData->BgChanged = true;
            regionPending_ = true;
            ::RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_NOERASE | RDW_INVALIDATE);
        }
        return;
    }
    UpdateBorderForm(false);
    if (form_->HandleAllocated() && ThemesActive()) ThemeLibrary().SetWindowTheme(form_->Handle(), nullptr, nullptr);
    if (form_->HandleAllocated() && (form_->BorderIcons & biSystemMenu))
        ::SetWindowLongPtrW(form_->Handle(), GWL_STYLE, ::GetWindowLongPtrW(form_->Handle(), GWL_STYLE) | WS_SYSMENU);
    if (form_->HandleAllocated()) ::SetWindowRgn(form_->Handle(), nullptr, form_->Showing());
    regionPending_ = true;
}

void TSkinProvider::SetAllowExtBorders(bool value) {
    allowExtBorders_ = value;
    if (!form_ || inert_) return;
    UpdateBorderForm(true);
    if (SkinData) SkinData->BgChanged = true;
    if (form_->HandleAllocated())
        ::RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_NOERASE | RDW_INVALIDATE);
}

void TSkinProvider::SetShowAppIcon(bool value) {
    if (showAppIcon_ == value) return;
    showAppIcon_ = value;
    if (SkinData) SkinData->BgChanged = true;
    if (form_ && form_->Visible()) RepaintFrame();
}

void TSkinProvider::SetUseGlobalColor(bool value) {
    useGlobalColor_ = value;
    if (value && Skinned() && !SkinData->CustomColor()) form_->SetColor(Manager()->FormColor());
}

void TSkinProvider::SetCaptionAlignment(TAlignment value) {
    if (captionAlignment_ == value) return;
    captionAlignment_ = value;
    if (SkinData) SkinData->BgChanged = true;
    if (form_ && form_->Visible() && Skinned()) RepaintFrame();
}

void TSkinProvider::SetTitleBar(TSkinTitleBar* value) {
    titleBar_ = value;
    if (SkinData) SkinData->BgChanged = true;
    if (form_ && form_->Visible() && Skinned()) RepaintFrame();
}

void TSkinProvider::SetTitleSkin(const std::string& value) {
    if (titleSkin_ == value) return;
    titleSkin_ = value;
    titleSkinIndex_ = -1;
    ResolveOwnSections();
    if (SkinData) SkinData->BgChanged = true;
    if (form_ && form_->Visible() && Skinned()) HandleMessage(WM_NCPAINT);
}

// ---- Colours and labels ----------------------------------------------------------------

TColor TSkinProvider::FormColor() {
    if (!form_) return 0;
    if (!Skinned() || SkinData->CustomColor()) return ColorToRGB(form_->Color());
    const TSkinTables* skin = Skin();
    const TSkinGeneralData& section = skin->Section(SkinData->SkinIndex);
    const int state = std::clamp(formActive_, 0, std::max(0, section.States - 1));
    return SkinData->BackgroundColor(state);
}

void TSkinProvider::AdaptLabel(TLabel* label, bool skinned) {
    if (!label) return;
    std::erase_if(adaptedLabels_, [](const TSkAdaptedLabel& e) { return !e.Label; });
    auto entry = std::find_if(adaptedLabels_.begin(), adaptedLabels_.end(),
                              [&](const TSkAdaptedLabel& e) { return e.Label.Get() == label; });
    if (skinned) {
        if (label->Tag & kNoSkinTag) return;
        const TSkinTables* skin = Skin();
        if (!skin) return;
        if (entry == adaptedLabels_.end())
            adaptedLabels_.push_back({label->Font().Color(), label, label->ParentFont()});
        // The skinned background shows through the label.
        label->ControlStyle &= ~TControlStyle(csOpaque);
        label->Font().SetColor(skin->LabelTextColor());
        return;
    }
    if (entry == adaptedLabels_.end()) return;
    label->ControlStyle |= csOpaque;
    if (entry->ParentFont) label->SetParentFont(true);
    else label->Font().SetColor(entry->FontColor);
    // The last entry takes the freed place.
    *entry = adaptedLabels_.back();
    adaptedLabels_.pop_back();
}

namespace {
// Every label below control; controls that opt out (Tag 0x100) keep theirs.
void ForEachLabel(TWinControl* control, const std::function<void(TLabel*)>& proc) {
    for (int i = 0; i < control->ControlCount(); ++i) {
        TWinControl* child = control->Controls(i);
        if (child->Tag & kNoSkinTag) continue;
        if (auto* label = dynamic_cast<TLabel*>(child)) proc(label);
        ForEachLabel(child, proc);
    }
}
}  // namespace

void TSkinProvider::AdaptLabels(bool skinned) {
    if (!form_ || form_->Destroying()) return;
    if (skinned) {
        // Controls are adapted only while the provider and the manager's rules allow it.
        TSkinManager* manager = Manager();
        if (!AllowSkin3rdParty || !manager || !(manager->SkinningRules & srThirdParty)) return;
    }
    ForEachLabel(form_, [&](TLabel* label) { AdaptLabel(label, skinned); });
}

void TSkinProvider::CreateAdapter() {
    if (!Skinned()) return;
    AdaptLabels(true);
    if (!ctrlAdapter_) ctrlAdapter_ = std::make_unique<TSkCtrlAdapter>(this);
    ctrlAdapter_->AdaptChildren();
}

void TSkinProvider::RemoveAdapter() {
    if (ctrlAdapter_) ctrlAdapter_->ClearAll();
    AdaptLabels(false);
}

// The form's own scroll bars are skinned by the window adapters, and main
// menus and popups by the skinned menus; until they come these do nothing
// (the forms have no menu bar).
void TSkinProvider::UpdateScrollAdapter() {}
void TSkinProvider::InitMenuLine() {}
bool TSkinProvider::RebuildMenu() { return false; }
void TSkinProvider::SkinMenus(bool) {}

void TSkinProvider::RefreshNonClient() {
    framePending_ = true;
    if (SkinData) SkinData->BgChanged = true;
    if (form_ && form_->HandleAllocated() && ::IsWindowVisible(form_->Handle())) HandleMessage(WM_NCPAINT);
}

// ---- System menu -----------------------------------------------------------------------

void TSkinProvider::UpdateSysMenuStyle(bool skinned) {
    if (!form_ || !form_->HandleAllocated()) return;
    HWND wnd = form_->Handle();
    const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    if (skinned) {
        const LONG_PTR wanted = drawNonClientArea_ ? (style & ~LONG_PTR(WS_SYSMENU)) : (style | WS_SYSMENU);
        if (wanted != style) ::SetWindowLongPtrW(wnd, GWL_STYLE, wanted);
        return;
    }
    if (!(form_->BorderIcons & biSystemMenu)) return;
    if (!(style & WS_SYSMENU)) ::SetWindowLongPtrW(wnd, GWL_STYLE, style | WS_SYSMENU);
    // The window reads its icon again.
    const LRESULT big = ::SendMessageW(wnd, WM_GETICON, ICON_BIG, 0);
    if (big) ::SendMessageW(wnd, WM_SETICON, ICON_BIG, big);
}

namespace {
// Clears WS_VISIBLE for the scope and puts it back however the scope ends.
class THiddenStyleScope {
public:
    explicit THiddenStyleScope(HWND wnd) : wnd_(wnd) {
        const LONG_PTR style = ::GetWindowLongPtrW(wnd_, GWL_STYLE);
        hadVisible_ = (style & WS_VISIBLE) != 0;
        if (hadVisible_) ::SetWindowLongPtrW(wnd_, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
    }
    ~THiddenStyleScope() {
        if (hadVisible_)
            ::SetWindowLongPtrW(wnd_, GWL_STYLE, ::GetWindowLongPtrW(wnd_, GWL_STYLE) | WS_VISIBLE);
    }
    THiddenStyleScope(const THiddenStyleScope&) = delete;
    THiddenStyleScope& operator=(const THiddenStyleScope&) = delete;

private:
    HWND wnd_;
    bool hadVisible_ = false;
};

void EnableItem(HMENU menu, UINT command, bool enabled) {
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : (MF_GRAYED | MF_DISABLED)));
}
}  // namespace

void TSkinProvider::PrepareNativeSystemMenu(HMENU menu) {
    if (!systemMenu_ || !menu) return;
    EnableItem(menu, SC_RESTORE, systemMenu_->RestoreEnabled());
    EnableItem(menu, SC_MOVE, systemMenu_->MoveEnabled() && !IsIconic());
    EnableItem(menu, SC_SIZE, systemMenu_->SizeEnabled() && !IsZoomed() && !IsIconic());
    EnableItem(menu, SC_MINIMIZE, systemMenu_->MinVisible() && systemMenu_->MinEnabled());
    EnableItem(menu, SC_MAXIMIZE, systemMenu_->MaxVisible() && systemMenu_->MaxEnabled());
    EnableItem(menu, SC_CLOSE, systemMenu_->CloseVisible() && systemMenu_->CloseEnabled());
}

void TSkinProvider::ShowSystemMenu(int x, int y) {
    if (!form_ || !form_->HandleAllocated()) return;
    if (!systemMenu_) PrepareForm();
    if (!systemMenu_) return;
    HWND wnd = form_->Handle();
    HMENU menu = ::GetSystemMenu(wnd, FALSE);
    if (!menu) return;
    {
        // The window's own menu is prepared with WS_VISIBLE off (no repaint of
        // the native frame); the bit comes back even when preparing throws.
        THiddenStyleScope hidden(wnd);
        PrepareNativeSystemMenu(menu);
    }
    const UINT command = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, wnd, nullptr);
    if (command) ::PostMessageW(wnd, WM_SYSCOMMAND, command, 0);
}

// ---- Form state ------------------------------------------------------------------------

void TSkinProvider::SetFormState(uint32_t flags) {
    const uint32_t held = kFsMinimizing | kFsRestoring;
    const bool wasHeld = (formState_ & held) != 0;
    formState_ = flags;
    const bool isHeld = (formState_ & held) != 0;
    if (!form_ || wasHeld == isHeld) return;
    HoldFormAlign(isHeld);
}

void TSkinProvider::HoldFormAlign(bool hold) {
    if (hold) form_->DisableAlign();
    else form_->EnableAlign();
}

}  // namespace ad::skin::forms
