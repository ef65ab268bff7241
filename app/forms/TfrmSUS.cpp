// The Support Us window's pages, its donation links and its contributor list.
#include "app/forms/TfrmSUS.h"

#include "app/SWSystem.h"
#include "app/forms/InfoGrid.h"
#include "app/forms/TfrmAppdeckText.h"
#include "app/lists/InfoListRules.h"
#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/Clipbrd.h"
#include "framework/Dialogs.h"

namespace ad {

using namespace ad::grid;

namespace {

// The contributors: name, website, three profiles, contribution ("|" breaks a line).
const wchar_t kContributors[] =
    L"Anna Kowalska\thttps://anna.example.org/\thttps://facebook.example.com/anna\t-\t-\t"
    L"Polish translation|and testing of the portable mode\r\n"
    L"Jos\u00e9 Mart\u00ednez\thttps://jose.example.org/\t-\thttps://twitter.example.com/jose\t-\t"
    L"Spanish translation\r\n"
    L"Li Wei \u674e\u4f1f\t-\t-\t-\thttps://plus.example.com/liwei\tThe category icons\r\n"
    L"Tom & Jerry Studio\thttps://tj.example.org/\thttps://facebook.example.com/tj\t"
    L"https://twitter.example.com/tj\thttps://plus.example.com/tj\tThe default skin\r\n";

const char* const kWays[] = {
    "1.  Tell your friends about Appdeck.",
    "2.  Like our page and follow us.",
    "3.  Write a review of Appdeck.",
    "4.  Report bugs and suggest features.",
    "5.  Translate Appdeck into your language.",
    "6.  Link to our website from yours.",
    "7.  Donate with the forms below.",
    "8.  Try our other software.",
};
const char* const kWayLinkCaptions[] = {"Share", "Follow", "Review", "Report"};
const char* const kWayLinks[] = {"https://appdeck.example.org/share", "https://fans.appdeck.example.org/",
                                 "https://appdeck.example.org/review", "https://forum.appdeck.example.org/"};
const int kFixedAmounts[] = {1, 5, 10, 20, 30, 50, 100};
const char kDonatePrefix1[] = "https://pay.example.org/donate?to=appdeck&amount=";
const char kDonateSuffix1[] = "&currency=USD";
const char kDonatePrefix2[] = "https://card.example.org/checkout?merchant=appdeck&sum=";
const char kDonateSuffix2[] = "&cur=USD";
const char* const kWallets[] = {"1AppdeckExampleWa11etAddre55xyz", "appdeck@pay.example.org"};
const char kMobileNumber[] = "+1 555 0100 39";

}  // namespace

TfrmSUS::TfrmSUS(TComponent* AOwner) : TForm(AOwner) {
    Name = "frmSUS";
    SetCaption("Support Us!");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(620, 436);

    PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1", 8, 8, 604, 420);
    auto sheet = [this](TPageControl* pc, const char* name, const char* caption) {
        auto* t = new TTabSheet(this);
        t->Name = name;
        t->SetCaption(caption);
        t->SetPageControl(pc);
        return t;
    };
    tabHow = sheet(PageControl1, "tabHow", "How to Support Us?");
    tabContributor = sheet(PageControl1, "tabContributor", "Contributor List");

    for (size_t i = 0; i < lblWays.size(); ++i)
        lblWays[i] = MakeControl<TLabel>(this, tabHow, "lblWay" + std::to_string(i + 1), 12, 10 + int(i) * 20, 0, 0,
                                         kWays[i]);
    for (size_t i = 0; i < btnWayLinks.size(); ++i) {
        btnWayLinks[i] = MakeControl<TSkinBitBtn>(this, tabHow, std::string("btnWay") + std::to_string(i + 1),
                                              330, 8 + int(i) * 20, 70, 19, kWayLinkCaptions[i]);
        btnWayLinks[i]->HelpKeyword = kWayLinks[i];
        btnWayLinks[i]->OnClick = [this](TObject* s) { OpenHelpKeyword(s); };
    }

    pcDonate = MakeControl<TPageControl>(this, tabHow, "pcDonate", 8, 176, 580, 206);
    tabOnline = sheet(pcDonate, "tabOnline", "Online Payment");
    tabCard = sheet(pcDonate, "tabCard", "Card");
    tabWallet = sheet(pcDonate, "tabWallet", "Wallets");
    tabMobile = sheet(pcDonate, "tabMobile", "Mobile");

    auto amountField = [this](TWinControl* parent, const char* name, int y) {
        MakeControl<TLabel>(this, parent, std::string(name) + "Caption", 12, y + 3, 0, 0, "Amount (USD) :");
        auto* e = MakeControl<TIntEdit>(this, parent, name, 100, y, 60, 22);
        e->SetValue(5);
        e->Hint = "You can change the amount";
        return e;
    };
    auto donateImage = [this](TWinControl* parent, const char* name, int x, int y) {
        auto* img = MakeControl<TImage>(this, parent, name, x, y, 92, 26);
        img->Picture().SetBitmap(infowin::BadgeBitmap("Donate", 0x2E7D32, 92, 26));
        return img;
    };
    txtAmount1 = amountField(tabOnline, "txtAmount1", 12);
    imgDonate1 = donateImage(tabOnline, "imgDonate1", 172, 10);
    imgDonate1->OnClick = [this](TObject*) { DonateClick(txtAmount1, kDonatePrefix1, kDonateSuffix1); };
    MakeControl<TLabel>(this, tabOnline, "lblFixed", 12, 52, 0, 0, "Or pick an amount :");
    for (size_t i = 0; i < btnFixed.size(); ++i) {
        const std::string amount = std::to_string(kFixedAmounts[i]);
        btnFixed[i] = MakeControl<TSkinBitBtn>(this, tabOnline, "btnFixed" + amount, 12 + int(i) * 58, 72, 52, 26,
                                           "$" + amount);
        btnFixed[i]->HelpKeyword = kDonatePrefix1 + amount + kDonateSuffix1;
        btnFixed[i]->OnClick = [this](TObject* s) { OpenHelpKeyword(s); };
    }
    btnInfo = MakeControl<TSkinBitBtn>(this, tabOnline, "btnInfo", 12, 112, 160, 26, "Where does my donation go?");
    btnInfo->OnClick = [this](TObject* s) { btnInfoClick(s); };

    txtAmount2 = amountField(tabCard, "txtAmount2", 12);
    imgDonate2 = donateImage(tabCard, "imgDonate2", 172, 10);
    imgDonate2->OnClick = [this](TObject*) { DonateClick(txtAmount2, kDonatePrefix2, kDonateSuffix2); };

    for (size_t i = 0; i < txtWallet.size(); ++i) {
        const int y = 12 + int(i) * 32;
        txtWallet[i] = MakeControl<TSkinEdit>(this, tabWallet, "txtWallet" + std::to_string(i + 1), 12, y, 380, 22);
        txtWallet[i]->SetText(kWallets[i]);
        txtWallet[i]->SetReadOnly(true);
        btnCopy[i] = MakeControl<TSkinBitBtn>(this, tabWallet, "btnCopy" + std::to_string(i + 1), 400, y, 70, 22, "Copy");
        TSkinEdit* source = txtWallet[i];
        btnCopy[i]->OnClick = [this, source](TObject*) { CopyClick(source); };
    }

    MakeControl<TLabel>(this, tabMobile, "lblMobile", 12, 14, 0, 0, "Send a mobile payment :");
    imgMobile = donateImage(tabMobile, "imgMobile", 160, 10);
    imgMobile->OnClick = [this](TObject* s) { imgMobileClick(s); };

    grdContributor = infowin::MakeInfoGrid(this, tabContributor, "grdContributor", 6, 6, 584, 230);
    TReportGrid& g = grdContributor->Grid;
    g.SetOptions(g.Options() | goMultiSelect);
    infowin::AddTextColumn(g, u"Name", 150);
    infowin::AddTextColumn(g, u"Website", 150);
    infowin::AddTextColumn(g, u"Facebook", 90);
    infowin::AddTextColumn(g, u"Twitter", 90);
    infowin::AddTextColumn(g, u"Google+", 90);
    infowin::AddTextColumn(g, u"Contribution", 100, stAlphabetic, false);
    g.OnSelectCell = [this](TRgCustomGridControl*, int c, int row) { grdContributorSelectCell(c, row); };

    GroupBox1 = MakeControl<TGroupBox>(this, tabContributor, "GroupBox1", 6, 240, 584, 146, "Contributor");
    lblCNameCaption = MakeControl<TLabel>(this, GroupBox1, "lblCNameCaption", 12, 22, 0, 0, "Contributor Name :");
    lblCName = MakeControl<TLabel>(this, GroupBox1, "lblCName", 120, 22, 0, 0, "-");
    lblCName->Font().SetStyle(fsBold);
    const char* linkNames[] = {"cHome", "cFB", "cTwitter", "cGPlus"};
    const char* linkCaptions[] = {"Website", "Facebook", "Twitter", "Google+"};
    TSkinBitBtn** links[] = {&cHome, &cFB, &cTwitter, &cGPlus};
    for (int i = 0; i < 4; ++i) {
        *links[i] = MakeControl<TSkinBitBtn>(this, GroupBox1, linkNames[i], 12 + i * 84, 48, 78, 24, linkCaptions[i]);
        (*links[i])->HelpKeyword = "-";
        (*links[i])->SetEnabled(false);
        (*links[i])->OnClick = [this](TObject* s) { OpenHelpKeyword(s); };
    }
    lblContribution = MakeControl<TLabel>(this, GroupBox1, "lblContribution", 12, 84, 0, 0, "Contribution : ");
    mContribution = MakeControl<uni::TUniMemo>(this, GroupBox1, "mContribution", 100, 80, 470, 56);
    mContribution->SetReadOnly(true);

    mContributor = MakeControl<uni::TUniMemo>(this, this, "mContributor", 0, 0, 10, 10);
    mContributor->SetVisible(false);
    mContributor->WordWrap = false;  // its lines are the list's rows
    mContributor->SetText(std::wstring_view(kContributors));


    OnActivate = [this](TObject* s) { FormActivate(s); };
}

std::string TfrmSUS::ListFileName() { return GetTempDir() + "Contributor.txt"; }

void TfrmSUS::FormActivate(TObject*) {
    TReportGrid& g = grdContributor->Grid;
    if (g.RowCount() > 0) return;
    const std::string fileName = ListFileName();
    try {
        mContributor->Lines().SaveToFile(Widen(fileName));
    } catch (const Exception&) {
        return;  // no temporary folder to write to: the list stays empty
    }
    infowin::LoadListFile(g, fileName);
}

void TfrmSUS::grdContributorSelectCell(int, int ARow) {
    TReportGrid& g = grdContributor->Grid;
    lblCName->SetCaption("");
    mContribution->SetText(std::wstring_view());
    TSkinBitBtn* links[] = {cHome, cFB, cTwitter, cGPlus};
    for (TSkinBitBtn* b : links) b->HelpKeyword = "-";
    if (g.SelectedCount() > 0 && ARow >= 0 && ARow < g.RowCount()) {
        infowin::SetWideCaption(lblCName, mainwindow::DoubleAmpersands(infowin::CellWideText(g, colName, ARow)));
        const int cols[] = {colWebsite, colFacebook, colTwitter, colGPlus};
        for (int i = 0; i < 4; ++i) links[i]->HelpKeyword = infowin::CellText(g, cols[i], ARow);
        mContribution->SetText(ToWString(g.GetCellText(colContribution, ARow)));
    }
    for (TSkinBitBtn* b : links) b->SetEnabled(HasLink(b->HelpKeyword));
}

void TfrmSUS::OpenHelpKeyword(TObject* Sender) {
    if (auto* c = dynamic_cast<TComponent*>(Sender)) infowin::OpenWebAddress(c->HelpKeyword);
}

void TfrmSUS::DonateClick(TIntEdit* amount, const std::string& prefix, const std::string& suffix) {
    const int64_t value = DonationAmount(amount->Value());
    if (amount->Value() != value) amount->SetValue(value);
    infowin::OpenWebAddress(prefix + IntToStr(value) + suffix);
}

void TfrmSUS::CopyClick(TEdit* source) { SetClipboardText(source->Text()); }

void TfrmSUS::btnInfoClick(TObject*) {
    Application->MessageBox(
        "Your donation pays for the web site, the update server and the time we spend on new versions of "
        "Appdeck and our other free software. Thank you!",
        "Support Us", MB_OK | MB_ICONINFORMATION);
}

void TfrmSUS::imgMobileClick(TObject*) {
    std::string value = kMobileNumber;
    InputQuery("Support Us", std::string("Send your payment to this number (copy it) : ") + kMobileNumber, value);
}

}  // namespace ad
