// The main window's catalogue operations: the category list, dropped programs,
// adding, deleting, renaming and editing categories, removing an entry, and the
// background scan of the selected category.
#include "app/forms/TfrmAppdeck.h"

#include <shellapi.h>

#include <algorithm>

#include "app/Catalogue.h"
#include "app/SWSystem.h"
#include "framework/Dialogs.h"
#include "framework/FileStreams.h"
#include "framework/SysUtils.h"
#include "framework/UpdateScope.h"

namespace ad {

void TfrmAppdeck::WMDropFiles(HDROP drop) {
    struct DropRelease {
        HDROP h;
        ~DropRelease() { ::DragFinish(h); }
    } release{drop};
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> files;
    for (UINT i = 0; i < count; ++i) {
        UINT length = ::DragQueryFileW(drop, i, nullptr, 0);  // no fixed buffer: long paths stay whole
        std::wstring name(length + 1, L'\0');
        if (::DragQueryFileW(drop, i, name.data(), length + 1) == 0) continue;
        name.resize(length);
        files.push_back(Narrow(name));
    }
    AddPrograms(files);  // one save for the whole drop
    lstCatClick(this);
}


std::string TfrmAppdeck::SelectedCategory() {
    int i = lstCat->ItemIndex();
    return i >= 0 && i < lstCat->Count() ? lstCat->Items()[i] : std::string();
}

std::vector<std::string> TfrmAppdeck::CategoryNames() {
    std::vector<std::string> names;
    for (int i = 0; i < lstCat->Count(); ++i) names.push_back(lstCat->Items()[i]);
    return names;
}

void TfrmAppdeck::ReadCategory() {
    UpdateScope update(lstCat->Items());
    lstCat->Clear();
    ListFileNames(CategoryFolder(BaseDir), "*.dat", lstCat->Items());
}

void TfrmAppdeck::SelectCategoryByName(const std::string& name) {
    lstCat->SetItemIndex(lstCat->Items().IndexOf(name));
}

bool TfrmAppdeck::AddProgram(const std::string& file, TIniFile& category, TShortcutResolver& resolver) {
    if (file.empty()) return false;
    TDroppedProgram p = PrepareDroppedProgram(file, BaseDir, KeepShortcutFiles, &resolver);
    if (!p.Accepted) return false;
    StoreDroppedProgram(category, p);
    CatalogueChanged = true;
    return true;
}

void TfrmAppdeck::PerformDD(const std::string& file) { AddPrograms({file}); }

void TfrmAppdeck::AddPrograms(const std::vector<std::string>& files) {
    std::string category = SelectedCategory();
    if (!CanEdit() || category.empty() || files.empty()) return;
    TIniFile ini(CategoryFileName(BaseDir, category));
    UpdateScope update(ini);  // one save for all of them
    TShortcutResolver resolver;
    for (const std::string& file : files) AddProgram(file, ini, resolver);
}

void TfrmAppdeck::ListAndSelectCategory(const std::string& name) {
    ForceDirectories(CategoryFolder(BaseDir));
    if (lstCat->Items().IndexOf(name) < 0) lstCat->Items().Add(name);
    SelectCategoryByName(name);
}

// The list is filled anew with no row selected: every row action waits for a
// row of it, and the preview no longer shows a program of the old list.
void TfrmAppdeck::SelectCategory() {
    lv2->SetSelectedIndex(-1);
    lv2Click(lv2);
    EnableRowActions(false);
    plainLocations_ = true;  // the import stores plain locations: no registry or environment forms
    if (vs2->Down()) VSClick(vs2);
    else if (vs3->Down()) VSClick(vs3);
    else {
        StartScan(false, false);
        vs1Click(vs1);
    }
}

// The availability of the entries is checked by the scan on the worker; view
// 1's page, the pager, the list and the counters fill as its results arrive.
void TfrmAppdeck::lstCatClick(TObject* Sender) {
    EnableRowActions(false);
    prev->Picture().Clear();
    Label1->SetCaption("");
    Label2->SetCaption("");
    plainLocations_ = false;
    EntryCount = 0;
    int keepRow = Sender == btnremove ? lv2->SelectedIndex() : -1;
    lv2->SetItemCount(0);
    StartScan(keepRow >= 0);
    if (vs1->Down()) vs1Click(vs1);
}

void TfrmAppdeck::CancelScan() {
    Worker->CancelAndWait();
}

void TfrmAppdeck::StartScan(bool afterRemoval, bool selectRow) {
    CancelScan();
    // Everything the scan reads from controls and fields is read here, on the GUI thread.
    scan_ = ScanJob{};
    scan_.afterRemoval = afterRemoval;
    scan_.selectRow = selectRow;
    scan_.listView = ListViewActive();
    scan_.request.BaseDir = BaseDir;  // its own copy: tray mode assigns BaseDir meanwhile
    scan_.request.PlainLocations = plainLocations_;
    if (scan_.listView) scan_.request.Icons = vs3->Down() ? TShellIconSize::Small : TShellIconSize::Large;
    else scan_.request.PageIcons = 5;  // view 1 starts at its first page
    // The shell's icon lookups need it.
    Worker->InitializesCom = scan_.request.Icons.has_value() || scan_.request.PageIcons > 0;
    if (std::string category = SelectedCategory(); !category.empty())
        scan_.request.CategoryFile = CategoryFileName(BaseDir, category);
    scanSections_ = 0;
    // The entries arrive in batches while the scan goes on.
    scanRows_.Take();
    Temp->Clear();
    availableEntries_.clear();
    pageIcons_.clear();
    ClearAll();
    UD->SetPosition(1);
    SetPageCount(0);
    if (scan_.listView) ApplyScan(vs2->Down(), {});
    Worker->Start();
}

void TfrmAppdeck::SetPageCount(size_t entries) {
    int pages = static_cast<int>(entries / 5 + (entries % 5 != 0 ? 1 : 0));
    UD->SetMax(pages < 1 ? 1 : pages);
    oud->SetCaption("of " + IntToStr(pages));
}

void TfrmAppdeck::WorkerWorkComplete(TBackgroundWorker*, bool Cancelled) {
    if (Cancelled) return;  // a newer choice replaced this scan
    TakeScannedRows();  // the last batch, when its request has not been handled yet
    int available = lv2->ItemCount();
    ShowCounters(available, std::max(scanSections_.load(), available));
    if (scan_.listView && scan_.selectRow && lv2->ItemCount() > 0) {
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


// In Read Only mode the button is hidden and its key (Del) does nothing either.
void TfrmAppdeck::btnremoveClick(TObject*) {
    int row = lv2->SelectedIndex();
    std::string category = SelectedCategory();
    if (!CanEdit() || row < 0 || row >= EntryCount || category.empty()) return;
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

}  // namespace ad
