// The About dialog: its link labels open the address they show; Esc closes it.
#include "app/forms/TfrmADAbout.h"

#include <gtest/gtest.h>

#include <memory>

#include "testsupport/GuiTest.h"

namespace ad {
namespace {

TEST(AboutDialogTest, LinkLabelsOpenTheirCaptionAndEscCloses) {
    auto saved = Application->OnOpenURL;
    std::vector<std::string> opened;
    Application->OnOpenURL = [&](const std::string& url) { opened.push_back(url); };
    std::unique_ptr<TfrmADAbout> d(CreateForm<TfrmADAbout>(nullptr));
    d->Show();
    test::PumpPending();
    EXPECT_EQ(d->Caption(), "About");
    EXPECT_EQ(d->lblName->Caption(), "Appdeck");
    EXPECT_EQ(d->lblUpdated->Caption(), "Last Updated : August 2016");
    EXPECT_EQ(d->lblCaptions[0]->Caption(), "Homepage        :");
    test::SaveScreenshot(d->Handle(), "TfrmADAbout.bmp");
    for (TLabel* link : d->lblLinks) {
        // A real click on the label, as the user makes it.
        test::SendClick(link->Handle(), 2, 2);
        ASSERT_FALSE(opened.empty()) << link->Name;
        EXPECT_EQ(opened.back(), link->Caption());
        EXPECT_EQ(link->Caption().rfind("https://", 0), 0u);
    }
    EXPECT_EQ(opened.size(), d->lblLinks.size());
    test::PostKey(d->btnClose->Handle(), VK_ESCAPE);
    test::PumpPending();
    EXPECT_FALSE(d->Visible());
    Application->OnOpenURL = saved;
}

}  // namespace
}  // namespace ad
