// Glows (made through the engine's links, as the controls make them): size and place from the mask's borders and the margin, the window's
// styles, the refusals, removal, the fade-out and the glow form's immunity
// to the creation hook.
#include "skin/forms/SkGlowEffect.h"

#include <gtest/gtest.h>

#include <fstream>

#include "framework/Handles.h"
#include "framework/StdCtrls.h"
#include "skin/engine/image/SkinFadeMath.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/win/SkThreadedTimer.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkGlowForm.h"
#include "skin/forms/SkinFormsTestKit.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TempFolder.h"

namespace ad::skin::forms {
namespace {

using glow::CreateGlowFromFrames;
using glow::GlowAt;
using glow::LiveGlowCount;

// A skin whose BUTTON section has a glow mask with borders of 10.
std::vector<uint8_t> GlowSkin() {
    const std::string ini =
        "[GLOBALINFO]\r\nVERSION=10\r\nMASTERBITMAP=M.BMP\r\n"
        "[BUTTON]\r\nSTATES=2\r\nGLOW0=!GL.BMP!1!0!0!10!10!10!10\r\n";
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)},
                          {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)},
                          {"GL.BMP", bmptest::SolidBmp(24, 24, 0x40A0F0)}});
}

struct TGlowFixture {
    TGlowFixture() {
        TSkinEngineLinks links;
        AddFormSkinningLinks(links);
        InstallSkinEngineLinks(links);
        const std::vector<uint8_t> skin = GlowSkin();
        std::ofstream(dir.Path() + "Glow.asz", std::ios::binary)
            .write(reinterpret_cast<const char*>(skin.data()), std::streamsize(skin.size()));
        manager = std::make_unique<TSkinManager>(nullptr);
        manager->SetSkinDirectory(dir.Path().substr(0, dir.Path().size() - 1));
        manager->SetSkinName("Glow");
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(200, 150, 300, 200);
        button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(40, 50, 100, 30);
        form->Show();
        ad::test::PumpPending();
        data = std::make_unique<TSkinCommonData>(button, false);
        data->SetSkinManager(manager.get());
    }
    ~TGlowFixture() {
        ClearAllGlows(true);
        data.reset();
        form->Hide();
        form.reset();
        manager.reset();
        InstallSkinEngineLinks({});
    }
    TRect ButtonScreenRect() const {
        RECT r{};
        ::GetWindowRect(button->Handle(), &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    ad::test::TempDir dir;
    std::unique_ptr<TSkinManager> manager;
    std::unique_ptr<TForm> form;
    TButton* button = nullptr;
    std::unique_ptr<TSkinCommonData> data;
};

TEST(SkGlowEffect, SizedByTheMaskBordersLessTheMarginAndMouseTransparent) {
    TGlowFixture f;
    const TRect r = f.ButtonScreenRect();
    f.data->GlowIndex = CreateGlow(r, "BUTTON", "GLOW", f.data.get(), f.form->Handle(), 255, 3);
    ASSERT_GE(f.data->GlowIndex, 0);
    TSkGlowEffect* glow = GlowAt(f.data->GlowIndex);
    ASSERT_TRUE(glow && glow->GlowForm && glow->GlowForm->HandleAllocated());
    HWND wnd = glow->GlowForm->Handle();
    RECT g{};
    ::GetWindowRect(wnd, &g);
    EXPECT_EQ(g.right - g.left, 114);
    EXPECT_EQ(g.bottom - g.top, 44);
    EXPECT_EQ(g.left - r.Left, -7);
    EXPECT_EQ(g.top - r.Top, -7);
    EXPECT_EQ(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & 0x80020, 0x80020);
    EXPECT_TRUE(::IsWindowVisible(wnd));
    EXPECT_EQ(::SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(g.left + 5, g.top + 5)), LRESULT(HTTRANSPARENT));
    EXPECT_EQ(::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(LiveGlowCount(), 1);
}

TEST(SkGlowEffect, RefusedWithoutMaskOwnerDataOrWithACapturedMouse) {
    TGlowFixture f;
    const TRect r = f.ButtonScreenRect();
    EXPECT_EQ(CreateGlow(r, "BUTTON", "NOGLOW", f.data.get(), f.form->Handle(), 255, 3), -1);
    EXPECT_EQ(CreateGlow(r, "BUTTON", "GLOW", nullptr, f.form->Handle(), 255, 3), -1);
    EXPECT_EQ(CreateGlowFromFrames(r, {}, f.data.get(), f.form->Handle(), 255, 3), -1);
    EXPECT_EQ(CreateGlowFromFrames(r, {-1}, f.data.get(), f.form->Handle(), 255, 3), -1);
    ::SetCapture(f.form->Handle());
    EXPECT_EQ(CreateGlow(r, "BUTTON", "GLOW", f.data.get(), f.form->Handle(), 255, 3), -1);
    ::ReleaseCapture();
    EXPECT_EQ(LiveGlowCount(), 0);
}

TEST(SkGlowEffect, HideRemovesTheGlowAndStaleIndexesDoNothing) {
    TGlowFixture f;
    const TRect r = f.ButtonScreenRect();
    int none = -1, beyond = 50;
    HideGlow(none, false);
    HideGlow(beyond, false);
    EXPECT_EQ(none, -1);
    EXPECT_EQ(beyond, 50);
    int first = CreateGlow(r, "BUTTON", "GLOW", f.data.get(), f.form->Handle(), 255, 3);
    int second = CreateGlow(r, "BUTTON", "GLOW", f.data.get(), f.form->Handle(), 200, 0);
    ASSERT_EQ(second, first + 1);
    HWND firstWnd = GlowAt(first)->GlowForm->Handle();
    const int kept = first;
    HideGlow(first, false);
    EXPECT_EQ(first, -1);
    EXPECT_FALSE(::IsWindow(firstWnd));
    // The other glow keeps its index; the freed slot stays empty.
    EXPECT_NE(GlowAt(second), nullptr);
    EXPECT_EQ(GlowAt(kept), nullptr);
    int again = kept;
    HideGlow(again, false);
    EXPECT_EQ(again, kept);  // an empty slot: nothing happens
    SetGlowAlpha(kept, 100);  // nor here
    f.data->GlowIndex = second;
    ClearAllGlows(false);
    EXPECT_EQ(f.data->GlowIndex, -1);
    EXPECT_EQ(LiveGlowCount(), 0);
}

TEST(SkGlowEffect, FadeOutStepsOnTheOwnersTimerThenRemovesTheGlow) {
    TGlowFixture f;
    f.manager->Effects.AllowAnimation = true;
    f.data->GlowIndex = CreateGlow(f.ButtonScreenRect(), "BUTTON", "GLOW", f.data.get(), f.form->Handle(), 255, 3);
    ASSERT_GE(f.data->GlowIndex, 0);
    HideGlow(f.data->GlowIndex, true);
    ASSERT_GE(f.data->GlowIndex, 0);  // still fading
    ASSERT_TRUE(f.data->FadeTimer);
    for (int i = 0; i < 100 && f.data->GlowIndex >= 0; ++i) f.data->FadeTimer->Tick();
    EXPECT_EQ(f.data->GlowIndex, -1);
    EXPECT_EQ(LiveGlowCount(), 0);
}

TEST(SkGlowEffect, TheCreationHookNeverSkinsAGlowForm) {
    test::TFormSkinFixture skin;
    TSkGlowForm glow(nullptr);
    glow.SetBounds(10, 10, 50, 40);
    glow.ShowNoActivate();
    ::SetActiveWindow(glow.Handle());
    ad::test::PumpPending();
    EXPECT_EQ(TSkinProvider::OfWindow(glow.Handle()), nullptr);
    EXPECT_EQ(::SendMessageW(glow.Handle(), WM_NCHITTEST, 0, MAKELPARAM(20, 20)), LRESULT(HTTRANSPARENT));
}

}  // namespace
}  // namespace ad::skin::forms
