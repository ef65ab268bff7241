// Several layers hook one window through the subclass chain and unhook in any order.
#include "framework/WindowSubclass.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Forms.h"

namespace ad {
namespace {

constexpr UINT WM_PROBE = WM_APP + 7;

class TProbeForm : public TForm {
public:
    using TForm::TForm;
    std::string seen;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_PROBE) {
            seen += "form;";
            m.Result = 1;
            return;
        }
        TForm::WndProc(m);
    }
};

TEST(WindowSubclass, LayersSeeMessagesNewestFirstAndUnhookInAnyOrder) {
    TProbeForm form(nullptr);
    HWND wnd = form.Handle();
    auto layer = [&](const char* name, bool consume) {
        return std::make_unique<TWindowSubclass>(wnd, [&form, name, consume](TMessage& m) {
            if (m.Msg != WM_PROBE) return false;
            form.seen += std::string(name) + ";";
            m.Result = 2;
            return consume;
        });
    };
    auto first = layer("first", false);
    auto second = layer("second", false);
    EXPECT_EQ(::SendMessageW(wnd, WM_PROBE, 0, 0), 1);
    EXPECT_EQ(form.seen, "second;first;form;");

    first.reset();  // the older layer goes first; the newer one stays hooked
    form.seen.clear();
    ::SendMessageW(wnd, WM_PROBE, 0, 0);
    EXPECT_EQ(form.seen, "second;form;");

    auto third = layer("third", true);  // consumes: nothing below sees it
    form.seen.clear();
    EXPECT_EQ(::SendMessageW(wnd, WM_PROBE, 0, 0), 2);
    EXPECT_EQ(form.seen, "third;");
}

TEST(WindowSubclass, ALayerOutlivingItsWindowIsHarmless) {
    auto form = std::make_unique<TForm>(nullptr);
    TWindowSubclass hook(form->Handle(), [](TMessage&) { return false; });
    form.reset();  // the window is destroyed while still hooked
    EXPECT_EQ(hook.Handle(), nullptr);
}

}  // namespace
}  // namespace ad
