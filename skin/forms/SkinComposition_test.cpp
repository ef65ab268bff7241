// Thumbnails fitted into the taskbar's box, the composition entries missing
// one by one, the iconic mode, a minimise asked twice, and the skin editor
// link's bounded asking.
#include "skin/forms/SkinComposition.h"

#include <gtest/gtest.h>

#include "skin/engine/win/SkinDwm.h"
#include "skin/forms/SkinFormsTestKit.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::forms {
namespace {

TEST(SkinComposition, ThumbnailsKeepTheAspectRatio) {
    struct Case {
        int sw, sh, bw, bh, w, h;
    } cases[] = {
        {400, 300, 200, 100, 133, 100},  // limited by the height
        {300, 400, 200, 100, 75, 100},
        {400, 300, 200, 300, 200, 150},  // limited by the width
        {400, 300, 400, 300, 400, 300},
        {400, 300, 0, 100, 0, 0},  // an empty box is refused
        {400, 300, 200, 0, 0, 0},
        {0, 300, 200, 100, 0, 0},
        {1000, 1, 10, 10, 10, 0},  // too thin to show: refused
    };
    for (const Case& c : cases) {
        const TSize s = FitThumbnail(c.sw, c.sh, c.bw, c.bh);
        if (c.h == 0) {
            EXPECT_EQ(s.cx, 0) << c.sw << "x" << c.sh;
            EXPECT_EQ(s.cy, 0) << c.sw << "x" << c.sh;
            continue;
        }
        EXPECT_EQ(s.cx, c.w) << c.sw << "x" << c.sh << " in " << c.bw << "x" << c.bh;
        EXPECT_EQ(s.cy, c.h) << c.sw << "x" << c.sh << " in " << c.bw << "x" << c.bh;
    }
}

// A fake desktop window manager for one test; the real table comes back after.
struct TFakeDwm {
    TFakeDwm() : saved(MutableDwmTable()) { MutableDwmTable() = TDwmTable{}; }
    ~TFakeDwm() { MutableDwmTable() = saved; }
    TDwmTable saved;
    static inline int thumbWidth = 0, thumbHeight = 0, attributes = 0, invalidated = 0;
    static inline DWORD lastAttribute = 0;
    static inline bool refuseIconicBitmap = false;
    static HRESULT WINAPI Composition(BOOL* on) {
        *on = TRUE;
        return S_OK;
    }
    static HRESULT WINAPI Thumbnail(HWND, HBITMAP bitmap, DWORD) {
        BITMAP b{};
        ::GetObjectW(bitmap, sizeof b, &b);
        thumbWidth = b.bmWidth;
        thumbHeight = b.bmHeight;
        return S_OK;
    }
    static HRESULT WINAPI Attribute(HWND, DWORD attribute, LPCVOID, DWORD) {
        ++attributes;
        lastAttribute = attribute;
        return attribute == 10 && refuseIconicBitmap ? E_INVALIDARG : S_OK;
    }
    static HRESULT WINAPI Invalidate(HWND) {
        ++invalidated;
        return S_OK;
    }
};

TEST(SkinComposition, MissingEntriesTurnEachFeatureOff) {
    test::TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    TFakeDwm dwm;
    EXPECT_FALSE(IsCompositionEnabled());
    BOOL value = TRUE;
    EXPECT_EQ(SetDwmWindowAttribute(f.wnd, 3, &value, sizeof value), E_NOTIMPL);
    EXPECT_FALSE(SetIconicThumbnail(f.wnd, *f.provider, 200, 100));
    EXPECT_FALSE(SetLivePreviewBitmap(f.wnd, *f.provider));
    EXPECT_FALSE(EnableBlurBehind(f.wnd, true, ::CreateRectRgn(0, 0, 5, 5)));  // the region is freed all the same
    SetWindowIconicMode(f.wnd, true);  // quietly nothing

    MutableDwmTable().SetIconicThumbnail = TFakeDwm::Thumbnail;
    EXPECT_FALSE(SetIconicThumbnail(f.wnd, *f.provider, 0, 100));
    f.PaintFrame();
    ASSERT_TRUE(SetIconicThumbnail(f.wnd, *f.provider, 200, 100));
    const TSize fitted = FitThumbnail(f.provider->ImageWidth(), f.provider->ImageHeight(), 200, 100);
    EXPECT_EQ(TFakeDwm::thumbWidth, fitted.cx);
    EXPECT_EQ(TFakeDwm::thumbHeight, fitted.cy);
    EXPECT_FALSE(f.provider->FormState() & kFsDwmImage);
    // The taskbar's request reaches the provider: width in the high word, height in the low.
    TFakeDwm::thumbWidth = 0;
    EXPECT_EQ(::SendMessageW(f.wnd, WM_DWMSENDICONICTHUMBNAIL, 0, MAKELPARAM(100, 160)), 0);
    EXPECT_EQ(TFakeDwm::thumbWidth, FitThumbnail(f.provider->ImageWidth(), f.provider->ImageHeight(), 160, 100).cx);
}

TEST(SkinComposition, IconicModeFallsBackToTheForcedRepresentation) {
    test::TSkinnedForm f;
    TFakeDwm dwm;
    MutableDwmTable().SetWindowAttribute = TFakeDwm::Attribute;
    MutableDwmTable().InvalidateIconicBitmaps = TFakeDwm::Invalidate;
    TFakeDwm::attributes = TFakeDwm::invalidated = 0;
    TFakeDwm::refuseIconicBitmap = false;
    SetWindowIconicMode(f.wnd, true);
    EXPECT_EQ(TFakeDwm::attributes, 1);
    EXPECT_EQ(TFakeDwm::lastAttribute, 10u);
    EXPECT_EQ(TFakeDwm::invalidated, 1);
    TFakeDwm::refuseIconicBitmap = true;
    SetWindowIconicMode(f.wnd, false);
    EXPECT_EQ(TFakeDwm::attributes, 3);
    EXPECT_EQ(TFakeDwm::lastAttribute, 7u);
    TFakeDwm::refuseIconicBitmap = false;
}

TEST(SkinComposition, TheMinimiseAnimationNeedsCompositionAndASecondOneIsTakenAsDone) {
    test::TSkinnedForm f;
    ASSERT_NE(f.provider, nullptr);
    TFakeDwm dwm;
    MutableDwmTable().IsCompositionEnabled = TFakeDwm::Composition;
    f.skin.Manager->Effects.AllowAnimation = true;
    f.skin.Manager->AnimEffects.Minimizing.Active = true;
    EXPECT_TRUE(f.provider->StartMinimizeAnimation());
    EXPECT_TRUE(f.provider->FormState() & kFsMinimizing);
    EXPECT_TRUE(f.provider->StartMinimizeAnimation());  // under way: taken as done
    f.provider->SetFormState(f.provider->FormState() & ~kFsMinimizing);
    // Without composition on this system nothing ever starts: the system animates.
    MutableDwmTable().IsCompositionEnabled = nullptr;
    EXPECT_FALSE(f.provider->StartMinimizeAnimation());
    EXPECT_FALSE(f.provider->FormState() & kFsMinimizing);
}

// An in-process window titled "Skin Editor" that counts the asks and answers
// 1 at the given one (0: never).
struct TFakeEditor {
    explicit TFakeEditor(int answerAt) {
        asks = 0;
        answer = answerAt;
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"AdFakeSkinEditor";
        ::RegisterClassW(&wc);
        wnd = ::CreateWindowExW(0, wc.lpszClassName, L"Skin Editor", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
    }
    ~TFakeEditor() { ::DestroyWindow(wnd); }
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == 0xA400 && wp == 3) return ++asks == answer ? 1 : 0;
        return ::DefWindowProcW(w, msg, wp, lp);
    }
    static inline int asks = 0, answer = 0;
    HWND wnd = nullptr;
};

TEST(SkinComposition, TheEditorIsAskedAtMost101TimesAndOnlyForTheMainForm) {
    TForm main(nullptr), other(nullptr);
    main.SetBounds(10, 10, 100, 80);
    other.SetBounds(10, 10, 100, 80);
    main.Handle();
    other.Handle();
    TForm* savedMain = Application->MainForm;
    Application->MainForm = &main;
    {
        TFakeEditor editor(0);
        SetSkinEditorPreviewWanted(true);
        EXPECT_EQ(LinkToSkinEditor(other.Handle()), LRESULT(other.Handle()));  // not the main form
        EXPECT_EQ(TFakeEditor::asks, 0);
        EXPECT_EQ(LinkToSkinEditor(main.Handle()), -1);
        EXPECT_EQ(TFakeEditor::asks, 101);
        EXPECT_EQ(SkinEditorLinkWindow(), main.Handle());
        // Linked once: never again.
        EXPECT_FALSE(SkinEditorPreviewWanted());
        EXPECT_EQ(LinkToSkinEditor(main.Handle()), LRESULT(main.Handle()));
        EXPECT_EQ(TFakeEditor::asks, 101);
    }
    {
        TFakeEditor editor(3);
        SetSkinEditorPreviewWanted(true);
        EXPECT_EQ(LinkToSkinEditor(main.Handle()), 0);
        EXPECT_EQ(TFakeEditor::asks, 3);
    }
    SetSkinEditorPreviewWanted(false);
    SetSkinEditorLinkWindow(nullptr);
    Application->MainForm = savedMain;
}

}  // namespace
}  // namespace ad::skin::forms
