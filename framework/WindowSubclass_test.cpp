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

TEST(WindowSubclass, ALayerLeavesInsideItsOwnHandlerAndTheMessageGoesOnDownTheChain) {
    TProbeForm form(nullptr);
    HWND wnd = form.Handle();
    TWindowSubclass below(wnd, [&form](TMessage& m) {
        if (m.Msg == WM_PROBE) form.seen += "below;";
        return false;
    });
    // Detaching: the layer stays alive but sees nothing more.
    std::unique_ptr<TWindowSubclass> detaching;
    detaching = std::make_unique<TWindowSubclass>(wnd, [&](TMessage& m) {
        if (m.Msg != WM_PROBE) return false;
        form.seen += "detaching;";
        detaching->Detach();
        return false;
    });
    EXPECT_EQ(::SendMessageW(wnd, WM_PROBE, 0, 0), 1);
    EXPECT_EQ(form.seen, "detaching;below;form;");
    EXPECT_EQ(detaching->Handle(), nullptr);

    // Freeing: deleted once its handler is done (its handler's captures go with it).
    auto token = std::make_shared<int>(0);
    TWindowSubclass* freeing = nullptr;
    freeing = new TWindowSubclass(wnd, [&form, &freeing, token](TMessage& m) {
        if (m.Msg != WM_PROBE) return false;
        form.seen += "freeing;";
        freeing->Free();
        return false;
    });
    EXPECT_EQ(token.use_count(), 2);
    form.seen.clear();
    ::SendMessageW(wnd, WM_PROBE, 0, 0);
    EXPECT_EQ(form.seen, "freeing;below;form;");
    EXPECT_EQ(token.use_count(), 1);

    // An adapter that deletes itself (and the subclass it holds) and answers.
    struct TAdapter {
        explicit TAdapter(TProbeForm& f)
            : hook(f.Handle(), [this, &f](TMessage& m) {
                  if (m.Msg != WM_PROBE) return false;
                  f.seen += "adapter;";
                  m.Result = 5;
                  delete this;
                  return true;
              }) {}
        TWindowSubclass hook;
    };
    new TAdapter(form);
    form.seen.clear();
    EXPECT_EQ(::SendMessageW(wnd, WM_PROBE, 0, 0), 5);
    EXPECT_EQ(form.seen, "adapter;");
    form.seen.clear();
    EXPECT_EQ(::SendMessageW(wnd, WM_PROBE, 0, 0), 1);
    EXPECT_EQ(form.seen, "below;form;");
}

TEST(WindowSubclass, ALayerThatFreesItselfWhenItsWindowIsDestroyed) {
    auto form = std::make_unique<TForm>(nullptr);
    auto token = std::make_shared<int>(0);
    TWindowSubclass* layer = nullptr;
    layer = new TWindowSubclass(form->Handle(), [&layer, token](TMessage& m) {
        if (m.Msg == WM_DESTROY) layer->Free();
        return false;
    });
    form.reset();
    EXPECT_EQ(token.use_count(), 1);
}

TEST(WindowSubclass, ALayerOutlivingItsWindowIsHarmless) {
    auto form = std::make_unique<TForm>(nullptr);
    TWindowSubclass hook(form->Handle(), [](TMessage&) { return false; });
    form.reset();  // the window is destroyed while still hooked
    EXPECT_EQ(hook.Handle(), nullptr);
}

}  // namespace
}  // namespace ad
