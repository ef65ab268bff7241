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

bool TfrmAppdeck::AddProgram(const std::string& file, TIniFile& category) {
    if (file.empty()) return false;
    TDroppedProgram p = PrepareDroppedProgram(file, BaseDir, KeepShortcutFiles);
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
    UpdateScope update(ini);
    for (const std::string& file : files) AddProgram(file, ini);
}

void TfrmAppdeck::ListAndSelectCategory(const std::string& name) {
    ForceDirectories(CategoryFolder(BaseDir));
    if (lstCat->Items().IndexOf(name) < 0) lstCat->Items().Add(name);
    SelectCategoryByName(name);
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
            bool available = resolveLocations ? LocationAvailable(loc, BaseDir) : FileAvailable(loc, BaseDir);
            if (available) Temp->Items().Add(name);
        }
    }
    int count = Temp->Count();
    int pages = count / 5 + (count % 5 != 0 ? 1 : 0);
    UD->SetMax(pages < 1 ? 1 : pages);
    UD->SetPosition(1);
    oud->SetCaption("of " + IntToStr(pages));
}

// The list is filled anew with no row selected: every row action waits for a
// row of it, and the preview no longer shows a program of the old list.
void TfrmAppdeck::SelectCategory() {
    lv2->SetSelectedIndex(-1);
    lv2Click(lv2);
    FillAvailableEntries(false);  // the import stores plain locations: no registry or environment forms
    ClearAll();
    if (vs1->Down()) vs1Click(vs1);
    else if (vs2->Down()) VSClick(vs2);
    else if (vs3->Down()) VSClick(vs3);
    CountAvailability();
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
    CancelScan();
    StartScan(keepRow >= 0);
    if (vs1->Down()) vs1Click(vs1);
}

void TfrmAppdeck::CancelScan() {
    if (!Worker->IsWorking()) return;
    Worker->Cancel();
    Worker->WaitFor();
}

void TfrmAppdeck::StartScan(bool afterRemoval, bool selectRow) {
    // Everything the scan reads from controls is read here, on the GUI thread.
    scan_ = ScanJob{};
    scan_.afterRemoval = afterRemoval;
    scan_.selectRow = selectRow;
    std::string category = SelectedCategory();
    scan_.listView = ListViewActive();
    scan_.largeIcons = !vs3->Down();
    if (!category.empty()) {
        scan_.categoryFile = CategoryFileName(BaseDir, category);
        for (int i = 0; i < Temp->Count(); ++i) scan_.names.push_back(Temp->Items()[i]);
    }
    // The rows arrive in batches while the scan goes on.
    scanRows_.Take();
    if (scan_.listView) ApplyScan(scan_.largeIcons, {});
    Worker->Start();
}

void TfrmAppdeck::WorkerWorkComplete(TBackgroundWorker*, bool Cancelled) {
    if (Cancelled) return;  // a newer choice replaced this scan
    if (scan_.listView) {
        ClearAll();
        TakeScannedRows();  // the last batch, when its request has not been handled yet
    }
    CountAvailability();
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
