// The launcher's main window.
#include "app/TfrmAppdeck.h"

#include <shellapi.h>

#include <algorithm>
#include <random>

#include "app/Catalogue.h"
#include "app/Launch.h"
#include "app/RamOptimizer.h"
#include "app/SWSystem.h"
#include "app/StatusInfo.h"
#include "framework/Dialogs.h"
#include "framework/Registry.h"
#include "framework/ShellIcon.h"
#include "framework/FileStreams.h"
#include "framework/SysUtils.h"
#include "framework/UpdateScope.h"

namespace ad {

TfrmAppdeck* frmAppdeck = nullptr;

namespace {

constexpr int kHotKeyId = 212;
const char* const kWebAddresses[] = {"https://appdeck.example.org/", "https://www.appdeck.example.org/"};

// Short captions for the quick-link buttons; their hints carry the full names.
const char* const kQuickLinkCaptions[] = {"Control Panel", "Computer Mgmt", "Mobility Center",
                                          "Folder Options", "Network", "System"};

std::string DoubleAmpersands(const std::string& s) { return StringReplaceAll(s, "&", "&&"); }

}  // namespace

template <class T>
T* TfrmAppdeck::Make(TWinControl* parent, const char* name, int x, int y, int w, int h, const std::string& caption) {
    T* c = new T(this);
    c->Name = name;
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    if (!caption.empty()) c->SetCaption(caption);
    return c;
}

TfrmAppdeck::TfrmAppdeck(TComponent* AOwner, const std::string& baseDir) : TForm(AOwner) {
    Name = "frmAppdeck";
    SetCaption("Appdeck");
    BorderStyle = TFormBorderStyle::bsSingle;
    BorderIcons = biSystemMenu | biMinimize;
    Position = TPosition::poScreenCenter;
    KeyPreview = true;
    SetClientSize(850, 574);
    BaseDir = baseDir.empty() ? ExtractFilePath(ModuleFileName()) : IncludeTrailingPathDelimiter(baseDir);
    baseDirAtStart_ = BaseDir;

    skSkinManager1 = new TSkinManager(this);
    skSkinManager1->Name = "skSkinManager1";
    BuildHeader();
    BuildCategoryColumn();
    BuildViewOne();
    BuildRowToolbar();
    BuildProgramList();

    SB = new TStatusBar(this);
    SB->Name = "SB";
    SB->SetParent(this);
    for (int w : {140, 85, 400, 50}) SB->AddPanel(w, true);
    SB->SetPanelText(0, "Memory Usage : 100%");
    SB->SetPanelText(1, "Power : 100%");
    SB->SetPanelText(2, "System Uptime : -");
    Timer2 = new TTimer(this);
    Timer2->Name = "Timer2";
    Timer2->SetInterval(1000);
    Timer2->OnTimer = [this](TObject* s) { Timer2Timer(s); };

    Timer1 = new TTimer(this);
    Timer1->Name = "Timer1";
    Timer1->SetEnabled(false);
    Timer1->SetInterval(200);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
    BuildTray();

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnPaint = [this](TObject* s) { FormPaint(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnDblClick = [this](TObject* s) { FormDblClick(s); };
}

TfrmAppdeck::~TfrmAppdeck() {
    BeginDestroy();  // no more events: the scan below must not fill a window that is going
    if (Worker->IsWorking()) {
        Worker->Cancel();
        Worker->WaitFor();
    }
    if (Application) Application->OnMinimize = nullptr;  // it points at this window
    if (HandleAllocated()) ::UnregisterHotKey(Handle(), kHotKeyId);
    if (frmAppdeck == this) frmAppdeck = nullptr;
}

void TfrmAppdeck::BuildHeader() {
    back = Make<TPanel>(this, "back", 0, 0, 850, 36);
    back->SetBevelOuter(TBevelCut::bvNone);
    back->SetColor(0x7A4A1E);
    back->ShowCaption = false;
    Label8 = Make<TLabel>(back, "Label8", 12, 6, 0, 0, "Appdeck");
    Label8->Font().SetSize(14);
    Label8->Font().SetStyle(fsBold);
    Label8->Font().SetColor(clWhite);
    Label4 = Make<TLabel>(back, "Label4", 120, 16, 0, 0, "2016.8");
    Label4->Font().SetColor(clWhite);
    Label4->OnDblClick = [this](TObject* s) { Label4DblClick(s); };

    int x = 376;
    auto headerButton = [&](const char* name, const char* caption, int width) {
        TButton* b = Make<TButton>(back, name, x, 6, width, 24, caption);
        x += width + 4;
        return b;
    };
    btnHome = headerButton("btnHome", "Home", 64);
    btnHome->HelpKeyword = kWebAddresses[0];
    btnHome->OnClick = [this](TObject* s) { OpenHelpKeyword(s); };
    SpeedButton1 = Make<TSpeedButton>(back, "SpeedButton1", x, 6, 84, 24, "Support  Us! ");
    x += 88;
    btnMore = headerButton("btnMore", "More ....", 64);
    btnUpdate = headerButton("btnUpdate", "Update", 64);
    btnSettings = headerButton("btnSettings", "&Settings", 70);
    btnAbout = headerButton("btnAbout", "About", 56);
    // The settings, about, update, support and more-software windows come later;
    // until then their buttons do nothing.
}

void TfrmAppdeck::BuildCategoryColumn() {
    BitBtn1 = Make<TButton>(this, "BitBtn1", 8, 44, 200, 24, "Import Programs");
    btnAdd = Make<TButton>(this, "btnAdd", 8, 70, 48, 20, "Add");
    btnAdd->Hint = "Add Category";
    btnAdd->OnClick = [this](TObject* s) { btnAddClick(s); };
    btnDel = Make<TButton>(this, "btnDel", 58, 70, 48, 20, "Delete");
    btnDel->Hint = "Delete Category";
    btnDel->OnClick = [this](TObject* s) { btnDelClick(s); };
    btnRen = Make<TButton>(this, "btnRen", 108, 70, 48, 20, "Rename");
    btnRen->Hint = "Rename Category";
    btnRen->OnClick = [this](TObject* s) { btnRenClick(s); };
    ewn = Make<TButton>(this, "ewn", 158, 70, 50, 20, "Edit");
    ewn->Hint = "Edit Category with Notepad";
    ewn->OnClick = [this](TObject* s) { ewnClick(s); };

    lstCat = Make<TListBox>(this, "lstCat", 8, 92, 200, 355);
    lstCat->SetSorted(true);
    lstCat->OnClick = [this](TObject* s) { lstCatClick(s); };
    lstCat->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { lstCatKeyDown(s, k, sh); };
    Temp = Make<TListBox>(this, "Temp", 0, 0, 10, 10);
    Temp->SetSorted(true);
    Temp->SetVisible(false);

    Button20 = Make<TButton>(this, "Button20", 8, 452, 200, 24, "Search");
    Button4 = Make<TButton>(this, "Button4", 8, 478, 200, 24, "  Application Manager");
    BitBtn8 = Make<TButton>(this, "BitBtn8", 8, 504, 200, 24, "Software Center");
    Button6 = Make<TButton>(this, "Button6", 8, 530, 200, 22, "&Tray Mode");
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
        slot[k] = Make<TPanel>(vs1Sht, ("slot" + n).c_str(), 4, 4 + k * 77, 598, 74);
        slot[k]->SetBevelOuter(TBevelCut::bvLowered);
        slot[k]->ShowCaption = false;
        pic[k] = Make<TImage>(slot[k], ("pic" + n).c_str(), 10, 21, 32, 32);
        app[k] = Make<TLabel>(slot[k], ("app" + n).c_str(), 52, 12, 400, 16);
        app[k]->SetAutoSize(false);
        app[k]->Font().SetStyle(fsBold);
        des[k] = Make<TLabel>(slot[k], ("des" + n).c_str(), 52, 34, 400, 30);
        des[k]->SetAutoSize(false);
        run[k] = Make<TButton>(slot[k], ("run" + n).c_str(), 452, 24, 80, 26, "Launch");
        run[k]->Hint = "Launch this Program";
        run[k]->OnClick = [this](TObject* s) { RunAppz(s); };
        for (int j = 0; j < 2; ++j) {
            int number = 10 + 2 * k + j;
            TButton* b = Make<TButton>(slot[k], ("Button" + std::to_string(number)).c_str(), 538 + j * 26, 24, 24,
                                       26, j == 0 ? "+" : "-");
            b->Tag = j == 0 ? 1 : 0;
            b->Hint = j == 0 ? "Pin To Taskbar" : "Unpin From Taskbar";
            b->OnClick = [this](TObject* s) { PinClick(s); };
            pinButtons[2 * k + j] = b;
        }
    }
    pic[0]->OnClick = [this](TObject*) { ClearAll(); };

    Button2 = Make<TButton>(vs1Sht, "Button2", 200, 394, 40, 22, "<<");
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
    oud = Make<TLabel>(vs1Sht, "oud", 306, 398, 0, 0, "of 0");
    Button3 = Make<TButton>(vs1Sht, "Button3", 350, 394, 40, 22, ">>");
    Button3->Tag = 1;
    Button3->Hint = "Next Page (Alt + Right)";
    Button3->OnClick = [this](TObject* s) { Button2Click(s); };

    for (size_t i = 0; i < QuickLinks.size(); ++i) {
        TButton* b = Make<TButton>(this, QuickLinks[i].Name, 216 + static_cast<int>(i) * 105, 528, 101, 24,
                                   kQuickLinkCaptions[i]);
        b->Hint = QuickLinks[i].Hint;
        b->HelpKeyword = QuickLinks[i].CommandLine;
        b->OnClick = [this](TObject* s) { QLClick(s); };
        quickLinks[i] = b;
    }
}

void TfrmAppdeck::BuildRowToolbar() {
    struct Spec {
        TButton** field;
        const char* name;
        const char* caption;
        const char* hint;
        int width;
    } specs[] = {
        {&button5, "button5", "Launch", "Launch this Program", 60},
        {&btnft, "btnft", "Find", "Find Target", 44},
        {&button7, "button7", "+", "Pin To Taskbar", 24},
        {&button9, "button9", "-", "Unpin From Taskbar", 24},
        {&btnProp, "btnProp", "Properties", "File Properties", 66},
        {&btnedit, "btnedit", "Edit", "Edit Program Details", 40},
        {&btnremove, "btnremove", "Remove", "Remove this Program", 56},
        {&btnAppPath, "btnAppPath", "App Path", "Application Path", 60},
        {&btnCS, "btnCS", "Shortcut", "Create Shortcut", 60},
        {&btnCLoc, "btnCLoc", "Copy", "Copy Location", 44},
        {&btnVirTot, "btnVirTot", "Scan", "Scan Online", 44},
        {&btnHash, "btnHash", "Hash", "File Hash", 44},
    };
    int x = 4;
    for (const Spec& sp : specs) {
        *sp.field = Make<TButton>(vs2Sht, sp.name, x, 4, sp.width, 24, sp.caption);
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
    // The list of views 2/3, the edit, App Path, shortcut and hash windows come
    // later; until then those buttons do nothing.
    EnableRowActions(false);
}

void TfrmAppdeck::BuildProgramList() {
    imgVS2 = new TImageList(this, 32, 32);
    imgVS2->Name = "imgVS2";
    imgsml = new TImageList(this, 16, 16);
    imgsml->Name = "imgsml";
    prev = Make<TImage>(vs2Sht, "prev", 4, 34, 32, 32);
    Label1 = Make<TLabel>(vs2Sht, "Label1", 44, 34, 340, 16);
    Label1->SetAutoSize(false);
    Label1->Font().SetStyle(fsBold);
    Label2 = Make<TLabel>(vs2Sht, "Label2", 44, 52, 340, 16);
    Label2->SetAutoSize(false);
    lblava = Make<TLabel>(vs2Sht, "lblava", 400, 36, 0, 0, "Available");
    totava = Make<TLabel>(vs2Sht, "totava", 480, 36, 60, 13, "0");
    totava->SetAutoSize(false);
    lblnava = Make<TLabel>(vs2Sht, "lblnava", 400, 54, 0, 0, "Not Available");
    totnava = Make<TLabel>(vs2Sht, "totnava", 480, 54, 60, 13, "0");
    totnava->SetAutoSize(false);
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
        if (!scan_.listView || scan_.categoryFile.empty()) return;
        auto stop = [w] {
            if (!w->CancellationPending()) return false;
            w->AcceptCancellation();
            return true;
        };
        ScanEntries(scan_.categoryFile, scan_.names, BaseDir, scan_.largeIcons, stop, scan_.found);
    };
    Worker->OnWorkComplete = [this](TBackgroundWorker* w, bool c) { WorkerWorkComplete(w, c); };
}

void TfrmAppdeck::EnableRowActions(bool enabled) {
    for (TButton* b : {button5, button7, button9, btnft, btnProp, btnCLoc, btnVirTot, btnedit, btnremove, btnHash,
                       btnAppPath, btnCS})
        b->SetEnabled(enabled);
}

// --- start-up and life cycle -------------------------------------------------

void TfrmAppdeck::FormCreate(TObject*) {
    Activated = false;
    CatalogueChanged = true;
    KeepShortcutFiles = false;
    TIniFile ini(SettingsFileName());
    // The title and a web address show whether or not the settings could be read.
    auto showTitle = [this] {
        Label8->SetCaption("Appdeck");
        std::random_device rd;
        SB->SetPanelText(3, kWebAddresses[rd() % 2]);
    };
    try {
        vs1Sht->SetTabVisible(true);
        vs2Sht->SetTabVisible(false);
        ReadCategory();
        {
            TRegistry reg;
            if (!reg.OpenKey("Software\\Vorlan", true))
                throw ERegistryException("Error creating system registry entry");
            reg.WriteString("39", ModuleFileName());
        }
        int style = ini.ReadInteger("Settings", "ViewStyle", 1);
        if (style == 2) {
            vs2->SetDown(true);
            VSClick(vs2);
        } else if (style == 3) {
            vs3->SetDown(true);
            VSClick(vs3);
        } else {
            vs1->SetDown(true);
            vs1Click(vs1);
        }
        ::RegisterHotKey(Handle(), kHotKeyId, MOD_CONTROL | MOD_SHIFT, VK_F12);
        try {
            InitializePTT();
        } catch (const Exception&) {
            // The scripts are written again before each use; start-up goes on.
        }
        skSkinManager1->HueOffset = ini.ReadInteger("Settings", "Skin_Hue", 0);
        skSkinManager1->Saturation = ini.ReadInteger("Settings", "Skin_Sat", 0);
    } catch (...) {
        showTitle();
        throw;
    }
    showTitle();
}

void TfrmAppdeck::FormShow(TObject*) {
    ::DragAcceptFiles(Handle(), TRUE);
    if (lstCat->CanFocus()) lstCat->SetFocus();
    if (ParamCount() == 0) {
        Timer1->SetEnabled(true);
        return;
    }
    firstArgument_ = ParamStr(1);
    if (AsciiLowerCase(firstArgument_) == "-traymode") {
        Timer1->SetEnabled(true);
        return;
    }
    // Files named on the command line go to the selected category; at start-up
    // none is selected, so they are not added.
    for (int i = 1; i <= ParamCount(); ++i) PerformDD(ParamStr(i));
}

void TfrmAppdeck::FormActivate(TObject*) {
    Activated = true;
    if (firstActivation_) {
        firstActivation_ = false;
        StartInTray = ParamCount() > 0 && AsciiLowerCase(ParamStr(1)) == "-traymode";
    }
}

void TfrmAppdeck::Timer2Timer(TObject*) {
    SB->SetPanelText(0, MemoryUsageText());
    SB->SetPanelText(1, PowerText());
    SB->SetPanelText(2, "System Uptime : " + GetUptimeText());
}

void TfrmAppdeck::Timer1Timer(TObject*) {
    if (StartInTray && Activated) {
        SendToTray();
        StartInTray = false;
    }
}

void TfrmAppdeck::FormPaint(TObject*) { LoadViewOptions(); }

void TfrmAppdeck::LoadViewOptions() {
    TIniFile ini(SettingsFileName());
    bool readOnly = ini.ReadBool("Settings", "ReadOnlyMode", false);
    // Only what changed is touched, so a paint never causes another paint.
    for (TWinControl* c : std::initializer_list<TWinControl*>{BitBtn1, btnAdd, btnDel, btnRen, Button4, button7,
                                                              button9, ewn, btnHash, btnedit, btnremove, btnAppPath,
                                                              btnCS})
        if (c->Visible() == readOnly) c->SetVisible(!readOnly);
    for (int k = 0; k < 5; ++k) {
        bool show = !readOnly && run[k]->Visible();
        for (int j = 0; j < 2; ++j)
            if (pinButtons[2 * k + j]->Visible() != show) pinButtons[2 * k + j]->SetVisible(show);
    }
    int top = readOnly ? 40 : 92;
    int height = Button20->Top() - top - 5;
    if (lstCat->Top() != top || lstCat->Height() != height) lstCat->SetBounds(lstCat->Left(), top, lstCat->Width(), height);
    ConfirmRemove = ini.ReadBool("Settings", "VS23DConfirm", true);
    RunElevated = ini.ReadBool("Settings", "RunAsAdmin", false);
    ReadOnlyView = readOnly;
}

void TfrmAppdeck::FormClose(TObject*, TCloseAction&) {
    int style = vs1->Down() ? 1 : vs2->Down() ? 2 : vs3->Down() ? 3 : 0;
    {
        TIniFile ini(SettingsFileName());
        ini.WriteInteger("Settings", "ViewStyle", style);
    }
    if (Worker->IsWorking()) {
        Worker->Cancel();
        Worker->WaitFor();
    }
}

void TfrmAppdeck::FormDblClick(TObject*) { KeepShortcutFiles = !KeepShortcutFiles; }

void TfrmAppdeck::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_DROPFILES:
            WMDropFiles(reinterpret_cast<HDROP>(m.WParam));
            m.Result = 0;
            return;
        case WM_HOTKEY:
            WMHotKey(static_cast<int>(m.WParam));
            m.Result = 0;
            return;
        default: TForm::WndProc(m);
    }
}

void TfrmAppdeck::WMHotKey(int id) {
    if (id != kHotKeyId) return;
    if (::IsWindowVisible(Handle())) Button6->Click();
    else trayADClick(trayAD);
    ::SetForegroundWindow(Handle());
}

// --- tray mode -------------------------------------------------------------------

void TfrmAppdeck::BuildTray() {
    TMPop = new TPopupMenu(this);
    TMPop->Name = "TMPop";
    trayAD = new TTrayIcon(this);
    trayAD->Name = "trayAD";
    trayAD->PopupMenu = TMPop;
    trayAD->OnClick = [this](TObject* s) { trayADClick(s); };
    RAMO = new TTimer(this);
    RAMO->Name = "RAMO";
    RAMO->SetEnabled(false);
    RAMO->SetInterval(10000);
    RAMO->OnTimer = [this](TObject* s) { RAMOTimer(s); };
    if (Application) Application->OnMinimize = [this](TObject* s) { ApplicationEvents1Minimize(s); };
}

void TfrmAppdeck::SendToTray() {
    {
        TIniFile ini(SettingsFileName());
        BaseDir = baseDirAtStart_;
        RAMO->SetEnabled(ini.ReadBool("Settings", "RAMOptimizer", true));
        int seconds = ini.ReadInteger("Settings", "RAMOptimizer_Interval", 10);
        RAMO->SetInterval(static_cast<unsigned>(seconds > 0 ? seconds : 10) * 1000u);
    }
    Hide();
    if (CatalogueChanged) CreateMenu();
    trayAD->SetIcon(Application ? Application->Icon : IconRef());
    trayAD->AddIcon();
    CatalogueChanged = false;
}

void TfrmAppdeck::trayADClick(TObject*) {
    Show();
    RAMO->SetEnabled(false);
    trayAD->DeleteIcon();
}

void TfrmAppdeck::CreateMenu() {
    TMPop->Items().Clear();
    OwnedIcon folderIcon = ShellIcon(ExcludeTrailingPathDelimiter(BaseDir), TShellIconSize::Small);
    for (int c = 0; c < lstCat->Count(); ++c) {
        std::string category = lstCat->Items()[c];
        TIniFile ini(CategoryFileName(BaseDir, category));
        std::vector<std::string> names = ini.ReadSections();
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return AnsiCompareText(a, b) < 0;
        });
        TMenuItem* categoryItem = TMPop->Items().Add(DoubleAmpersands(category));
        categoryItem->Bitmap = IconToBitmap(folderIcon, 16);
        int available = 0;
        int all = static_cast<int>(names.size());
        for (const std::string& name : names) {
            if (name.empty()) continue;
            std::string loc = ExpandEnvPath(ResolveRegistryLocation(ini.ReadString(name, "Loc", "")));
            if (ExtractFileDrive(loc).empty()) loc = BaseDir + loc;
            std::string param = ExpandEnvPath(ini.ReadString(name, "Param", ""));
            if (!FileExists(loc)) continue;
            ++available;
            auto* item = categoryItem->AddItem<TLaunchMenuItem>(name);  // ampersands as stored
            item->Loc = loc + "|" + param;
            item->OnClick = [this](TObject* s) { ExecMenu(s); };
            item->Bitmap = IconToBitmap(ShellIcon(loc, TShellIconSize::Small), 16);
            if (available % 25 == 0 && all <= 175) item->Break = TMenuBreak::mbBarBreak;
        }
    }
}

void TfrmAppdeck::ExecMenu(TObject* Sender) {
    auto* item = dynamic_cast<TLaunchMenuItem*>(Sender);
    if (!item) return;
    size_t bar = item->Loc.find('|');
    std::string file = item->Loc.substr(0, bar);
    std::string params = bar == std::string::npos ? std::string() : item->Loc.substr(bar + 1);
    ShellOpen(Handle(), file, params, ExtractFilePath(file), SW_SHOWNORMAL);
}

void TfrmAppdeck::RAMOTimer(TObject*) { TrimWorkingSets(); }

void TfrmAppdeck::ApplicationEvents1Minimize(TObject*) {
    TIniFile ini(SettingsFileName());
    if (ini.ReadBool("Settings", "Min2TrayMode", false)) SendToTray();
}

void TfrmAppdeck::WMDropFiles(HDROP drop) {
    struct DropRelease {
        HDROP h;
        ~DropRelease() { ::DragFinish(h); }
    } release{drop};
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::string category = SelectedCategory();
    if (!category.empty() && CanEdit()) {
        TIniFile ini(CategoryFileName(BaseDir, category));
        UpdateScope update(ini);  // one save for the whole drop
        for (UINT i = 0; i < count; ++i) {
            UINT length = ::DragQueryFileW(drop, i, nullptr, 0);  // no fixed buffer: long paths stay whole
            std::wstring name(length + 1, L'\0');
            if (::DragQueryFileW(drop, i, name.data(), length + 1) == 0) continue;
            name.resize(length);
            AddProgram(Narrow(name), ini);
        }
    }
    lstCatClick(this);
}

// --- catalogue -----------------------------------------------------------------

std::string TfrmAppdeck::SelectedCategory() {
    int i = lstCat->ItemIndex();
    return i >= 0 && i < lstCat->Count() ? lstCat->Items()[i] : std::string();
}

void TfrmAppdeck::ReadCategory() {
    UpdateScope update(lstCat->Items());
    lstCat->Clear();
    ListFileNames(CategoryFolder(BaseDir), "*.dat", lstCat->Items());
}

void TfrmAppdeck::SelectCategoryByName(const std::string& name) {
    lstCat->SetItemIndex(lstCat->Items().IndexOf(name));
}

bool TfrmAppdeck::AddProgram(const std::string& file, TIniFile& category) {
    if (file.empty()) return false;
    TDroppedProgram p = PrepareDroppedProgram(file, BaseDir, KeepShortcutFiles);
    if (!p.Accepted) return false;
    StoreDroppedProgram(category, p);
    CatalogueChanged = true;
    return true;
}

void TfrmAppdeck::PerformDD(const std::string& file) {
    if (ReadOnlyView || file.empty()) return;
    std::string category = SelectedCategory();
    if (category.empty()) return;
    TIniFile ini(CategoryFileName(BaseDir, category));
    AddProgram(file, ini);
}

void TfrmAppdeck::FillAvailableEntries(bool resolveLocations) {
    std::string category = SelectedCategory();
    Temp->Clear();
    if (!category.empty()) {
        TIniFile ini(CategoryFileName(BaseDir, category));
        UpdateScope update(Temp->Items());
        for (const std::string& name : ini.ReadSections()) {
            if (name.empty()) continue;
            std::string loc = ini.ReadString(name, "Loc", "");
            bool available = resolveLocations ? LocationAvailable(loc, BaseDir)
                                              : !loc.empty() && (FileExists(loc) || FileExists(BaseDir + loc));
            if (available) Temp->Items().Add(name);
        }
    }
    int count = Temp->Count();
    int pages = count / 5 + (count % 5 != 0 ? 1 : 0);
    UD->SetMax(pages < 1 ? 1 : pages);
    UD->SetPosition(1);
    oud->SetCaption("of " + IntToStr(pages));
}

void TfrmAppdeck::SelectCategory() {
    for (TButton* b : {button5, button7, button9, btnAppPath, btnCS}) b->SetEnabled(false);
    FillAvailableEntries(false);  // the import stores plain locations: no registry or environment forms
    ClearAll();
    if (vs1->Down()) vs1Click(vs1);
    else if (vs2->Down()) VSClick(vs2);
    else if (vs3->Down()) VSClick(vs3);
}

void TfrmAppdeck::lstCatClick(TObject* Sender) {
    EnableRowActions(false);
    prev->Picture().Clear();
    Label1->SetCaption("");
    Label2->SetCaption("");
    FillAvailableEntries(true);
    EntryCount = 0;
    int keepRow = Sender == btnremove ? lv2->SelectedIndex() : -1;
    lv2->SetItemCount(0);
    if (Worker->IsWorking()) {
        Worker->Cancel();
        Worker->WaitFor();
    }
    StartScan(keepRow >= 0);
    if (vs1->Down()) vs1Click(vs1);
}

void TfrmAppdeck::StartScan(bool afterRemoval) {
    // Everything the scan reads from controls is read here, on the GUI thread.
    scan_ = ScanJob{};
    scan_.afterRemoval = afterRemoval;
    std::string category = SelectedCategory();
    scan_.listView = ListViewActive();
    scan_.largeIcons = !vs3->Down();
    if (!category.empty()) {
        scan_.categoryFile = CategoryFileName(BaseDir, category);
        for (int i = 0; i < Temp->Count(); ++i) scan_.names.push_back(Temp->Items()[i]);
    }
    Worker->Start();
}

void TfrmAppdeck::WorkerWorkComplete(TBackgroundWorker*, bool Cancelled) {
    if (Cancelled) return;  // a newer choice replaced this scan
    if (scan_.listView) {
        ClearAll();
        ApplyScan(scan_.largeIcons, scan_.found);
    }
    CountAvailability();
    scan_.found.clear();
    if (scan_.listView && lv2->ItemCount() > 0) {
        int row = scan_.afterRemoval ? std::min(std::max(lv2->SelectedIndex(), 0), lv2->ItemCount() - 1) : 0;
        lv2->SetSelectedIndex(row);
        lv2Click(lv2);
        lv2->Repaint();
    }
}

void TfrmAppdeck::btnAddClick(TObject*) {
    std::string answer;
    if (!InputQuery("Add Category", "Type Category Name !", answer) || Trim(answer).empty()) return;
    if (std::string problem = CategoryNameProblem(answer); !problem.empty()) {
        Application->MessageBox(problem, "Add Category", MB_OK | MB_ICONWARNING);
        return;
    }
    std::string file = CategoryFileName(BaseDir, answer);
    // An existing category is selected, never emptied.
    if (!FileExists(file)) {
        ForceDirectories(CategoryFolder(BaseDir));
        CatalogueChanged = true;
        TFileStream created(file, fmCreate);  // an empty category file
    }
    ReadCategory();
    SelectCategoryByName(answer);
    Temp->Clear();
    lstCatClick(this);
}

void TfrmAppdeck::btnDelClick(TObject*) {
    std::string category = SelectedCategory();
    if (category.empty()) return;
    if (Application->MessageBox("Are you sure you want to remove this Category ?", Application->Title,
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    RemoveFile(CategoryFileName(BaseDir, category));
    CatalogueChanged = true;
    ReadCategory();
    if (lstCat->Count() > 0) lstCat->SetItemIndex(0);
    lstCatClick(this);
}

void TfrmAppdeck::btnRenClick(TObject*) {
    std::string category = SelectedCategory();
    if (category.empty()) return;
    std::string answer = category;
    if (!InputQuery("Rename Category", "Type new Category name !", answer) || Trim(answer).empty()) return;
    if (std::string problem = CategoryNameProblem(answer); !problem.empty()) {
        Application->MessageBox(problem, "Rename Category", MB_OK | MB_ICONWARNING);
        return;
    }
    // Renaming onto an existing category fails quietly and selects that one.
    RenameFile(CategoryFileName(BaseDir, category), CategoryFileName(BaseDir, answer));
    CatalogueChanged = true;
    ReadCategory();
    SelectCategoryByName(answer);
}

void TfrmAppdeck::ewnClick(TObject*) {
    std::string category = SelectedCategory();
    if (category.empty()) return;
    RunProcess("", "Notepad.exe \"" + CategoryFileName(BaseDir, category) + "\"", true);
    CatalogueChanged = true;
    lstCatClick(this);
}

void TfrmAppdeck::lstCatKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    if ((Shift & (ssAlt | ssCtrl | ssShift)) != ssAlt) return;
    if (Key == VK_LEFT) {
        Button2Click(Button2);
        Key = 0;
    } else if (Key == VK_RIGHT) {
        Button2Click(Button3);
        Key = 0;
    }
}

// --- view 1 --------------------------------------------------------------------

void TfrmAppdeck::vs1Click(TObject*) {
    vs1->SetDown(true);
    vs1Sht->SetTabVisible(true);
    vs2Sht->SetTabVisible(false);
    PageControl1->SetActivePage(vs1Sht);
    UDClick(UD);
}

void TfrmAppdeck::VSClick(TObject* Sender) {
    auto* button = dynamic_cast<TSpeedButton*>(Sender);
    if (!button) return;
    button->SetDown(true);
    vs1Sht->SetTabVisible(false);
    vs2Sht->SetCaption(button->Tag == 2 ? "View Style 2" : "View Style 3");
    vs2Sht->SetTabVisible(true);
    PageControl1->SetActivePage(vs2Sht);
    GetVS2(Sender);
    if (lv2->ItemCount() > 0) CountAvailability();
}

void TfrmAppdeck::GetVS2(TObject* Sender) {
    bool large = Sender != vs3;
    std::vector<TScannedEntry> scanned;
    std::string category = SelectedCategory();
    if (!category.empty() && Temp->Count() > 0) {
        std::vector<std::string> names;
        for (int i = 0; i < Temp->Count(); ++i) names.push_back(Temp->Items()[i]);
        ScanEntries(CategoryFileName(BaseDir, category), names, BaseDir, large, nullptr, scanned);
    }
    ApplyScan(large, scanned);
}

void TfrmAppdeck::ApplyScan(bool largeIcons, std::vector<TScannedEntry>& scanned) {
    imgVS2->Clear();
    imgsml->Clear();
    ViewEntries.clear();
    TImageList* images = largeIcons ? imgVS2 : imgsml;
    for (TScannedEntry& e : scanned) {
        e.Entry.ImageIndex = images->AddIcon(e.Icon);
        ViewEntries.push_back(e.Entry);
    }
    EntryCount = static_cast<int>(ViewEntries.size());
    lv2->SetViewStyle(largeIcons ? TViewStyle::vsIcon : TViewStyle::vsReport);
    lv2->SetItemCount(EntryCount);
}

void TfrmAppdeck::CountAvailability() {
    int available = lv2->ItemCount();
    int all = 0;
    if (std::string category = SelectedCategory(); !category.empty()) {
        TIniFile ini(CategoryFileName(BaseDir, category));
        all = static_cast<int>(ini.ReadSections().size());
    }
    totava->SetCaption(IntToStr(available));
    totnava->SetCaption(IntToStr(all > available ? all - available : 0));
}

void TfrmAppdeck::lv2Click(TObject*) {
    int row = lv2->SelectedIndex();
    bool selected = !SelectedCategory().empty() && row >= 0 && row < EntryCount;
    EnableRowActions(selected);
    if (selected) {
        const ViewEntry& e = ViewEntries[static_cast<size_t>(row)];
        if (OwnedIcon icon = GetLargeIcon(ExpandEnvPath(e.Loc))) prev->Picture().SetIcon(std::move(icon));
        else prev->Picture().Clear();
        Label1->SetCaption(DoubleAmpersands(e.Name));
        Label2->SetCaption(DoubleAmpersands(e.Desc));
        button5->HelpKeyword = e.Loc;
        SelectedParam = e.Param;
    } else {
        prev->Picture().Clear();
        prev->Invalidate();
        Label1->SetCaption("");
        Label2->SetCaption("");
        button5->HelpKeyword.clear();
        SelectedParam.clear();
    }
}

void TfrmAppdeck::lv2KeyDown(TObject*, WORD& Key, TShiftState Shift) {
    if (lv2->SelectedIndex() < 0) return;
    TShiftState mods = Shift & (ssShift | ssAlt | ssCtrl);
    if (Key == VK_DELETE) {
        btnremoveClick(btnremove);
    } else if (mods == ssCtrl && Key == 'C') {
        btnCLocClick(btnCLoc);
    } else if (mods == ssCtrl && Key == 'T') {
        btnFTClick(btnft);
    } else if (mods == ssAlt && Key == VK_RETURN) {
        btnPropClick(btnProp);
    } else if (mods == ssCtrl && Key == VK_RETURN) {
        // The edit window comes later.
    } else {
        return;
    }
    Key = 0;
}

void TfrmAppdeck::lv2KeyPress(TObject*, wchar_t& Key) {
    if (Key == L'\r' && lv2->SelectedIndex() >= 0) {
        RunAppz(button5);
        Key = 0;
    }
}

void TfrmAppdeck::btnremoveClick(TObject*) {
    int row = lv2->SelectedIndex();
    std::string category = SelectedCategory();
    if (row < 0 || row >= EntryCount || category.empty()) return;
    std::string name = ViewEntries[static_cast<size_t>(row)].Name;
    if (ConfirmRemove &&
        Application->MessageBox("Are you sure you want to remove \"" + name + "\" ?", Application->Title,
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    {
        TIniFile ini(CategoryFileName(BaseDir, category));
        ini.EraseSection(name);
    }
    CatalogueChanged = true;
    lstCatClick(btnremove);
}

void TfrmAppdeck::ClearAll() {
    for (int k = 0; k < 5; ++k) {
        app[k]->SetCaption("");
        des[k]->SetCaption("");
        run[k]->SetVisible(false);
        run[k]->HelpKeyword.clear();
        pinButtons[2 * k]->SetVisible(false);
        pinButtons[2 * k + 1]->SetVisible(false);
        pic[k]->Picture().Clear();
        pic[k]->Invalidate();
        SlotParam[k].clear();
    }
}

void TfrmAppdeck::UDClick(TObject*) {
    ClearAll();
    std::string category = SelectedCategory();
    if (category.empty() || Temp->Count() == 0) return;
    TIniFile ini(CategoryFileName(BaseDir, category));
    int first = UD->Position() * 5 - 5;
    for (int k = 0; k < 5; ++k) {
        int index = first + k;
        if (index < 0 || index >= Temp->Count()) continue;
        std::string name = Temp->Items()[index];
        app[k]->SetCaption(DoubleAmpersands(name));
        std::string desc = ini.ReadString(name, "Desc", "");
        des[k]->SetCaption(desc.empty() ? "( No Description )" : DoubleAmpersands(desc));
        run[k]->SetVisible(true);
        pinButtons[2 * k]->SetVisible(!ReadOnlyView);
        pinButtons[2 * k + 1]->SetVisible(!ReadOnlyView);
        std::string location = ExpandEnvPath(ResolveRegistryLocation(ini.ReadString(name, "Loc", "")));
        SlotParam[k] = ExpandEnvPath(ini.ReadString(name, "Param", ""));
        if (ExtractFileDrive(location).empty()) location = BaseDir + location;
        run[k]->HelpKeyword = location;
        if (OwnedIcon icon = GetLargeIcon(location)) pic[k]->Picture().SetIcon(std::move(icon));
    }
}

void TfrmAppdeck::Button2Click(TObject* Sender) {
    auto* b = dynamic_cast<TComponent*>(Sender);
    int step = b && b->Tag == 2 ? -1 : 1;
    UD->SetPosition(UD->Position() + step);
    UDClick(UD);
}

OwnedIcon TfrmAppdeck::GetLargeIcon(const std::string& file) { return ShellIcon(file, TShellIconSize::Large); }

std::string TfrmAppdeck::GetPar(const std::string& buttonName) const {
    for (int k = 0; k < 5; ++k)
        if (buttonName == "run" + std::to_string(k + 1)) return SlotParam[k];
    if (buttonName == "button5") return SelectedParam;
    return std::string();
}

// --- launching and program actions -------------------------------------------------

void TfrmAppdeck::RunAppz(TObject* Sender) {
    auto* button = dynamic_cast<TButton*>(Sender);
    if (!button) return;
    std::string params = GetPar(button->Name);
    bool started = false;
    button->HelpKeyword = LaunchProgram(Handle(), button->HelpKeyword, params, BaseDir, RunElevated, &started);
    // Closing or hiding the launcher after a start that failed would only lose
    // the user's place: the after-launch actions follow a successful start.
    if (started) ApplyAfterLaunchActions();
}

void TfrmAppdeck::ApplyAfterLaunchActions() {
    TAfterLaunchActions actions = ReadAfterLaunchActions(SettingsFileName());
    if (actions.Close) Close();
    if (actions.Minimize) Application->Minimize();
    if (actions.TrayMode) Button6->Click();
}

void TfrmAppdeck::btnPropClick(TObject*) { ShowFileProperties(button5->HelpKeyword); }

void TfrmAppdeck::btnFTClick(TObject*) { FindTarget(Handle(), button5->HelpKeyword); }

void TfrmAppdeck::btnCLocClick(TObject*) {
    SetClipboardText(Handle(), CopyLocationText(button5->HelpKeyword, SelectedParam));
}

void TfrmAppdeck::Button7Click(TObject* Sender) {
    auto* button = dynamic_cast<TComponent*>(Sender);
    if (!button) return;
    button5->HelpKeyword = CompleteLocation(button5->HelpKeyword, BaseDir);
    RunPinScript(Handle(), static_cast<int>(button->Tag), button5->HelpKeyword);
}

void TfrmAppdeck::btnVirTotClick(TObject*) { OpenScanPage(button5->HelpKeyword); }

void TfrmAppdeck::PinClick(TObject* Sender) {
    auto* button = dynamic_cast<TButton*>(Sender);
    if (!button) return;
    for (int k = 0; k < 5; ++k) {
        if (pinButtons[2 * k] == button || pinButtons[2 * k + 1] == button) {
            RunPinScript(Handle(), static_cast<int>(button->Tag), CompleteLocation(run[k]->HelpKeyword, BaseDir));
            return;
        }
    }
}

void TfrmAppdeck::QLClick(TObject* Sender) {
    if (auto* b = dynamic_cast<TComponent*>(Sender)) RunQuickLink(b->HelpKeyword);
}

void TfrmAppdeck::OpenHelpKeyword(TObject* Sender) {
    if (auto* b = dynamic_cast<TComponent*>(Sender)) OpenURL(b->HelpKeyword);
}

void TfrmAppdeck::Label4DblClick(TObject*) { ShellOpen(Handle(), BaseDir, "", "", SW_SHOWNORMAL); }

}  // namespace ad
