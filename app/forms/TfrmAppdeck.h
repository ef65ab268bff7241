// The launcher's main window: the category list, view 1 with its pages of five
// program slots, launching, and the catalogue operations (add, delete, rename
// and edit categories, drop programs, remove entries). Settings are read from
// "Appdeck.ini" beside the program whenever they are needed. Its definitions are
// split by concern: TfrmAppdeck.cpp (life cycle), TfrmAppdeckLayout.cpp,
// TfrmAppdeckCatalogue.cpp, TfrmAppdeckViews.cpp, TfrmAppdeckTray.cpp and
// TfrmAppdeckActions.cpp.
#pragma once

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "app/Catalogue.h"
#include "app/LauncherHost.h"
#include "app/ResizeKit.h"
#include "app/forms/SettingsFile.h"
#include "app/forms/SkinnedControls.h"
#include "framework/HandOver.h"
#include "app/forms/ViewEntries.h"
#include "framework/BackgroundWorker.h"
#include "framework/TrayIcon.h"
#include "skin/engine/win/SkinManager.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/IniFiles.h"
#include "framework/ListView.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"

namespace ad {

class TfrmAppdeck : public TForm, public ILauncherHost {
public:
    // baseDir: the program's folder with "\"; empty means the executable's folder.
    explicit TfrmAppdeck(TComponent* AOwner, const std::string& baseDir = std::string());
    ~TfrmAppdeck() override;

    // --- the window's state ---
    std::string BaseDir;
    bool CatalogueChanged = true;
    bool RunElevated = false;
    bool ReadOnlyView = false;
    bool ConfirmRemove = true;
    bool StartInTray = false;
    bool Activated = false;
    std::array<std::string, 5> SlotParam;
    std::string SelectedParam;
    int EntryCount = 0;
    std::vector<ViewEntry> ViewEntries;  // the rows of views 2/3
    bool KeepShortcutFiles = false;
    // The command line's arguments after the program's name, read at creation.
    std::vector<std::string> Arguments;

    // --- what the secondary windows ask of the main window ---
    std::string BaseFolder() const override { return BaseDir; }
    // The selected category's name, or "" when none is selected.
    std::string SelectedCategory() override;
    std::vector<std::string> CategoryNames() override;
    void ReloadCategory() override { lstCatClick(this); }
    // The request is lv2's Tag: 1 asks for a reload after the window closes.
    void RequestReload() override { lv2->Tag = 1; }
    // After an import: reloads the selected category, taking stored locations as written.
    void SelectCategory() override;
    void CountAvailability() override;
    void PerformDD(const std::string& file) override;
    void AddPrograms(const std::vector<std::string>& files) override;
    void ListAndSelectCategory(const std::string& name) override;
    void MarkCatalogueChanged() override { CatalogueChanged = true; }
    skin::TSkinManager& SkinManager() override { return *skSkinManager1; }
    void SetReadOnlyView(bool readOnly) override;

    // --- handlers and operations ---
    void lstCatClick(TObject* Sender);
    void lv2Click(TObject* Sender);
    void btnremoveClick(TObject* Sender);
    std::string GetPar(const std::string& buttonName) const;
    static OwnedIcon GetLargeIcon(const std::string& file);  // the shell's 32x32 icon; null when none
    // Reads the view options now; a paint reads them only when the settings
    // file may have changed since (by its time stamp and size).
    void LoadViewOptions();
    std::string SettingsFileName() const { return BaseDir + "Appdeck.ini"; }
    void ReadCategory();
    // Tray mode: the window hides and lives as a notification-area icon.
    void SendToTray();
    void WMHotKey(int id);
    void trayADClick(TObject* Sender);
    void CreateMenu();
    void RAMOTimer(TObject* Sender);
    // Previous or next page of view 1, by the sender's Tag (2 previous, else next).
    void Button2Click(TObject* Sender);

    // --- components ---
    skin::TSkinManager* skSkinManager1;
    TResizeKit* ResizeKit1;
    TSkinPanel* back;
    // Header and group panels in back's colour.
    TSkinPanel *Shape2, *Shape3, *Shape4, *Shape5;
    TSkinLabel* Label8;
    TSkinLabel* Label4;
    TSkinBitBtn *btnSettings, *btnAbout, *btnUpdate, *btnHome, *btnMore;
    TSpeedButton* SpeedButton1;
    TSkinBitBtn *BitBtn1, *btnAdd, *btnDel, *btnRen, *ewn;
    TListBox* lstCat;
    TListBox* Temp;
    TSkinBitBtn *Button20, *Button4, *BitBtn8, *Button6;
    TSpeedButton *vs1, *vs2, *vs3;
    TPageControl* PageControl1;
    TTabSheet *vs1Sht, *vs2Sht;
    std::array<TSkinPanel*, 5> slot;  // the frame of each slot
    std::array<TSkinLabel*, 5> app, des;
    std::array<TImage*, 5> pic;
    std::array<TSkinBitBtn*, 5> run;
    std::array<TSkinBitBtn*, 10> pinButtons;  // Button10..Button19: pin, unpin for each slot
    TSkinBitBtn *Button2, *Button3;
    TEdit* txtPage;
    TUpDown* UD;
    TSkinLabel* oud;
    std::array<TSkinBitBtn*, 6> quickLinks;  // BitBtn2..BitBtn7
    // Toolbar of views 2/3: actions on the selected row (button5 holds its location).
    TSkinBitBtn *button5, *btnft, *button7, *button9, *btnProp, *btnedit, *btnremove, *btnAppPath, *btnCS, *btnCLoc,
        *btnVirTot, *btnHash;
    // Views 2/3: the program list, its preview and counters.
    TListView* lv2;
    TImageList *imgVS2, *imgsml;  // the shell's system image lists, large and small
    TImage* prev;
    TSkinLabel *Label1, *Label2, *lblava, *totava, *lblnava, *totnava;
    TBackgroundWorker* Worker;
    // Hashes the selected program for its online scan page beside the window.
    TBackgroundWorker* trdOnlineScan;
    TStatusBar* SB;
    TTimer* Timer1;
    TTimer* Timer2;  // status bar figures, every second
    // Tray mode.
    TTrayIcon* trayAD;
    TPopupMenu* TMPop;
    TBackgroundWorker* trdMenuIcons;  // the tray menu's program icons, after the menu is built
    TTimer* RAMO;

protected:
    void WndProc(TMessage& m) override;

private:
    // Start-up and life cycle.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormPaint(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDblClick(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void Timer2Timer(TObject* Sender);
    void WMDropFiles(HDROP drop);

    // Catalogue.
    void btnAddClick(TObject* Sender);
    void btnDelClick(TObject* Sender);
    void btnRenClick(TObject* Sender);
    void ewnClick(TObject* Sender);
    void lstCatKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void SelectCategoryByName(const std::string& name);
    bool AddProgram(const std::string& file, TIniFile& category, TShortcutResolver& resolver);

    // View 1.
    void vs1Click(TObject* Sender);
    void VSClick(TObject* Sender);
    void UDClick(TObject* Sender);
    void ClearAll();
    // One slot of view 1's page; each does nothing when the slot shows that already.
    void ClearSlot(int k);
    void FillSlot(int k, size_t entry);  // an index into availableEntries_

    // Launching and program actions.
    void RunAppz(TObject* Sender);
    void btnPropClick(TObject* Sender);
    void btnFTClick(TObject* Sender);
    void btnCLocClick(TObject* Sender);
    void Button7Click(TObject* Sender);
    void btnVirTotClick(TObject* Sender);
    void btnHashClick(TObject* Sender);
    void trdOnlineScanWorkComplete(bool Cancelled);
    void CancelOnlineScan();
    void EnableRowActions(bool enabled);
    void DisableButtonsWithoutAction();
    void PinClick(TObject* Sender);
    void QLClick(TObject* Sender);
    void OpenHelpKeyword(TObject* Sender);
    void btnSettingsClick(TObject* Sender);
    void btnAboutClick(TObject* Sender);
    void BitBtn1Click(TObject* Sender);
    void BitBtn8Click(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void btnMoreClick(TObject* Sender);
    void btnUpdateClick(TObject* Sender);
    void btnAppPathClick(TObject* Sender);
    void btnCSClick(TObject* Sender);
    void Button4Click(TObject* Sender);     // Application Manager, all programs
    void lblavaClick(TObject* Sender);      // Application Manager, available or missing programs
    void btneditClick(TObject* Sender);
    void Label4DblClick(TObject* Sender);
    void Button20Click(TObject* Sender);  // Search
    void ApplyAfterLaunchActions();

    template <class T>
    T* Make(TWinControl* parent, const char* name, int x, int y, int w, int h, const std::string& caption = "");
    void BuildHeader();
    void BuildCategoryColumn();
    void BuildViewOne();
    void BuildRowToolbar();
    void BuildProgramList();
    // Views 2/3.
    void ApplyScan(bool largeIcons, std::vector<ViewEntry>&& rows);
    // Adds what the worker's scan has handed over so far to Temp, view 1's
    // page when it is not full and the list.
    void TakeScannedRows();
    bool ListViewActive() const { return vs2->Down() || vs3->Down(); }
    // Whether a row of the list shown is selected: the row actions act on none else.
    bool RowSelected();
    void lv2KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void lv2KeyPress(TObject* Sender, wchar_t& Key);
    void WorkerWorkComplete(TBackgroundWorker* Sender, bool Cancelled);
    // Scans the selected category on the worker for the view shown, after
    // stopping the scan that runs. selectRow: the end of the scan selects a
    // row of the list (the first, or after a removal the one at the removed
    // row's place).
    void StartScan(bool afterRemoval, bool selectRow = true);
    // The pager for that many available entries (its position is left alone).
    void SetPageCount(size_t entries);
    void ShowCounters(int available, int all);
    // Stops the worker's scan and waits for it: a newer choice replaces it.
    void CancelScan();
    void BuildTray();
    // Stops the worker that fetches the tray menu's icons and waits for it.
    void CancelMenuIcons();
    void TakeMenuIcons();
    void LoadResizeKit();
    void ExecMenu(TObject* Sender);
    void ApplicationEvents1Minimize(TObject* Sender);
    bool CanEdit() const { return !ReadOnlyView; }

    bool argumentsTaken_ = false;  // the first show has handled the command line
    std::string baseDirAtStart_;  // the program's folder ("BaseDir" is set to it again for tray mode)
    // What the worker's scan reads (set on the GUI thread before it starts) and finds.
    struct ScanJob {
        TScanRequest request;
        bool listView = false;
        bool afterRemoval = false;
        bool selectRow = true;
    } scan_;
    THandOver<TScannedEntry> scanRows_;  // found by the worker, not yet in the views
    std::atomic<int> scanSections_{0};  // the entries of the scanned file, set by the scan
    // After an import the scan takes stored locations as written.
    bool plainLocations_ = false;
    // The available entries of the selected category in the order of Temp: view 1's pages.
    std::vector<ViewEntry> availableEntries_;
    // The large icons the scan looked up for view 1's first page, by the
    // index of their entry; each is taken by the slot that shows it.
    std::vector<std::optional<OwnedIcon>> pageIcons_;
    // Whether the settings file changed since the view options were last read.
    TFileChangeWatch viewOptionsWatch_{std::string()};  // set once BaseDir is known
    std::string onlineScanFile_;     // set before trdOnlineScan starts
    std::string onlineScanAddress_;  // its result
    // The tray menu's program items and their locations (read before the
    // worker starts); the worker hands back each item's bitmap by its index.
    std::vector<TMenuItem*> menuIconItems_;
    std::vector<std::string> menuIconFiles_;
    THandOver<std::pair<size_t, OwnedBitmap>> menuIcons_;
    bool firstActivation_ = true;
    // What each slot of view 1 shows (nothing when empty): every caption,
    // visibility and picture change repaints, and the page is shown again as
    // a scan's entries arrive.
    std::array<std::optional<ViewEntry>, 5> slotShown_;
    std::array<bool, 5> slotCleared_{};  // false until the first clear
};

// An item of the tray menu: Loc is the program's location, "|" and its parameters.
class TLaunchMenuItem : public TMenuItem {
public:
    using TMenuItem::TMenuItem;
    std::string Loc;
};

}  // namespace ad
