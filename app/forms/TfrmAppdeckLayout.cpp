// The main window's controls: where each one sits, its caption and hint, and
// which handler it calls.
#include "app/forms/TfrmAppdeck.h"

#include <iterator>

#include "app/Launch.h"
#include "app/forms/TfrmAppdeckText.h"
#include "framework/ShellIcon.h"

namespace ad {

namespace {

// The scan hands its rows to the GUI thread in batches of at most this many,
// or of what it found in this time, so the first rows show early.
constexpr size_t kScanBatch = 64;
constexpr ULONGLONG kScanBatchMs = 30;

// Short captions for the quick-link buttons; their hints carry the full names.
const char* const kQuickLinkCaptions[] = {"Control Panel", "Computer Mgmt", "Mobility Center",
                                          "Folder Options", "Network", "System"};

}  // namespace

template <class T>
T* TfrmAppdeck::Make(TWinControl* parent, const char* name, int x, int y, int w, int h, const std::string& caption) {
    return MakeControl<T>(this, parent, name, x, y, w, h, caption);
}

void TfrmAppdeck::BuildHeader() {
    // The header: its own colour without a skin, the skin's panel with one
    // (FormCreate turns the custom colour off), and its labels in the text
    // colour of what they lie on.
    back = Make<TSkinPanel>(this, "back", 0, 0, 850, 36);
    back->SetBevelOuter(TBevelCut::bvNone);
    back->SetColor(0x7A4A1E);
    back->SkinData.SetCustomColor(true);
    back->ShowCaption = false;
    Label8 = Make<TSkinLabel>(back, "Label8", 12, 6, 0, 0, "Appdeck");
    Label8->Font().SetSize(14);
    Label8->Font().SetStyle(fsBold);
    Label8->Font().SetColor(clWhite);
    Label4 = Make<TSkinLabel>(back, "Label4", 120, 16, 0, 0, "2016.8");
    Label4->Font().SetColor(clWhite);
    Label4->OnDblClick = [this](TObject* s) { Label4DblClick(s); };
    // Lines in the header's colour: under the header, between the category
    // column and the views, above the category commands and above the quick links.
    struct Line {
        TSkinPanel** field;
        const char* name;
        int x, y, w, h;
    } lines[] = {{&Shape2, "Shape2", 0, 37, 850, 2},
                 {&Shape3, "Shape3", 211, 40, 2, 512},
                 {&Shape4, "Shape4", 8, 448, 200, 2},
                 {&Shape5, "Shape5", 216, 525, 626, 2}};
    for (const Line& l : lines) {
        TSkinPanel* p = Make<TSkinPanel>(this, l.name, l.x, l.y, l.w, l.h);
        p->SetBevelOuter(TBevelCut::bvNone);
        p->ShowCaption = false;
        p->SetColor(back->Color());
        p->SkinData.SetCustomColor(true);
        *l.field = p;
    }

    int x = 376;
    auto headerButton = [&](const char* name, const char* caption, int width) {
        TSkinBitBtn* b = Make<TSkinBitBtn>(back, name, x, 6, width, 24, caption);
        x += width + 4;
        return b;
    };
    btnHome = headerButton("btnHome", "Home", 64);
    btnHome->HelpKeyword = mainwindow::kWebAddresses[0];
    btnHome->OnClick = [this](TObject* s) { OpenHelpKeyword(s); };
    SpeedButton1 = Make<TSpeedButton>(back, "SpeedButton1", x, 6, 84, 24, "Support  Us! ");
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    x += 88;
    btnMore = headerButton("btnMore", "More ....", 64);
    btnMore->OnClick = [this](TObject* s) { btnMoreClick(s); };
    btnUpdate = headerButton("btnUpdate", "Update", 64);
    btnUpdate->OnClick = [this](TObject* s) { btnUpdateClick(s); };
    btnSettings = headerButton("btnSettings", "&Settings", 70);
    btnSettings->OnClick = [this](TObject* s) { btnSettingsClick(s); };
    btnAbout = headerButton("btnAbout", "About", 56);
    btnAbout->OnClick = [this](TObject* s) { btnAboutClick(s); };
}

void TfrmAppdeck::BuildCategoryColumn() {
    BitBtn1 = Make<TSkinBitBtn>(this, "BitBtn1", 8, 44, 200, 24, "Import Programs");
    BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
    btnAdd = Make<TSkinBitBtn>(this, "btnAdd", 8, 70, 48, 20, "Add");
    btnAdd->Hint = "Add Category";
    btnAdd->OnClick = [this](TObject* s) { btnAddClick(s); };
    btnDel = Make<TSkinBitBtn>(this, "btnDel", 58, 70, 48, 20, "Delete");
    btnDel->Hint = "Delete Category";
    btnDel->OnClick = [this](TObject* s) { btnDelClick(s); };
    btnRen = Make<TSkinBitBtn>(this, "btnRen", 108, 70, 48, 20, "Rename");
    btnRen->Hint = "Rename Category";
    btnRen->OnClick = [this](TObject* s) { btnRenClick(s); };
    ewn = Make<TSkinBitBtn>(this, "ewn", 158, 70, 50, 20, "Edit");
    ewn->Hint = "Edit Category with Notepad";
    ewn->OnClick = [this](TObject* s) { ewnClick(s); };

    lstCat = Make<TListBox>(this, "lstCat", 8, 92, 200, 355);
    lstCat->SetSorted(true);
    lstCat->OnClick = [this](TObject* s) { lstCatClick(s); };
    lstCat->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { lstCatKeyDown(s, k, sh); };
    Temp = Make<TListBox>(this, "Temp", 0, 0, 10, 10);
    // The scan hands the names over in the sorted order: they are appended as they come.
    Temp->SetSorted(false);
    Temp->SetVisible(false);

    Button20 = Make<TSkinBitBtn>(this, "Button20", 8, 452, 200, 24, "Search");
    Button20->OnClick = [this](TObject* s) { Button20Click(s); };
    Button4 = Make<TSkinBitBtn>(this, "Button4", 8, 478, 200, 24, "  Application Manager");
    Button4->OnClick = [this](TObject* s) { Button4Click(s); };
    BitBtn8 = Make<TSkinBitBtn>(this, "BitBtn8", 8, 504, 200, 24, "Software Center");
    BitBtn8->OnClick = [this](TObject* s) { BitBtn8Click(s); };
    Button6 = Make<TSkinBitBtn>(this, "Button6", 8, 530, 200, 22, "&Tray Mode");
    Button6->OnClick = [this](TObject*) { SendToTray(); };
}

void TfrmAppdeck::BuildViewOne() {
    const char* vsNames[] = {"vs1", "vs2", "vs3"};
    const char* vsCaptions[] = {"&1", "&2", "&3"};
    std::array<TSpeedButton*, 3> vs{};
    for (int i = 0; i < 3; ++i) {
        vs[i] = Make<TSpeedButton>(this, vsNames[i], 216 + i * 30, 42, 28, 22, vsCaptions[i]);
        vs[i]->GroupIndex = 1;
        vs[i]->Tag = i + 1;
    }
    vs1 = vs[0];
    vs2 = vs[1];
    vs3 = vs[2];
    vs1->OnClick = [this](TObject* s) { vs1Click(s); };
    vs2->OnClick = [this](TObject* s) { VSClick(s); };
    vs3->OnClick = [this](TObject* s) { VSClick(s); };

    PageControl1 = Make<TPageControl>(this, "PageControl1", 216, 68, 626, 456);
    vs1Sht = new TTabSheet(this);
    vs1Sht->Name = "vs1Sht";
    vs1Sht->SetCaption("View Style 1");
    vs1Sht->SetPageControl(PageControl1);
    vs2Sht = new TTabSheet(this);
    vs2Sht->Name = "vs2Sht";
    vs2Sht->SetCaption("View Style 2");
    vs2Sht->SetPageControl(PageControl1);

    for (int k = 0; k < 5; ++k) {
        std::string n = std::to_string(k + 1);
        slot[k] = Make<TSkinPanel>(vs1Sht, ("slot" + n).c_str(), 4, 4 + k * 77, 598, 74);
        slot[k]->SetBevelOuter(TBevelCut::bvLowered);
        slot[k]->ShowCaption = false;
        pic[k] = Make<TImage>(slot[k], ("pic" + n).c_str(), 10, 21, 32, 32);
        app[k] = Make<TSkinLabel>(slot[k], ("app" + n).c_str(), 52, 12, 400, 16);
        app[k]->SetAutoSize(false);
        app[k]->Font().SetStyle(fsBold);
        des[k] = Make<TSkinLabel>(slot[k], ("des" + n).c_str(), 52, 34, 400, 30);
        des[k]->SetAutoSize(false);
        run[k] = Make<TSkinBitBtn>(slot[k], ("run" + n).c_str(), 452, 24, 80, 26, "Launch");
        run[k]->Hint = "Launch this Program";
        run[k]->OnClick = [this](TObject* s) { RunAppz(s); };
        for (int j = 0; j < 2; ++j) {
            int number = 10 + 2 * k + j;
            TSkinBitBtn* b = Make<TSkinBitBtn>(slot[k], ("Button" + std::to_string(number)).c_str(), 538 + j * 26, 24, 24,
                                       26, j == 0 ? "+" : "-");
            b->Tag = j == 0 ? 1 : 0;
            b->Hint = j == 0 ? "Pin To Taskbar" : "Unpin From Taskbar";
            b->OnClick = [this](TObject* s) { PinClick(s); };
            pinButtons[2 * k + j] = b;
        }
    }
    pic[0]->OnClick = [this](TObject*) { ClearAll(); };

    Button2 = Make<TSkinBitBtn>(vs1Sht, "Button2", 200, 394, 40, 22, "<<");
    Button2->Tag = 2;
    Button2->Hint = "Previous Page (Alt + Left)";
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    txtPage = Make<TEdit>(vs1Sht, "txtPage", 246, 394, 36, 22);
    txtPage->SetReadOnly(true);
    UD = Make<TUpDown>(vs1Sht, "UD", 282, 394, 17, 22);
    UD->SetMin(1);
    UD->SetMax(1);
    UD->SetAssociate(txtPage);
    UD->SetPosition(1);
    UD->OnClick = [this](TObject* s, TUDBtnType) { UDClick(s); };
    oud = Make<TSkinLabel>(vs1Sht, "oud", 306, 398, 0, 0, "of 0");
    Button3 = Make<TSkinBitBtn>(vs1Sht, "Button3", 350, 394, 40, 22, ">>");
    Button3->Tag = 1;
    Button3->Hint = "Next Page (Alt + Right)";
    Button3->OnClick = [this](TObject* s) { Button2Click(s); };

    for (size_t i = 0; i < QuickLinks.size(); ++i) {
        TSkinBitBtn* b = Make<TSkinBitBtn>(this, QuickLinks[i].Name, 216 + static_cast<int>(i) * 105, 528, 101, 24,
                                   kQuickLinkCaptions[i]);
        b->Hint = QuickLinks[i].Hint;
        b->HelpKeyword = QuickLinks[i].CommandLine;
        b->OnClick = [this](TObject* s) { QLClick(s); };
        quickLinks[i] = b;
    }
}

void TfrmAppdeck::BuildRowToolbar() {
    struct Spec {
        TSkinBitBtn** field;
        const char* name;
        const char* caption;
        const char* hint;
        int width;
    } specs[] = {
        {&button5, "button5", "Launch", "Launch this Program (Enter)", 60},
        {&btnft, "btnft", "Find", "Find Target (Ctrl + T)", 44},
        {&button7, "button7", "+", "Pin To Taskbar", 24},
        {&button9, "button9", "-", "Unpin From Taskbar", 24},
        {&btnProp, "btnProp", "Properties", "Show Properties (Alt + Enter)", 66},
        {&btnedit, "btnedit", "Edit", "Edit Program Details (Ctrl + Enter)", 40},
        {&btnremove, "btnremove", "Remove", "Remove selected Application (Del)", 56},
        {&btnAppPath, "btnAppPath", "App Path", "Set or manage the Application Path", 60},
        {&btnCS, "btnCS", "Shortcut", "Create a Shortcut on the Desktop or in Send To", 60},
        {&btnCLoc, "btnCLoc", "Copy", "Copy Program Location (Ctrl + C)", 44},
        {&btnVirTot, "btnVirTot", "Scan", "Scan Online with VirusTotal", 44},
        {&btnHash, "btnHash", "Hash", "Generate File Hash", 44},
    };
    int x = 4;
    for (const Spec& sp : specs) {
        *sp.field = Make<TSkinBitBtn>(vs2Sht, sp.name, x, 4, sp.width, 24, sp.caption);
        (*sp.field)->Hint = sp.hint;
        x += sp.width + 3;
    }
    button7->Tag = 1;
    button9->Tag = 0;
    button5->OnClick = [this](TObject* s) { RunAppz(s); };
    btnProp->OnClick = [this](TObject* s) { btnPropClick(s); };
    btnft->OnClick = [this](TObject* s) { btnFTClick(s); };
    btnCLoc->OnClick = [this](TObject* s) { btnCLocClick(s); };
    button7->OnClick = [this](TObject* s) { Button7Click(s); };
    button9->OnClick = [this](TObject* s) { Button7Click(s); };
    btnVirTot->OnClick = [this](TObject* s) { btnVirTotClick(s); };
    trdOnlineScan = new TBackgroundWorker(this);
    trdOnlineScan->Name = "trdOnlineScan";
    // A file that cannot be read raises here and reaches the error box as a
    // click's error would; the run then ends as cancelled and opens nothing.
    trdOnlineScan->OnWork = [this](TBackgroundWorker* w) {
        onlineScanAddress_ = FileScanAddress(onlineScanFile_, [w] { return w->CancellationPending(); });
        if (w->CancellationPending()) w->AcceptCancellation();
    };
    trdOnlineScan->OnWorkComplete = [this](TBackgroundWorker*, bool c) { trdOnlineScanWorkComplete(c); };
    btnHash->OnClick = [this](TObject* s) { btnHashClick(s); };
    btnAppPath->OnClick = [this](TObject* s) { btnAppPathClick(s); };
    btnCS->OnClick = [this](TObject* s) { btnCSClick(s); };
    btnedit->OnClick = [this](TObject* s) { btneditClick(s); };
    EnableRowActions(false);
}

void TfrmAppdeck::BuildProgramList() {
    imgVS2 = new TImageList(this, ShellImageList(TShellIconSize::Large));
    imgVS2->Name = "imgVS2";
    imgsml = new TImageList(this, ShellImageList(TShellIconSize::Small));
    imgsml->Name = "imgsml";
    prev = Make<TImage>(vs2Sht, "prev", 4, 34, 32, 32);
    Label1 = Make<TSkinLabel>(vs2Sht, "Label1", 44, 34, 340, 16);
    Label1->SetAutoSize(false);
    Label1->Font().SetStyle(fsBold);
    Label2 = Make<TSkinLabel>(vs2Sht, "Label2", 44, 52, 340, 16);
    Label2->SetAutoSize(false);
    lblava = Make<TSkinLabel>(vs2Sht, "lblava", 400, 36, 0, 0, "Available");
    // The counters size to their numbers.
    totava = Make<TSkinLabel>(vs2Sht, "totava", 480, 36, 0, 0, "0");
    lblnava = Make<TSkinLabel>(vs2Sht, "lblnava", 400, 54, 0, 0, "Not Available");
    lblava->OnClick = [this](TObject* s) { lblavaClick(s); };
    lblnava->OnClick = [this](TObject* s) { lblavaClick(s); };
    totnava = Make<TSkinLabel>(vs2Sht, "totnava", 480, 54, 0, 0, "0");
    lv2 = Make<TListView>(vs2Sht, "lv2", 4, 76, 598, 340);
    lv2->AddColumn("Name", 150);
    lv2->AddColumn("Description", 200);
    lv2->AddColumn("Location", 300);
    lv2->AddColumn("Parameter", 150);
    lv2->SetLargeImages(imgVS2);
    lv2->SetSmallImages(imgsml);
    lv2->OnData = [this](TObject*, int index, TListItemData& item) {
        if (index < 0 || static_cast<size_t>(index) >= ViewEntries.size()) return;
        const ViewEntry& e = ViewEntries[static_cast<size_t>(index)];
        item.Caption = e.Name;
        item.SubItems = {e.Desc, e.Loc, e.Param};
        item.ImageIndex = e.ImageIndex;
    };
    lv2->OnSelectItem = [this](TObject* s, int, bool) { lv2Click(s); };
    lv2->OnClick = [this](TObject* s) { lv2Click(s); };
    lv2->OnDblClick = [this](TObject*) {
        if (lv2->SelectedIndex() >= 0) RunAppz(button5);
    };
    lv2->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { lv2KeyDown(s, k, sh); };
    lv2->OnKeyPress = [this](TObject* s, wchar_t& k) { lv2KeyPress(s, k); };
    btnremove->OnClick = [this](TObject* s) { btnremoveClick(s); };

    Worker = new TBackgroundWorker(this);
    Worker->Name = "Worker";
    Worker->OnWork = [this](TBackgroundWorker* w) {
        if (scan_.request.CategoryFile.empty()) return;
        auto stop = [w] { return w->StopRequested(); };
        // The first entries show at once, then at most one request per batch.
        std::vector<TScannedEntry> batch;
        bool handedAny = false;
        ULONGLONG handedOver = ::GetTickCount64();
        auto handOver = [&] {
            if (scanRows_.Put(batch)) w->ReportFeedback(0, 0);
            handedAny = true;
            handedOver = ::GetTickCount64();
        };
        TComThreadPool pool(scan_.request.Icons ? TComThreadPool::DefaultThreads() : 0);
        int sections = 0;
        ScanCategory(scan_.request, pool, stop, [&](std::vector<TScannedEntry>&& group) {
            std::move(group.begin(), group.end(), std::back_inserter(batch));
            if (!handedAny || batch.size() >= kScanBatch || ::GetTickCount64() - handedOver >= kScanBatchMs)
                handOver();
        }, sections);
        scanSections_ = sections;
        scanRows_.Put(batch);  // the completion takes the last ones
    };
    Worker->OnWorkFeedback = [this](TBackgroundWorker* w, int, int) {
        if (w->CancellationPending() || w->Cancelled()) scanRows_.Take();  // a newer choice replaces these rows
        else TakeScannedRows();
    };
    Worker->OnWorkComplete = [this](TBackgroundWorker* w, bool c) { WorkerWorkComplete(w, c); };
}

// A row action is enabled with a selected row, and only when it has a handler.
void TfrmAppdeck::EnableRowActions(bool enabled) {
    for (TSkinBitBtn* b : {button5, button7, button9, btnft, btnProp, btnCLoc, btnVirTot, btnedit, btnremove, btnHash,
                       btnAppPath, btnCS})
        b->SetEnabled(enabled && static_cast<bool>(b->OnClick));
}

// A button without a handler opens a window that is not there: it shows
// disabled instead of ignoring the click.
void TfrmAppdeck::DisableButtonsWithoutAction() {
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(Components(i));
        bool button = dynamic_cast<TButton*>(c) || dynamic_cast<TSpeedButton*>(c);
        if (button && !c->OnClick) c->SetEnabled(false);
    }
}

}  // namespace ad
