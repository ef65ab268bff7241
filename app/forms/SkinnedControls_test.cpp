// The launcher's skinned controls when the skin goes: each takes its native
// look where it was, at its size, still showing its value.
#include "app/forms/SkinnedControls.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/forms/FakeLauncherHost_test.h"
#include "app/forms/TfrmADSet.h"
#include "app/forms/TfrmSD.h"
#include "framework/PrintTestKit.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TempFolder.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

RECT BoundsInParent(TWinControl* c) {
    RECT r{};
    ::GetWindowRect(c->Handle(), &r);
    ::MapWindowPoints(nullptr, ::GetParent(c->Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring ClassOf(HWND wnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(wnd, name, 64);
    return name;
}

// The skinned scroll bar is a plain window of a class of its own; without the
// skin it is the system's bar again.
bool PlainWindowClass(HWND wnd) { return ClassOf(wnd).find(L".Skinned") != std::wstring::npos; }

bool HasRegion(HWND wnd) {
    OwnedRegion region(::CreateRectRgn(0, 0, 0, 0));
    return ::GetWindowRgn(wnd, region.Get()) != ERROR;
}

test::TPrintedImage Printed(TWinControl* c) {
    return test::PrintInto(c->Handle(), WM_PRINTCLIENT, PRF_CLIENT | PRF_ERASEBKGND, c->Width(), c->Height());
}

class SkinRemovalTest : public ::testing::Test {
protected:
    void TearDown() override {
        settings.reset();
        manager.reset();
        test::PumpPending();
    }
    test::TempDir base;
    test::FakeLauncherHost host{base.Path()};
    std::unique_ptr<TfrmADSet> settings;
    std::unique_ptr<TfrmSD> manager;
};

TEST_F(SkinRemovalTest, EachControlLooksNativeInItsPlaceWithItsValue) {
    settings.reset(CreateForm<TfrmADSet>(nullptr, host));
    settings->Show();
    manager.reset(CreateForm<TfrmSD>(nullptr, host));
    manager->Show();
    test::PumpPending();
    ASSERT_TRUE(host.skin.Active());
    manager->spdOEC->Click();
    settings->trkHue->SetPosition(120);
    TOutlinePanel* frame = manager->Panel6;  // mode 0: the skin's colour, white without it
    const POINT inFrame{frame->Width() - 4, frame->Height() - 4};

    struct Case {
        const char* name;
        TWinControl* control;
        std::function<std::string()> value;
        std::function<void()> expectSkinned, expectNative;
    };
    TSkinBitBtn* save = settings->Button1;
    TSkinBitBtn* toggle = manager->spdOEC;
    TSkinScrollBar* hue = settings->trkHue;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const Case cases[] = {
        {"a command button", save, [&] { return save->Caption(); },
         [&] { EXPECT_NE(Printed(save).At(save->Width() / 2, 3), face); },
         [&] {
             EXPECT_EQ(Printed(save).At(save->Width() / 2, 3), face);
             EXPECT_FALSE(HasRegion(save->Handle()));
         }},
        {"the toggle, latched down", toggle, [&] { return std::to_string(toggle->Down()); },
         [&] { EXPECT_TRUE(toggle->Down()); },
         [&] {
             const auto down = Printed(toggle);
             toggle->SetDown(false);
             const auto up = Printed(toggle);
             toggle->SetDown(true);
             EXPECT_FALSE(down.Pixels == up.Pixels) << "the native look shows the latch";
             EXPECT_FALSE(HasRegion(toggle->Handle()));
         }},
        {"a slider", hue, [&] { return std::to_string(hue->Position()); },
         [&] { EXPECT_TRUE(PlainWindowClass(hue->Handle())); },
         [&] {
             EXPECT_FALSE(PlainWindowClass(hue->Handle()));
             EXPECT_EQ(::GetScrollPos(hue->Handle(), SB_CTL), 120);
             int low = -1, high = -1;
             ::GetScrollRange(hue->Handle(), SB_CTL, &low, &high);
             EXPECT_EQ(low, 0);
             EXPECT_EQ(high, 360);
         }},
        {"a panel", frame, [&] { return std::to_string(frame->Color()); },
         [&] { EXPECT_NE(Printed(frame).At(inFrame.x, inFrame.y), ColorToRGB(clWhite)); },
         [&] { EXPECT_EQ(Printed(frame).At(inFrame.x, inFrame.y), ColorToRGB(clWhite)); }},
    };

    struct Before {
        RECT bounds;
        std::string value;
    };
    std::vector<Before> before;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.expectSkinned();
        before.push_back({BoundsInParent(c.control), c.value()});
    }
    host.skin.SetActive(false);
    test::PumpPending();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const RECT now = BoundsInParent(c.control);
        EXPECT_TRUE(::EqualRect(&now, &before[i].bounds));
        EXPECT_EQ(c.value(), before[i].value);
        c.expectNative();
    }
}

}  // namespace
}  // namespace ad
