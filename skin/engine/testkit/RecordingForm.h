// A form for tests that records the skin commands and redraw switches it
// gets, and may run something when a command arrives.
#pragma once

#include <functional>
#include <vector>

#include "framework/Forms.h"
#include "skin/engine/skinfile/SkinMessages.h"

namespace ad::skin::formtest {

class TRecordingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<int> Commands;
    std::vector<WPARAM> Redraws;
    std::function<void()> OnCommand;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == SKM_SKINCMD) {
            Commands.push_back(SkinCommandOf(m.WParam));
            if (OnCommand) OnCommand();
        }
        if (m.Msg == WM_SETREDRAW) Redraws.push_back(m.WParam);
        TForm::WndProc(m);
    }
};

}  // namespace ad::skin::formtest
