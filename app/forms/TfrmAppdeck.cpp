// The launcher's main window: construction, start-up and the window's life
// cycle (show, activate, paint, close), its messages and the global hot key.
#include "app/forms/TfrmAppdeck.h"

#include <random>

#include "app/Launch.h"
#include "app/StartUp.h"
#include "app/forms/StatusInfo.h"
#include "app/forms/TfrmAppdeckText.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {

constexpr int kHotKeyId = 212;
// The client size the controls below are placed for, at 96 pixels per inch.
constexpr int kDesignClientW = 850, kDesignClientH = 574, kDesignDpi = 96;

// A design length at the screen's resolution, rounded up so that the
// re-layout's scales are never just below 1 (fonts are truncated).
int AtScreenDpi(int designPixels, int dpi) { return (designPixels * dpi + kDesignDpi - 1) / kDesignDpi; }

}  // namespace

TfrmAppdeck::TfrmAppdeck(TComponent* AOwner, const std::string& baseDir) : TForm(AOwner) {
    Name = "frmAppdeck";
    SetCaption("Appdeck");
    BorderStyle = TFormBorderStyle::bsSingle;
    BorderIcons = biSystemMenu | biMinimize;
    Position = TPosition::poScreenCenter;
    KeyPreview = true;
    // The controls are placed in 96-DPI pixels; the window gets the design
    // client size at the screen's resolution and ResizeKit1 (loaded last)
    // scales the controls to it.
    const int dpi = ScreenPixelsPerInch();
    SetClientSize(AtScreenDpi(kDesignClientW, dpi), AtScreenDpi(kDesignClientH, dpi));
    BaseDir = baseDir.empty() ? ExtractFilePath(ModuleFileName()) : IncludeTrailingPathDelimiter(baseDir);
    for (int i = 1; i <= ParamCount(); ++i) Arguments.push_back(ParamStr(i));
    baseDirAtStart_ = BaseDir;
    viewOptionsWatch_ = TFileChangeWatch(SettingsFileName());

    // The program's one skin manager, with the skin stored in the program; it
    // loads once its properties are set.
    skSkinManager1 = new skin::TSkinManager(this);
    skSkinManager1->Name = "skSkinManager1";
    skSkinManager1->SetActive(false);
    skSkinManager1->SetSkinDirectory("c:\\Skins");
    // The extended border window stays off for now: under Wine a secondary
    // window's border window can cover its controls with the image of its
    // bare client (seen on the settings dialog, not on every show).
    skSkinManager1->SetExtendedBorders(false);
    skSkinManager1->SetBrightness(-1);
    SetLauncherSkinEffects(*skSkinManager1);
    SetLauncherClassLists(*skSkinManager1);
    skin::RegisterBuiltInSkin(*skSkinManager1);
    skSkinManager1->SetSkinName(skin::kBuiltInSkinName);
    skSkinManager1->SetActive(true);
    BuildHeader();
    BuildCategoryColumn();
    BuildViewOne();
    BuildRowToolbar();
    BuildProgramList();

    SB = new TStatusBar(this);
    SB->Name = "SB";
    SB->SetParent(this);
    for (int w : {140, 85, 400, 50}) SB->AddPanel(AtScreenDpi(w, dpi), true);
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
    DisableButtonsWithoutAction();

    LoadResizeKit();

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnPaint = [this](TObject* s) { FormPaint(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnDblClick = [this](TObject* s) { FormDblClick(s); };
}

// The outer size is the one this window's frame gives the client size chosen
// above: a stored outer size would hold another system's frame, and a client a
// few pixels off the design would scale every control and font at 96 DPI too.
void TfrmAppdeck::LoadResizeKit() {
    ResizeKit1 = new TResizeKit(this);
    ResizeKit1->Name = "ResizeKit1";
    ResizeKit1->FormPos = TResizeFormPos::rpDefault;
    ResizeKit1->SetFormWidth(Width());
    ResizeKit1->SetFormHeight(Height());
    ResizeKit1->DesignFrmW = kDesignClientW;
    ResizeKit1->DesignFrmH = kDesignClientH;
    ResizeKit1->DesignDpiW = ResizeKit1->DesignDpiH = kDesignDpi;
    // The page control places its pages inside its frame whenever it is
    // sized; bounds recorded here, before it has a window, would cover the
    // frame's right and bottom edges.
    ResizeKit1->SetNoResizeCtl("vs1Sht;vs2Sht");
    ResizeKit1->Loaded();
}

TfrmAppdeck::~TfrmAppdeck() {
    BeginDestroy();  // no more events: the scan below must not fill a window that is going
    CancelScan();
    CancelMenuIcons();
    CancelOnlineScan();
    if (Application) Application->OnMinimize = nullptr;  // it points at this window
    if (HandleAllocated()) ::UnregisterHotKey(Handle(), kHotKeyId);
}

void TfrmAppdeck::FormCreate(TObject*) {
    Activated = false;
    CatalogueChanged = true;
    // The header and its lines follow the skin; without one they keep back's colour.
    for (TSkinPanel* p : {back, Shape2, Shape3, Shape4, Shape5}) p->SkinData.SetCustomColor(false);
    for (TSkinPanel* p : {Shape2, Shape3, Shape4, Shape5}) p->SetColor(back->Color());
    KeepShortcutFiles = false;
    TIniFile ini(SettingsFileName());
    // The title and a web address show whether or not the settings could be read.
    auto showTitle = [this] {
        Label8->SetCaption("Appdeck");
        std::random_device rd;
        SB->SetPanelText(3, mainwindow::kWebAddresses[rd() % 2]);
    };
    try {
        vs1Sht->SetTabVisible(true);
        vs2Sht->SetTabVisible(false);
        ReadCategory();
        try {
            TRegistry reg;
            if (!reg.OpenKey("Software\\Vorlan", true))
                throw ERegistryException("Error creating system registry entry");
            reg.WriteString("39", ModuleFileName());
        } catch (const ERegistryException&) {
            // Reported; the view, hot key, scripts and colours still follow.
            Application->HandleException(std::current_exception());
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
        skSkinManager1->SetHueOffset(ini.ReadInteger("Settings", "Skin_Hue", 0));
        skSkinManager1->SetSaturation(ini.ReadInteger("Settings", "Skin_Sat", 0));
    } catch (...) {
        showTitle();
        throw;
    }
    showTitle();
}

// Every return from the tray shows the window again: the command line is
// taken at the first show only.
void TfrmAppdeck::FormShow(TObject*) {
    ::DragAcceptFiles(Handle(), TRUE);
    if (lstCat->CanFocus()) lstCat->SetFocus();
    if (argumentsTaken_) return;
    argumentsTaken_ = true;
    if (Arguments.empty() || AsciiLowerCase(Arguments[0]) == "-traymode") {
        Timer1->SetEnabled(true);
        return;
    }
    // Files named on the command line go to the selected category; at start-up
    // none is selected, so they are not added.
    for (const std::string& file : Arguments) PerformDD(file);
}

void TfrmAppdeck::FormActivate(TObject*) {
    Activated = true;
    if (firstActivation_) {
        firstActivation_ = false;
        StartInTray = !Arguments.empty() && AsciiLowerCase(Arguments[0]) == "-traymode";
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

// Painting is frequent: the file is read again only when it may have changed.
void TfrmAppdeck::FormPaint(TObject*) {
    if (viewOptionsWatch_.MayHaveChanged()) LoadViewOptions();
}

void TfrmAppdeck::LoadViewOptions() {
    viewOptionsWatch_.NoteRead();
    TIniFile ini(SettingsFileName());
    SetReadOnlyView(ini.ReadBool("Settings", "ReadOnlyMode", false));
    ConfirmRemove = ini.ReadBool("Settings", "VS23DConfirm", true);
    RunElevated = ini.ReadBool("Settings", "RunAsAdmin", false);
}

void TfrmAppdeck::SetReadOnlyView(bool readOnly) {
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
    int top = ResizeKit1->ScaleY(readOnly ? 40 : 92);
    int height = Button20->Top() - top - ResizeKit1->ScaleY(5);
    if (lstCat->Top() != top || lstCat->Height() != height) lstCat->SetBounds(lstCat->Left(), top, lstCat->Width(), height);
    ReadOnlyView = readOnly;
}

// A portable program often runs where it cannot write (a read-only medium, a
// folder without rights): the view style is then not kept, the user is told
// once, and the window closes all the same.
void TfrmAppdeck::FormClose(TObject*, TCloseAction&) {
    int style = vs1->Down() ? 1 : vs2->Down() ? 2 : vs3->Down() ? 3 : 0;
    try {
        TIniFile ini(SettingsFileName());
        ini.WriteInteger("Settings", "ViewStyle", style);
    } catch (const Exception& e) {
        Application->MessageBox("The view style could not be saved.\r\n\r\n" + e.Message, Application->Title,
                                MB_OK | MB_ICONWARNING);
    }
    CancelScan();
    CancelOnlineScan();
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
    // A hidden window made the foreground one would take the activation of
    // its next show: only a shown window comes to the front.
    if (::IsWindowVisible(Handle())) ::SetForegroundWindow(Handle());
}

}  // namespace ad
