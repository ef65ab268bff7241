// The engine's links: the window-creation hook hands each call to the link
// installed at that moment, through the exception barrier, and the link is
// told when the hooks come off; glows, container test and broadcast claim
// answer nothing until installed.
#include "skin/engine/win/SkinEngineLinks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/win/SkinManager.h"
#include "testsupport/TempFolder.h"

namespace ad::skin {
namespace {

// Installs links for one test and puts the previous ones back.
class TLinksForTest {
public:
    explicit TLinksForTest(TSkinEngineLinks links) : previous_(SkinEngineLinks()) {
        InstallSkinEngineLinks(std::move(links));
    }
    ~TLinksForTest() { InstallSkinEngineLinks(previous_); }
    TLinksForTest(const TLinksForTest&) = delete;
    TLinksForTest& operator=(const TLinksForTest&) = delete;

private:
    TSkinEngineLinks previous_;
};

int g_caught = 0;

std::string PlainSkin() {
    const std::string ini = "[GLOBALINFO]\r\nVERSION=11\r\nMASTERBITMAP=M.BMP\r\n";
    const std::vector<uint8_t> bytes =
        asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)}, {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)}});
    return std::string(bytes.begin(), bytes.end());
}

TEST(SkinEngineLinks, TheCreationHookCallsTheCurrentLinkThroughTheBarrierAndReportsItsRemoval) {
    test::TempDir dir;
    dir.Write("Plain.asz", PlainSkin());
    TSkinManager manager(nullptr);
    manager.SetSkinDirectory(dir.Folder());
    manager.SetSkinName("Plain");  // the default manager hooks the thread
    ASSERT_TRUE(manager.Skin());
    ASSERT_EQ(DefaultManager(), &manager);

    // Installed after the hook: the hook still reaches it.
    std::vector<HWND> created;
    int removed = 0;
    bool fail = false;
    TSkinEngineLinks links = SkinEngineLinks();
    links.CreationHook = [&](int code, WPARAM wParam, LPARAM) {
        if (code != HCBT_CREATEWND) return;
        created.push_back(reinterpret_cast<HWND>(wParam));
        if (fail) throw std::runtime_error("provider failed");
    };
    links.OnHooksRemoved = [&] { ++removed; };
    TLinksForTest installed(std::move(links));
    auto seen = [&](HWND wnd) { return std::find(created.begin(), created.end(), wnd) != created.end(); };

    TForm first(nullptr);
    EXPECT_TRUE(seen(first.Handle()));

    g_caught = 0;
    const CallbackExceptionSink previous = SetCallbackExceptionSink([](std::exception_ptr) { ++g_caught; });
    fail = true;
    TForm second(nullptr);
    const HWND made = second.Handle();
    SetCallbackExceptionSink(previous);
    fail = false;
    EXPECT_TRUE(made);  // the window is created all the same
    EXPECT_TRUE(seen(made));
    EXPECT_GE(g_caught, 1);

    EXPECT_EQ(removed, 0);
    manager.SetActive(false);
    EXPECT_EQ(removed, 1);
    const size_t before = created.size();
    TForm unhooked(nullptr);
    unhooked.Handle();
    EXPECT_EQ(created.size(), before);
}

TEST(SkinEngineLinks, EmptyLinksMakeNoGlowAndClaimNothing) {
    TLinksForTest installed({});
    TForm form(nullptr);
    EXPECT_EQ(CreateGlow({0, 0, 10, 10}, "BUTTON", "GLOW", nullptr, nullptr, 255, 4), -1);
    int slot = 3;
    HideGlow(slot, false);
    EXPECT_EQ(slot, -1);
    EXPECT_FALSE(IsSkinContainer(&form));
    EXPECT_FALSE(IsBroadcastClaimed(&form));
}

}  // namespace
}  // namespace ad::skin
