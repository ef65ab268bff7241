// TSkinProvider: the per-form skinning object. It hooks the form's window
// (through the subclass chain), keeps the whole skinned window image (frame,
// title, caption buttons, menu line, background) in the cache of its skin
// data, and answers the non-client messages from it: hit test, caption
// buttons, activation look, sizing and region. Every form gets one at its
// first activation through the window-creation hook (SkinHook.h), which
// makes it with CreateRuntime; skinning then starts at the first non-client
// hit test, non-client paint or show notice.
//
// The members are implemented in files by role: SkinProvider.cpp (life,
// setters, labels, system menu), SkinProviderGeometry.cpp (metrics, title
// layout, hit test), SkinProviderRegion.cpp (window region),
// SkinProviderPaint.cpp (the cache image and copying it to the window),
// SkinProviderMessages.cpp (the window procedure and the caption-element
// state machine) and SkinProviderFrameMessages.cpp (activation, position,
// size, show, paint, print and system-command handlers).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "base/TextStyle.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/StdCtrls.h"
#include "framework/WindowSubclass.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinCacheImage.h"
#include "skin/engine/win/SkinCommonData.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinText.h"
#include "skin/forms/SkCtrlAdapter.h"
#include "skin/forms/SkinSnap.h"
#include "skin/forms/SkinSystemMenu.h"
#include "skin/forms/SkinTitleItems.h"

namespace ad::skin::forms {

class TSkGlowForm;
class TSkBorderForm;
struct TSkFormAnimationRun;
// Made by later steps (MDI, child adapters, title bar); the provider holds
// null until they exist.
class TSkinTitleBar;
class TSkTitleBarItem;
class TSkScrollWnd;
class TSkinMDIForm;

enum TSkinGripMode { gmNone, gmRightBottom };
enum TSkinResizeMode { rmStandard, rmBorder };

// Form-state bits (TSkinProvider::FormState).
constexpr uint32_t kFsBorderPlacing = 0x1;         // the border window is placed with the form
constexpr uint32_t kFsBlendMoving = 0x80;          // a blend-on-moving animation runs
constexpr uint32_t kFsMinimizing = 0x100;          // minimise animation
constexpr uint32_t kFsHideImage = 0x200;           // a hide image is prepared
constexpr uint32_t kFsRestoring = 0x400;           // restore animation
constexpr uint32_t kFsDwmImage = 0x800;            // the image goes to desktop composition
constexpr uint32_t kFsSnapshot = 0x1000;           // a snapshot for a skin change is held
constexpr uint32_t kFsShowing = 0x2000;            // a show is in progress
constexpr uint32_t kFsStretchedHeight = 0x4000;    // stretched by a border double-click
constexpr uint32_t kFsStretchedWidth = 0x8000;
constexpr uint32_t kFsFrozen = 0x10000;            // frozen for a skin change
constexpr uint32_t kFsScrollAdapter = 0x20000;     // the scroll adapter is being rebuilt
constexpr uint32_t kFsGluedMove = 0x40000;
constexpr uint32_t kFsMaximizing = 0x80000;
constexpr uint32_t kFsDisabledBlend = 0x100000;
constexpr uint32_t kFsInNcActivate = 0x200000;

// The non-client hit codes of the caption elements beyond the system's.
constexpr int kHitMdiClose = 101, kHitMdiRestore = 102, kHitMdiMinimize = 103;
constexpr int kHitTitleButton = 1000;  // + index of the user title button
constexpr int kHitTitleBarItem = 2000; // + index of the title-bar item

// The seven caption elements of a provider.
enum TSkCaptionElementId : int { ceClose, ceMax, ceMin, ceHelp, ceMdiClose, ceMdiRestore, ceMdiMin, ceCount };

// One caption element (the close, maximise, minimise, help buttons and the
// three buttons of a maximised MDI child).
struct TSkCaptionElement {
    int State = 0;          // 0 normal, 1 hot, 2 pressed
    int GlowIndex = -1;     // in the global glow list, -1 none
    TRect Rect;             // window-image coordinates; hidden: Right = Left
    int HitCode = 0;
    std::unique_ptr<TSkThreadedTimer> Animation;  // a running state fade
    bool Large = false;     // belongs to a large caption
    int GlyphKind = tbUnused;  // index of the manager's title-glyph masks
};

// A label recoloured by the skin, with what to give back (null once the label is freed).
struct TSkAdaptedLabel {
    TColor FontColor = 0;
    TComponentLink<TLabel> Label;
    bool ParentFont = false;
};

// A form's place before a border double-click stretched it to the work area.
struct TSkStretchSaved {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The four margins of the extended border's shadow.
struct TSkShadowMargins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

using TSkAfterAnimation = std::function<void(int kind)>;  // 0 showing, 1 hiding
using TSkNCHitTest = std::function<void(TObject* sender, TPoint point, int& code)>;

class TSkMinTimer;

class TSkinProvider : public TComponent, public TSkinProviderLink {
    friend class TSkMinTimer;  // the animation ends by giving the form its look back

public:
    // Streamed constructor: owner must be a form (else the provider stays
    // without a form and does nothing).
    explicit TSkinProvider(TComponent* owner);
    // The provider the creation hook makes: skinning waits for the first
    // non-client hit test, non-client paint or show notice.
    static TSkinProvider* CreateRuntime(TForm* form);
    ~TSkinProvider() override;
    TSkinProvider(const TSkinProvider&) = delete;
    TSkinProvider& operator=(const TSkinProvider&) = delete;

    // The provider of a form window (SKC_GETPROVIDER), null when none answers.
    static TSkinProvider* OfWindow(HWND wnd);
    // The provider of the form that owns component (walking the owners).
    static TSkinProvider* OfControl(TComponent* component);
    // Live providers of the process (leak checks).
    static int LiveCount();

    // ---- Published properties ----
    bool AllowAnimation = true;
    bool AllowExtBorders() const { return allowExtBorders_; }
    void SetAllowExtBorders(bool value);
    bool AllowBlendOnMoving = true;
    bool AllowSkin3rdParty = true;
    // The form's own class-name lists for window adapters; while they name
    // nothing the manager's lists are used.
    TSkThirdPartyList ThirdParty = TSkThirdPartyList::None();
    bool HasOwnThirdParty() const { return ThirdParty.HasAny(); }
    TSkSkinItemEvent OnSkinItem;
    TSkSkinItemExEvent OnSkinItemEx;
    bool DrawNonClientArea() const { return drawNonClientArea_; }
    void SetDrawNonClientArea(bool value);
    bool DrawClientArea = true;
    bool MakeSkinMenu = false;
    bool ScreenSnap = false;
    bool ShowAppIcon() const { return showAppIcon_; }
    void SetShowAppIcon(bool value);
    bool UseGlobalColor() const { return useGlobalColor_; }
    void SetUseGlobalColor(bool value);
    TSkAddedTitle AddedTitle;
    TAlignment CaptionAlignment() const { return captionAlignment_; }
    void SetCaptionAlignment(TAlignment value);
    uint8_t DisabledBlendValue = 255;
    TColor DisabledBlendColor = 0;
    TSkFormHeader FormHeader;
    std::vector<std::string> GluedForms;
    std::unique_ptr<TSkinScrollWndData> SkinData;
    TSkinGripMode GripMode = gmNone;
    TSkinResizeMode ResizeMode = rmStandard;
    int SnapBuffer = 10;
    TSkSysSubMenu SysSubMenu;
    TSkinTitleBar* TitleBar() const { return titleBar_; }
    void SetTitleBar(TSkinTitleBar* value);
    TSkinTitleButtons TitleButtons;
    TSkinTitleIcon TitleIcon;
    const std::string& TitleSkin() const { return titleSkin_; }
    void SetTitleSkin(const std::string& value);
    const std::string& MenuLineSkin() const { return menuLineSkin_; }
    void SetMenuLineSkin(const std::string& value) { menuLineSkin_ = value; }
    TSkAfterAnimation OnAfterAnimation;
    TSkNCHitTest OnExtHitTest;

    // ---- Life ----
    TForm* OwnerForm() const { return form_; }
    bool DeferredStart() const { return deferredStart_; }
    bool Inert() const { return inert_; }
    void AfterCreate();
    void AfterLoad();
    void StartSkinning();
    void PrepareForm();
    // Makes or frees the extended border as the form, the manager and the
    // skin allow (enable: the manager's ExtendedBorders).
    void UpdateBorderForm(bool enable);
    bool BorderFormWanted();
    // Clears DeferredStart and starts skinning (the first hit test, paint or show).
    void RunDeferredStart();
    // The form's skin data has its section: the provider paints the form.
    bool Skinned() const;
    TSkinManager* Manager() const;
    // The manager's skin while it is active, else null.
    const TSkinTables* Skin() const;
    // The title, caption-text and header sections (-1 when the skin has none).
    void ResolveOwnSections();
    int TitleSectionIndex() const { return titleSkinIndex_; }

    // ---- TSkinProviderLink ----
    TWinControl* Form() override { return form_; }
    bool PaintsOwnTitleBar() const override { return titleBar_.Get() != nullptr; }
    bool IsMDIForm() const override { return form_ && form_->FormStyle() == TFormStyle::fsMDIForm; }
    bool HasExtendedBorder() const override { return borderForm_ != nullptr; }
    TPoint ClientOffset() const override;
    // Runs the message through the provider's window procedure.
    void HandleMessage(TMessage& m) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // ---- Colours, labels, system menu ----
    TColor FormColor();
    void AdaptLabel(TLabel* label, bool skinned);
    // Every label of the form adapted (skinned) or given back.
    void AdaptLabels(bool skinned);
    void UpdateSysMenuStyle(bool skinned);
    void ShowSystemMenu(int x, int y);
    // The window's own system menu items enabled as the form allows.
    void PrepareNativeSystemMenu(HMENU menu);
    TSkinSystemMenu* SystemMenu() const { return systemMenu_.get(); }
    void CreateAdapter();
    void RemoveAdapter();
    // The keeper of the form's window adapters (null until the first adapting).
    TSkCtrlAdapter* CtrlAdapter() const { return ctrlAdapter_.get(); }
    void UpdateScrollAdapter();
    void InitMenuLine();
    bool RebuildMenu();
    void SkinMenus(bool skinned);
    void RefreshNonClient();

    // ---- Form state (engine-facing) ----
    uint32_t FormState() const { return formState_; }
    // Stores the flags; alignment is suspended while 0x100 or 0x400 is set.
    void SetFormState(uint32_t flags);
    // A new bitmap, owned by the caller: the cache image with the children painted in.
    std::unique_ptr<TSkinCacheImage> CopyFormImage();
    bool StartMinimizeAnimation();
    bool StartRestoreAnimation();
    // The running minimise or move animation's timer (null when none).
    TSkThreadedTimer* AnimationTimer() const { return animTimer_.get(); }

    // ---- MDI parent (SkinProviderMDI.cpp) ----
    // The MDI support of an MDI parent with a client window (made on first use), else null.
    TSkinMDIForm* MDISupport();
    // A maximised MDI child's buttons are shown in the menu line.
    bool MDIChildButtonsVisible();
    void LayoutMDIButtons();
    // 101, 102 or 103 on a maximised child's button, else HTMENU (window-image point).
    int MenuLineHit(TPoint point);
    void PaintMDIButtons(const TImageView32& image);
    void ReleaseMDIButton(int code);
    // The active child allows what its restore (102) or minimise (103) button does.
    bool MDIButtonAllowed(int code);
    // WM_INITMENUPOPUP: true when the Window menu was filled here (not passed on).
    bool InitWindowMenu(TMessage& m);

    // ---- Snapping, glued forms and the disabled cover (SkinFormStates.cpp) ----
    // What the extended border adds around the window (all 0 without one).
    TSkOuterOffsets OuterOffsets();
    // Snaps a proposed window position to other forms and the work area.
    void SnapToEdges(int& x, int& y);
    // Records which forms named in GluedForms touch this form.
    void UpdateGluedForms();
    // Moves the forms glued to this form after it moved.
    void MoveGluedForms(bool useBorderWindow);
    bool IsGluedChild(TForm* form) const;
    // Shows the translucent cover over a disabled form (or frees it once enabled).
    void UpdateDisabledBlend();
    TSkGlowForm* DisabledCover() const { return disabledCover_.get(); }

    // ---- Metrics, layout and hit test ----
    bool HasBorder();
    int CaptionHeight(bool useSkin = true);
    int TitleHeightOfSkin(bool maximised);
    int ExtraCaptionHeight(bool maximised);
    virtual int TitleTopOffset();
    int BorderWidthTotal(bool useSkin = true);
    int TopBorderTotal(bool useSkin = true);
    bool ExtBordersAllowed();
    TSkShadowMargins ShadowMargins();
    int ImageWidth();
    int ImageHeight();
    int ClientOffsetX();
    int ClientOffsetY();
    int TitleAreaHeight();
    bool HasMenuLine();
    int MenuLineHeight();
    bool MenuVisible();
    int MenuLineCount();
    bool ShowsTitleIcon();
    int TitleIconWidth();
    int TitleIconHeight();
    int ButtonWidth(const TSkCaptionElement& element);
    int ButtonHeight();
    int MDIButtonWidth();
    int MDIButtonHeight();
    int TitleButtonWidth(const TSkinTitleButton& button);
    int SysButtonCount();
    int ButtonsWidth();
    TPoint GripPosition();
    TPoint WindowOrigin();
    void InitCaptionElements();
    void LayoutTitle();
    // screen point -> hit-test code
    int HitTest(TPoint screenPoint);
    // WM_GETMINMAXINFO's limits (the message still goes on).
    void GetMinMaxInfo(MINMAXINFO& info);
    bool IsSizeable();
    bool IsZoomed();
    bool IsIconic();
    bool IsMainForm();
    const TSkCaptionElement& Element(TSkCaptionElementId id) const { return elements_[size_t(id)]; }
    TSkCaptionElement& Element(TSkCaptionElementId id) { return elements_[size_t(id)]; }
    HWND Wnd() const;  // the form's window, null before it exists
    LONG_PTR Style() const;
    // The help button is shown (the form offers help).
    bool HelpShown() const;
    // x and y of the title centre line and the right edge left to the caption text.
    int TitleCentreY() const { return titleCentreY_; }
    int TitleTextRight() const { return titleTextRight_; }
    // The element answering the hit code (8, 9, 20, 21, 101..103), null for others.
    TSkCaptionElement* ElementByCode(int code);
    const TRect& IconRect() const { return iconRect_; }
    bool LargeCaptionButtons() const { return largeCaptionButtons_; }
    bool ExtendedTitle() const { return extendedTitle_; }

    // ---- Title-bar items (SkinProviderTitleBar.cpp) ----
    // The item of a hit code 2000 + i, null for other codes.
    TSkTitleBarItem* TitleBarItemOf(int code) const;
    // Hands the bar its area (right: the caption buttons' left, fullRight: the
    // title's right edge) and lets it arrange its items.
    void ArrangeTitleBar(int right, int fullRight);
    // 2000 + i for an enabled item at the window-image point, else HTCLIENT.
    int TitleBarHitTest(TPoint point) const;
    // The items painted into the image: pressed tabs last.
    void PaintTitleBarItems(const TImageView32& image);
    void PaintTitleBarItem(TSkTitleBarItem& item, const TImageView32& image);
    void TitleBarItemDown(int code, TPoint screenPoint, TMouseButton button);
    void TitleBarItemUp(int code, TPoint screenPoint, TMouseButton button);
    // The caption text's span when a bar is shown (window-image x).
    bool TitleBarShowsCaption() const;
    // The hint of a hot title item: shown after the application's hint pause
    // while the cursor stays on the item; gone when the item is left.
    void StartTitleItemHint(const TSkTitleBarItem& item);
    void StopTitleItemHint();
    TAppHintWindow* TitleItemHint() const { return itemHint_.get(); }
    int TitleBarTextLeft() const { return titleBarTextLeft_; }
    int TitleBarTextRight() const { return titleBarTextRight_; }

    // ---- Region ----
    void CollectMaskRects();
    const std::vector<TRect>& MaskRects() const { return maskRects_; }
    OwnedRegion CreateFormRegion(int x, int y);
    // Returns whether the region was applied (or none was wanted).
    bool UpdateFormRegion(bool redraw, bool direct);
    // The frame image, its mask rectangles and the region, made again.
    void RebuildFrame();
    bool RegionPending() const { return regionPending_; }
    // How regions reach the window (tests put a failing one in).
    using TSetWindowRgn = int(WINAPI*)(HWND, HRGN, BOOL);
    static TSetWindowRgn SetWindowRegion;
    bool RegionFrozen = false;

    // ---- Painting (SkinProviderPaint.cpp) ----
    bool PrepareCache();
    bool CacheSizeChanged();
    void PaintNonClient();
    void PaintFrameFromCache(HDC dc);
    void PaintClient(HDC dc, bool repaintChildren);
    void PaintClientMessage(TMessage& m);
    void PaintClientTo(HDC dc);
    void PaintGrip(HDC dc);
    void RepaintFrame();
    void PaintCaptionButton(int id);
    void PaintCaptionButtons(int imageWidth);
    void SetHotElement(int id, bool repaint);
    void SetPressedElement(int id);
    void PaintTitleIcon();
    void SaveButtonArea(int imageWidth, bool flag);
    void RestoreButtonArea(int imageWidth);
    void ShowTitleCover();
    void HideTitleCover();
    void StopButtonAnimations();
    int HotElement() const { return hotElement_; }
    bool ElementPressed() const { return pressed_; }
    int FormActive() const { return formActive_; }

    // ---- Window procedure (SkinProviderMessages.cpp) ----
    void WndProc(TMessage& m);
    // Passes the message to the form's previous window procedure.
    void CallPrevious(TMessage& m);
    bool HandleSkinCommandFirst(TMessage& m);
    bool HandleSkinCommandUnskinned(TMessage& m);
    void HandleSkinCommandSkinned(TMessage& m);
    void HandleCopyData(TMessage& m);
    void WMNCHitTest(TMessage& m);
    void WMNCMouseMove(TMessage& m);
    void WMNCLButtonDown(TMessage& m);
    void WMNCLButtonUp(TMessage& m);
    void WMNCLButtonDblClk(TMessage& m);
    void WMNCRButtonDown(TMessage& m);
    void WMNCRButtonUp(TMessage& m);
    void WMMouseLeave(TMessage& m);
    // Frame handlers (SkinProviderFrameMessages.cpp).
    void WMNCActivate(TMessage& m);
    void WMWindowPosChanging(TMessage& m);
    void WMWindowPosChanged(TMessage& m);
    void WMSize(TMessage& m);
    void WMShowWindow(TMessage& m);
    void CMShowingChanged(TMessage& m);
    void CMControlListChange(TMessage& m);
    void CMVisibleChanged(TMessage& m);
    void WMPaint(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    void WMNCPaint(TMessage& m);
    void WMPrint(TMessage& m);
    void WMParentNotify(TMessage& m);
    void WMSysCommand(TMessage& m);

    // ---- Form animations (SkinFormAnimation.h) ----
    std::unique_ptr<TSkFormAnimationRun> FormAnimation;
    bool ShowAnimationRunning() const { return showAnimation_; }
    void SetShowAnimationRunning(bool on) { showAnimation_ = on; }
    // The show and hide animations apply to this form now.
    bool ShowAnimationWanted();
    bool HideAnimationWanted();

    // ---- Companions ----
    TSkBorderForm* BorderForm() const { return borderForm_.get(); }
    // The code of a non-client mouse message: wParam -1 comes from the border
    // window, which knows what lies under the point.
    int NonClientCode(const TMessage& m);
    // Set by a border double-click, given back by the next one or a drag.
    TSkStretchSaved StretchSaved;
    TSkGlowForm* TitleCover() const { return titleCover_.get(); }

protected:
    // The provider's data and subclass on the form (not for an inert provider).
    void Hook();
    void Unhook();
    // The form's alignment held while a minimise or restore animation runs.
    void HoldFormAlign(bool hold);
    // One caption element placed right-aligned at x; x moves left past it.
    void PlaceElement(TRect& rect, int width, bool large, int& x);

    // ---- State (read and written by the member files) ----
    TForm* form_ = nullptr;
    std::unique_ptr<TWindowSubclass> subclass_;
    bool deferredStart_ = false;
    bool inert_ = false;
    bool drawNonClientArea_ = true;
    bool allowExtBorders_ = true;
    bool showAppIcon_ = true;
    bool useGlobalColor_ = true;
    TAlignment captionAlignment_ = taLeftJustify;
    std::string titleSkin_;
    std::string menuLineSkin_;
    TComponentLink<TSkinTitleBar> titleBar_;

    int formActive_ = 1;
    bool largeCaptionButtons_ = true;
    bool framePending_ = true;
    bool regionPending_ = true;
    bool regionBusy_ = false;
    bool noPaint_ = false;
    bool menuSkinned_ = false;
    bool menuWasOwnerDraw_ = false;
    bool useDwm_ = false;
    bool extendedTitle_ = false;
    bool mdiSupportPending_ = true;
    bool imageReady_ = false;
    uint32_t formState_ = 0;

    std::array<TSkCaptionElement, ceCount> elements_;
    int hotElement_ = 0;
    bool pressed_ = false;
    bool rightPressed_ = false;
    bool showAnimation_ = false;
    bool mdiBusy_ = false;
    int redrawLocks_ = 0;
    TRect lastClientRect_;
    int savedRestoreState_ = 0;  // 0 none, 1 normal, 2 iconic, 3 zoomed
    TRect iconRect_;
    int titleCentreY_ = 0;
    int titleTop_ = 0;
    int titleBottom_ = 0;
    int titleTextRight_ = 0;
    int titleBarTextLeft_ = 0, titleBarTextRight_ = 0;
    int menuLineCount_ = -1;
    int titleSkinIndex_ = -1;
    int captionSkinIndex_ = -1;
    int headerSkinIndex_ = -1;
    int titleButtonMask_ = -1;
    std::array<std::unique_ptr<TSkinCacheImage>, 2> captionGlows_;

    std::vector<TRect> maskRects_;

    std::unique_ptr<TSkinCacheImage> buttonArea_;
    std::unique_ptr<TSkinCacheImage> menuLineImage_;
    std::unique_ptr<TSkinCacheImage> hideImage_;  // taken as the form hides, for its animation

    std::unique_ptr<TSkinSystemMenu> systemMenu_;
    std::unique_ptr<TSkCtrlAdapter> ctrlAdapter_;
    std::unique_ptr<TSkBorderForm> borderForm_;
    TSkScrollWnd* scrollWnd_ = nullptr;
    std::unique_ptr<TSkinMDIForm> mdiForm_;
    std::unique_ptr<TSkThreadedTimer> animTimer_;
    std::unique_ptr<TSkGlowForm> titleCover_;
    std::unique_ptr<TSkGlowForm> disabledCover_;
    std::unique_ptr<TTimer> itemHintTimer_;
    std::unique_ptr<TAppHintWindow> itemHint_;
    std::string itemHintText_;
    TRect itemHintRect_;  // screen
    std::unique_ptr<TWindowSubclass> titleCoverSubclass_;

    std::vector<TSkAdaptedLabel> adaptedLabels_;

    // ---- Painting helpers' state (SkinProviderPaint.cpp adds below) ----
    // (block kept for the painting and message files)
    // -- painting and message handling: helpers and state --
    int TitleSectionIndex();
    HFONT CaptionFont();
    // The right end of the title rows that SaveButtonArea keeps.
    TRect ButtonAreaRect();
    bool CacheUsable() const;
    // The form's section is one plain colour (its data says the parent shows
    // through): the client is filled with FormColor instead of copied.
    bool PlainSection() const;
    void PaintCaptionText(const TImageView32& image, int state);
    // The captions of the menu bar's top items over the painted menu line.
    void PaintMenuLineItems(const TImageView32& image, int lineSection);
    bool ElementEnabled(const TSkCaptionElement& element);
    int GlyphMaskOf(int glyphKind);
    void DrawCaptionElement(const TImageView32& image, const TRect& rect, int glyphKind, int state, bool running,
                            bool enabled);
    void DrawTitleButtonGlyph(const TImageView32& image, const TSkinTitleButton& button);
    void RestoreButtonBackground(const TRect& rect);
    // What the element of a hit code looks like now; false for none (or the MDI line's).
    bool CaptionElementOf(int id, TRect& rect, int& glyphKind, int& state, bool& enabled,
                          std::unique_ptr<TSkThreadedTimer>*& animation);
    bool CaptionFadeAllowed(int id);
    void StartCaptionFade(int id, const TRect& rect, int glyphKind, int state, bool enabled,
                          std::unique_ptr<TSkThreadedTimer>& animation);
    void CaptionFadeStep(TSkThreadedTimer& timer, const TRect& rect);
    void CopyElementToWindow(const TRect& rect);
    void UpdateCaptionGlow(int id, const TRect& rect, int glyphKind, int state);
    void RepaintElement(int id);
    // Message handling helpers (SkinProviderMessages.cpp, SkinProviderFrameMessages.cpp).
    bool OwnManager(LPARAM lParam);
    void ReinitAfterSkinLoaded();
    void RemoveSkinFromForm();
    void RefreshSkin();
    void AnswerParentBg(TSkParentBgRequest& request);
    void SetFormAlpha(int alpha);
    void ClearHotElement();
    void ReleaseCaptionElement(int code, TPoint screenPoint);
    void WMSetText(TMessage& m);
    TPoint ScreenPointOf(const TMessage& m);
    // The window's size limits as WM_GETMINMAXINFO gives them.
    MINMAXINFO SizeLimits();
    // The skinned system menu at a screen point (through SystemMenuSeam when set).
    void ShowSystemMenuAt(int x, int y);

public:
    // Tests see where the system menu would open instead of its modal loop.
    static inline std::function<void(TSkinProvider*, TPoint)> SystemMenuSeam;

protected:

    OwnedFont captionFont_;
    OwnedFont menuFont_;
    int captionFontLevel_ = -1;
    std::array<TGlowMask, 2> captionGlowMasks_;
    TRect buttonAreaRect_;
    bool inSetText_ = false;
    // Gone with the provider: a handler that sent a message which may have
    // freed the form (and with it the provider) checks it before going on.
    std::shared_ptr<int> aliveToken_ = std::make_shared<int>(0);
    // -- end of the painting and message block --
};

// The window that the skin editor sends its skin to (WM_COPYDATA); null: none.
HWND SkinEditorLinkWindow();
void SetSkinEditorLinkWindow(HWND wnd);

}  // namespace ad::skin::forms
