// The File Hash dialog: its description, the check buttons, and the run on the
// worker (the checks are copied when it starts, the lines come back to the memo
// on the GUI thread).
#include "app/forms/TfrmGHash.h"

namespace ad {

TfrmGHash::TfrmGHash(TComponent* AOwner, const std::string& fileName) : TForm(AOwner) {
    Name = "frmGHash";
    HelpKeyword = fileName;
    SetCaption("File Hash");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(600, 420);

    GroupBox1 = Make<TGroupBox>(this, "GroupBox1", 8, 6, 584, 136, " Hash Algorithm ");
    chkHash = Make<TCheckListBox>(GroupBox1, "chkHash", 12, 20, 440, 4 * 18 + 4);  // four rows and the border
    chkHash->Columns = 3;
    chkHash->ItemHeight = 18;
    for (const char* item : kHashItems) chkHash->Items().Add(item);
    BitBtn1 = Make<TSkinBitBtn>(GroupBox1, "BitBtn1", 462, 20, 110, 76, "Generate Hash");
    Button1 = Make<TSkinBitBtn>(GroupBox1, "Button1", 12, 104, 96, 24, "Check All");
    Button2 = Make<TSkinBitBtn>(GroupBox1, "Button2", 114, 104, 96, 24, "Uncheck All");
    Button3 = Make<TSkinBitBtn>(GroupBox1, "Button3", 216, 104, 96, 24, "Invert Check");

    GroupBox2 = Make<TGroupBox>(this, "GroupBox2", 8, 148, 584, 264, " Generated Hash ");
    mHash = new TMemo(this);
    mHash->Name = "mHash";
    mHash->WordWrap = false;
    mHash->HorizontalScrollBar = true;
    mHash->VerticalScrollBar = true;
    mHash->SetReadOnly(true);
    mHash->Font().SetName("Courier New");  // fixed width: the padded labels line up the digests
    mHash->Font().SetPitch(TFontPitch::fpFixed);
    mHash->Font().SetSize(9);
    mHash->SetParent(GroupBox2);
    mHash->SetBounds(12, 20, 560, 232);

    trdHash = new TBackgroundWorker(this);
    trdHash->Name = "trdHash";
    trdHash->OnWork = [this](TBackgroundWorker* w) { trdHashWork(w); };
    trdHash->OnWorkComplete = [this](TBackgroundWorker* w, bool c) { trdHashWorkComplete(w, c); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnKeyPress = [this](TObject* s, wchar_t& k) { FormKeyPress(s, k); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    Button3->OnClick = [this](TObject* s) { Button3Click(s); };
    BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
}

TfrmGHash::~TfrmGHash() { StopWork(); }

void TfrmGHash::FormCreate(TObject*) {
    for (const char* item : {"CRC32", "MD5", "SHA-256", "SHA-512"}) chkHash->SetChecked(chkHash->Items().IndexOf(item), true);
}

void TfrmGHash::FormKeyPress(TObject*, wchar_t& Key) {
    if (Key != 27) return;
    Key = 0;
    Close();
}

void TfrmGHash::FormClose(TObject*, TCloseAction&) { StopWork(); }

void TfrmGHash::StopWork() {
    trdHash->CancelAndWait();
}

void TfrmGHash::Button1Click(TObject*) {
    for (int i = 0; i < chkHash->Count(); ++i) chkHash->SetChecked(i, true);
}

void TfrmGHash::Button2Click(TObject*) {
    for (int i = 0; i < chkHash->Count(); ++i) chkHash->SetChecked(i, false);
}

void TfrmGHash::Button3Click(TObject*) {
    for (int i = 0; i < chkHash->Count(); ++i) chkHash->SetChecked(i, !chkHash->Checked(i));
}

void TfrmGHash::SetControlsEnabled(bool enabled) {
    for (TWinControl* c : std::initializer_list<TWinControl*>{chkHash, Button1, Button2, Button3, BitBtn1})
        c->SetEnabled(enabled);
}

void TfrmGHash::BitBtn1Click(TObject*) {
    if (trdHash->IsWorking()) return;
    for (int i = 0; i < kHashItemCount; ++i) checked_[static_cast<size_t>(i)] = chkHash->Checked(i);
    mHash->Lines().Clear();
    mHash->Lines().Add(HashFileLine(HelpKeyword));
    mHash->Lines().Add("");
    trdHash->Start();
    SetControlsEnabled(false);
}

void TfrmGHash::trdHashWork(TBackgroundWorker* Worker) {
    auto stop = [Worker] { return Worker->StopRequested(); };
    std::vector<std::string> lines;
    auto show = [&] {
        Worker->Synchronize([&] {
            for (const std::string& line : lines) mHash->Lines().Add(line);
        });
    };
    try {
        AppendHashLines(HelpKeyword, checked_, stop, lines);
    } catch (...) {
        show();  // the lines written before the error stay
        throw;
    }
    show();
}

void TfrmGHash::trdHashWorkComplete(TBackgroundWorker*, bool) { SetControlsEnabled(true); }

}  // namespace ad
