// For the tests of windows the main window opens modally: the main window
// with one category of one program shown in the report view with its row
// selected, and a timer that acts on the modal window while its loop runs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/forms/TfrmAppdeck.h"
#include "framework/SysUtils.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad::test {

// Calls act every 20 ms on the GUI thread (also inside modal loops) until it
// returns true or the object goes.
class WhileModal {
public:
    explicit WhileModal(std::function<bool()> act) {
        Act() = std::move(act);
        id_ = ::SetTimer(nullptr, 0, 20, &Tick);
    }
    ~WhileModal() {
        ::KillTimer(nullptr, id_);
        Act() = nullptr;
    }
    WhileModal(const WhileModal&) = delete;
    WhileModal& operator=(const WhileModal&) = delete;

    // The active window as one of our forms of type T, or null.
    template <class T>
    static T* ActiveForm() {
        return dynamic_cast<T*>(TWinControl::FromHandle(::GetActiveWindow()));
    }

private:
    static std::function<bool()>& Act() {
        static std::function<bool()> act;
        return act;
    }
    // The action is taken out while it runs: a tick that arrives while it
    // pumps messages finds nothing to do instead of running it a second time.
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        std::function<bool()> act = std::move(Act());
        Act() = nullptr;
        if (act && !act()) Act() = std::move(act);
    }
    UINT_PTR id_ = 0;
};

// The main window over a fresh folder with the category "Tools" holding one
// program entry, shown in the report view with that row selected.
class OneProgramMainWindow {
public:
    // entry: the section's lines after "[name]"; its location must exist (the
    // view lists available programs only).
    TfrmAppdeck& Open(const std::string& name, const std::string& entry) {
        ForceDirectories(base.File("ADCat"));
        WriteFileBytes(base.File("ADCat\\Tools.dat"), "[" + name + "]\r\n" + entry);
        WriteFileBytes(base.File("Appdeck.ini"), "[Settings]\r\nViewStyle=3\r\n");
        form.reset(CreateForm<TfrmAppdeck>(nullptr, base.Path()));
        form->Show();
        PumpPending();
        form->lstCat->SetItemIndex(form->lstCat->Items().IndexOf("Tools"));
        form->lstCatClick(form->lstCat);
        EXPECT_TRUE(PumpUntil([&] { return form->lv2->ItemCount() == 1 && !form->Worker->IsWorking(); }));
        return *form;
    }
    ~OneProgramMainWindow() {
        form.reset();
        PumpPending();
    }

    TempDir base;
    std::unique_ptr<TfrmAppdeck> form;
};

}  // namespace ad::test
