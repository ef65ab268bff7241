// The real main window for the tests of the windows it opens: over a base
// folder, in the report view, with a category chosen and its scan finished.
#pragma once

#include <memory>
#include <string>

#include "app/forms/TfrmAppdeck.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad::test {

// The category's file must exist; rows is the number of its available entries,
// which the list shows when this returns (unless the scan took too long).
inline std::unique_ptr<TfrmAppdeck> OpenMainWindowOn(const std::string& baseDir, const std::string& category,
                                                     int rows) {
    WriteFileBytes(baseDir + "Appdeck.ini", "[Settings]\r\nViewStyle=3\r\n");
    std::unique_ptr<TfrmAppdeck> main(CreateForm<TfrmAppdeck>(nullptr, baseDir));
    main->Show();
    PumpPending();
    main->lstCat->SetItemIndex(main->lstCat->Items().IndexOf(category));
    main->lstCatClick(main->lstCat);
    PumpUntil([&] { return main->lv2->ItemCount() == rows && !main->Worker->IsWorking(); });
    return main;
}

}  // namespace ad::test
