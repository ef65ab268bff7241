// The Update Checker's controls and its one check: connection, download of
// the reply, its version against the running one, the result label.
#include "app/forms/TfrmUCheck.h"

#include <windows.h>

#include "app/lists/InfoListRules.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {

constexpr const char* kFailed = "Update Check failed!";
constexpr const char* kFailedMessage =
    "Update Check failed!\r\rPlease check your Internet Connection or Choose another Server!";
constexpr const char* kNotConnected = "You're not Connected to Internet!";

void ShowError(const std::string& text) { Application->MessageBox(text, "Error", MB_OK | MB_ICONERROR); }

}  // namespace

TfrmUCheck::TfrmUCheck(TComponent* AOwner, const TUpdateServers& servers) : TForm(AOwner) {
    Name = "frmUCheck";
    SetCaption("Update Checker");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(420, 214);

    // Title panels in the opener's colour, or with a skin in the skin's; their
    // labels take the text colour of what they lie on.
    auto titlePanel = [this](const char* name, const char* labelName, int x, const char* caption,
                             TSkinLabel*& title) {
        TSkinPanel* p = Make<TSkinPanel>(this, name, x, 8, 198, 24);
        p->SetBevelOuter(TBevelCut::bvNone);
        p->ShowCaption = false;
        title = Make<TSkinLabel>(p, labelName, 0, 4, 198, 16);
        title->SetAutoSize(false);
        title->SetCaption(caption);
        title->SetAlignment(TAlignment::taCenter);
        title->Font().SetStyle(fsBold);
        title->Font().SetColor(clWhite);
        return p;
    };
    pnlCurrent = titlePanel("pnlCurrent", "lblCurrentTitle", 8, "CURRENT VERSION", lblCurrentTitle);
    pnlLatest = titlePanel("pnlLatest", "lblLatestTitle", 214, "LATEST VERSION", lblLatestTitle);
    SetTitleColor(0x7A4A1E);
    lblCurrent = Make<TLabel>(this, "lblCurrent", 8, 36, 198, 22);
    lblLatest = Make<TLabel>(this, "lblLatest", 214, 36, 198, 22);
    for (TLabel* l : {lblCurrent, lblLatest}) {
        l->SetAutoSize(false);
        l->SetCaption("-");
        l->SetAlignment(TAlignment::taCenter);
        l->Font().SetSize(12);
        l->Font().SetStyle(fsBold);
    }

    lblURL = Make<TLabel>(this, "lblURL", 8, 70, 0, 0, "Update URL :");
    txtURL = Make<TEdit>(this, "txtURL", 82, 66, 330, 22);
    grpServer = Make<TGroupBox>(this, "grpServer", 8, 94, 198, 50, " Server ");
    TSpeedButton** buttons[] = {&srv1, &srv2, &srv4};
    const char* names[] = {"srv1", "srv2", "srv4"};
    for (int i = 0; i < 3; ++i) {
        TSpeedButton* b = Make<TSpeedButton>(grpServer, names[i], 12 + i * 60, 18, 52, 24, std::to_string(i + 1));
        b->GroupIndex = 1;
        b->HelpKeyword = servers[static_cast<size_t>(i)];
        b->Hint = "Server " + std::to_string(i + 1) + " : " + b->HelpKeyword;
        b->OnClick = [this](TObject* s) { ServerClick(s); };
        *buttons[i] = b;
    }
    for (TSpeedButton* dead : {srv1, srv4}) {
        dead->Hint += " (DEAD)";
        dead->SetEnabled(false);
    }
    srv2->SetDown(true);
    txtURL->SetText(srv2->HelpKeyword + UpdateScript);
    BitBtn1 = Make<TSkinBitBtn>(this, "BitBtn1", 214, 100, 198, 44, "Check for Update");
    lblRes = Make<TLabel>(this, "lblRes", 8, 156, 404, 20);
    lblRes->SetAutoSize(false);
    lblRes->SetAlignment(TAlignment::taCenter);
    lblRes->Font().SetStyle(fsBold);
    lblRes->SetVisible(false);

    trdCheck = new TBackgroundWorker(this);
    trdCheck->Name = "trdCheck";
    trdCheck->OnWork = [this](TBackgroundWorker* w) {
        // A failed download (or one that raised) counts as no reply.
        try {
            downloaded_ = DownloadUpdateReply(checkUrl_, checkFile_, [w] { return w->CancellationPending(); });
        } catch (const std::exception&) {
            downloaded_ = false;
        }
        if (w->CancellationPending()) w->AcceptCancellation();
    };
    trdCheck->OnWorkComplete = [this](TBackgroundWorker*, bool cancelled) { trdCheckWorkComplete(cancelled); };
    OnClose = [this](TObject*, TCloseAction&) { CancelCheck(); };

    IsConnected = [] { return InternetConnected(); };
    BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
    lblRes->OnClick = [this](TObject* s) { lblResClick(s); };
    txtURL->OnKeyPress = [this](TObject*, wchar_t& key) {
        if (key != 13) return;
        key = 0;
        BitBtn1Click(BitBtn1);
    };
    OnKeyPress = [this](TObject*, wchar_t& key) {
        if (key != 27) return;
        key = 0;
        Close();
    };
}

TfrmUCheck::~TfrmUCheck() {
    BeginDestroy();  // a download that ends now shows nothing
    CancelCheck();
}

void TfrmUCheck::CancelCheck() {
    trdCheck->CancelAndWait();
}

void TfrmUCheck::SetTitleColor(TColor color) {
    pnlCurrent->SetColor(color);
    pnlLatest->SetColor(color);
}

void TfrmUCheck::ServerClick(TObject* Sender) {
    if (auto* b = dynamic_cast<TComponent*>(Sender)) txtURL->SetText(b->HelpKeyword + UpdateScript);
}

void TfrmUCheck::ShowResult(const std::string& text, TColor color, const std::string& link) {
    lblRes->SetCaption(text);
    lblRes->Font().SetColor(color);
    lblRes->HelpKeyword = link;
    lblRes->SetVisible(true);
    if (!linkCursor_) {
        linkCursor_ = std::make_unique<TWindowSubclass>(lblRes->Handle(), [this](TMessage& m) {
            if (m.Msg != WM_SETCURSOR || lblRes->HelpKeyword.empty()) return false;
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            m.Result = TRUE;
            return true;
        });
    }
}

void TfrmUCheck::ShowFailure() {
    lblLatest->SetCaption("-");
    ShowResult(kFailed, clRed, "");
}

// The download runs on trdCheck; a click while it runs adds nothing.
void TfrmUCheck::BitBtn1Click(TObject*) {
    if (trdCheck->IsWorking()) return;
    if (IsConnected && !IsConnected()) {
        ShowFailure();
        ShowError(kNotConnected);
        return;
    }
    checkUrl_ = txtURL->Text();
    checkFile_ = UpdateTempFolder() + UpdateReplyFile;
    downloaded_ = false;
    trdCheck->Start();
}

void TfrmUCheck::trdCheckWorkComplete(bool Cancelled) {
    if (Cancelled) return;  // the window is closing
    // A reply that did not arrive (or an old one that could not be removed) is
    // never read: one failure, one message.
    TUpdateReply reply;
    if (downloaded_) reply = ReadUpdateReply(checkFile_, std::to_string(Tag));
    lblLatest->SetCaption(reply.Version);
    if (reply.Version == "-") {
        ShowFailure();
        ShowError(kFailedMessage);
        return;
    }
    if (IsNewerVersion(lblCurrent->Caption(), reply.Version))
        ShowResult("NEW Updates Available, Click here to Download!", clGreen, reply.DLink);
    else
        ShowResult("NO Updates Available", clBlue, "");
}

void TfrmUCheck::lblResClick(TObject*) {
    // The link comes from an unauthenticated reply: only web addresses reach the shell.
    if (IsWebAddress(lblRes->HelpKeyword)) OpenURL(lblRes->HelpKeyword);
}

}  // namespace ad
