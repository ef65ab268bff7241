// The main window's tray mode: the notification-area icon, the menu of every
// category, the memory trimming timer and the minimise-to-tray setting.
#include "app/forms/TfrmAppdeck.h"

#include <algorithm>

#include "app/Catalogue.h"
#include "app/Launch.h"
#include "app/forms/RamOptimizer.h"
#include "app/forms/TfrmAppdeckText.h"
#include "framework/ComThreadPool.h"
#include "framework/ShellIcon.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {

// The icons go to the GUI thread in batches of at most this many.
constexpr size_t kMenuIconBatch = 32;

}  // namespace

void TfrmAppdeck::BuildTray() {
    TMPop = new TPopupMenu(this);
    TMPop->Name = "TMPop";
    trayAD = new TTrayIcon(this);
    trayAD->Name = "trayAD";
    trayAD->PopupMenu = TMPop;
    trayAD->OnClick = [this](TObject* s) { trayADClick(s); };
    // One shell lookup per program is slow: the menu is built without the
    // programs' icons, and this worker fetches them afterwards.
    trdMenuIcons = new TBackgroundWorker(this);
    trdMenuIcons->Name = "trdMenuIcons";
    trdMenuIcons->InitializesCom = true;
    trdMenuIcons->OnWork = [this](TBackgroundWorker* w) {
        TComThreadPool pool(TComThreadPool::DefaultThreads());
        for (size_t first = 0; first < menuIconFiles_.size(); first += kMenuIconBatch) {
            if (w->StopRequested()) return;
            std::vector<std::pair<size_t, OwnedBitmap>> batch(std::min(kMenuIconBatch, menuIconFiles_.size() - first));
            pool.ForEach(batch.size(), [&](size_t i) {
                OwnedIcon icon = ShellIcon(menuIconFiles_[first + i], TShellIconSize::Small);
                batch[i] = {first + i, IconToBitmap(icon ? IconRef(icon) : FallbackIcon(), 16)};
            });
            if (menuIcons_.Put(batch)) w->ReportFeedback(0, 0);
        }
    };
    trdMenuIcons->OnWorkFeedback = [this](TBackgroundWorker*, int, int) { TakeMenuIcons(); };
    trdMenuIcons->OnWorkComplete = [this](TBackgroundWorker*, bool) { TakeMenuIcons(); };
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

// A window minimised to the tray is hidden while still minimised: showing it
// alone would bring back a minimised window, so it is restored (to its last
// normal or maximised state) and brought to the front.
void TfrmAppdeck::trayADClick(TObject*) {
    Show();
    if (::IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
    ::SetForegroundWindow(Handle());
    RAMO->SetEnabled(false);
    trayAD->DeleteIcon();
}

void TfrmAppdeck::CancelMenuIcons() {
    trdMenuIcons->CancelAndWait();
}

void TfrmAppdeck::TakeMenuIcons() {
    for (auto& [index, bitmap] : menuIcons_.Take())
        if (index < menuIconItems_.size()) menuIconItems_[index]->Bitmap = std::move(bitmap);
}

void TfrmAppdeck::CreateMenu() {
    CancelMenuIcons();  // its icons are for the items about to go
    menuIcons_.Take();
    menuIconItems_.clear();
    menuIconFiles_.clear();
    TMPop->Items().Clear();
    OwnedIcon folderIcon = ShellIcon(ExcludeTrailingPathDelimiter(BaseDir), TShellIconSize::Small);
    for (int c = 0; c < lstCat->Count(); ++c) {
        std::string category = lstCat->Items()[c];
        // Name, "Loc" and "Param" of every entry from one read of the file.
        std::vector<std::vector<std::string>> entries =
            TIniFile(CategoryFileName(BaseDir, category)).ReadKeysOfAllSections({"Loc", "Param"});
        SortByName(entries);
        TMenuItem* categoryItem = TMPop->Items().Add(mainwindow::DoubleAmpersands(category));
        categoryItem->Bitmap = IconToBitmap(folderIcon, 16);
        int available = 0;
        int all = static_cast<int>(entries.size());
        for (const std::vector<std::string>& e : entries) {
            if (e[0].empty()) continue;
            std::string loc = ResolveLocation(e[1], BaseDir);
            if (!FileExists(loc)) continue;
            ++available;
            auto* item = categoryItem->AddItem<TLaunchMenuItem>(e[0]);  // ampersands as stored
            item->Loc = loc + "|" + ExpandEnvPath(e[2]);
            item->OnClick = [this](TObject* s) { ExecMenu(s); };
            menuIconItems_.push_back(item);
            menuIconFiles_.push_back(loc);
            if (available % 25 == 0 && all <= 175) item->Break = TMenuBreak::mbBarBreak;
        }
    }
    if (!menuIconFiles_.empty()) trdMenuIcons->Start();
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

}  // namespace ad
