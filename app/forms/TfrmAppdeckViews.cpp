// The main window's views: view 1's pages of five slots, and the program list
// of views 2 and 3 with its preview, counters and keys.
#include "app/forms/TfrmAppdeck.h"

#include <algorithm>

#include "app/Catalogue.h"
#include "app/forms/TfrmAppdeckText.h"
#include "framework/ShellIcon.h"
#include "framework/SysUtils.h"
#include "framework/UpdateScope.h"

namespace ad {

// A running scan goes on: it still brings the entries of view 1's pages.
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
    CancelScan();  // the list is filled for this view; an older scan must not undo it
    button->SetDown(true);
    vs1Sht->SetTabVisible(false);
    vs2Sht->SetCaption(button->Tag == 2 ? "View Style 2" : "View Style 3");
    vs2Sht->SetTabVisible(true);
    PageControl1->SetActivePage(vs2Sht);
    // The rows come from the worker as for a category choice; the counters follow at its end.
    StartScan(false, false);
}

// The rows' pictures are indexes into the shell's system image lists, which
// the list shows directly: nothing is copied on this thread.
void TfrmAppdeck::ApplyScan(bool largeIcons, std::vector<ViewEntry>&& rows) {
    ViewEntries = std::move(rows);
    EntryCount = static_cast<int>(ViewEntries.size());
    lv2->SetViewStyle(largeIcons ? TViewStyle::vsIcon : TViewStyle::vsReport);
    lv2->SetItemCount(EntryCount);
}

void TfrmAppdeck::TakeScannedRows() {
    std::vector<TScannedEntry> found = scanRows_.Take();
    if (found.empty()) return;
    size_t before = availableEntries_.size();
    {
        UpdateScope update(Temp->Items());
        for (TScannedEntry& s : found) {
            Temp->Items().Add(s.Row.Name);
            if (scan_.listView && s.Listed) ViewEntries.push_back(s.Row);
            if (s.HasPageIcon) {
                pageIcons_.resize(availableEntries_.size() + 1);
                pageIcons_.back() = std::move(s.PageIcon);
            }
            availableEntries_.push_back(std::move(s.Row));
        }
    }
    SetPageCount(availableEntries_.size());
    if (scan_.listView) {
        EntryCount = static_cast<int>(ViewEntries.size());
        lv2->SetItemCount(EntryCount);
    }
    // View 1's page shows the entries that belong to it as they arrive.
    size_t first = static_cast<size_t>(std::max(UD->Position() - 1, 0)) * 5;
    if (vs1->Down() && before < first + 5 && availableEntries_.size() > first) UDClick(UD);
}

void TfrmAppdeck::CountAvailability() {
    int available = lv2->ItemCount();
    int all = 0;
    if (std::string category = SelectedCategory(); !category.empty()) {
        TIniFile ini(CategoryFileName(BaseDir, category));
        all = static_cast<int>(ini.ReadSections().size());
    }
    ShowCounters(available, all);
}

void TfrmAppdeck::ShowCounters(int available, int all) {
    totava->SetCaption(IntToStr(available));
    totnava->SetCaption(IntToStr(all > available ? all - available : 0));
}

bool TfrmAppdeck::RowSelected() {
    int row = lv2->SelectedIndex();
    return ListViewActive() && !SelectedCategory().empty() && row >= 0 && row < EntryCount;
}

void TfrmAppdeck::lv2Click(TObject*) {
    int row = lv2->SelectedIndex();
    bool selected = RowSelected();
    EnableRowActions(selected);
    if (selected) {
        const ViewEntry& e = ViewEntries[static_cast<size_t>(row)];
        if (OwnedIcon icon = GetLargeIcon(ExpandEnvPath(e.Loc))) prev->Picture().SetIcon(std::move(icon));
        else prev->Picture().Clear();
        Label1->SetCaption(mainwindow::DoubleAmpersands(e.Name));
        Label2->SetCaption(mainwindow::DoubleAmpersands(e.Desc));
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
        btneditClick(btnedit);
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


void TfrmAppdeck::ClearAll() {
    for (int k = 0; k < 5; ++k) ClearSlot(k);
}

void TfrmAppdeck::ClearSlot(int k) {
    const size_t i = static_cast<size_t>(k);
    if (slotCleared_[i] && !slotShown_[i]) return;
    slotCleared_[i] = true;
    slotShown_[i].reset();
    app[k]->SetCaption("");
    des[k]->SetCaption("");
    run[k]->SetVisible(false);
    run[k]->HelpKeyword.clear();
    pinButtons[2 * k]->SetVisible(false);
    pinButtons[2 * k + 1]->SetVisible(false);
    pic[k]->Picture().Clear();
    pic[k]->Invalidate();
    SlotParam[i].clear();
}

void TfrmAppdeck::FillSlot(int k, size_t entry) {
    const ViewEntry& e = availableEntries_[entry];
    const size_t i = static_cast<size_t>(k);
    pinButtons[2 * k]->SetVisible(!ReadOnlyView);
    pinButtons[2 * k + 1]->SetVisible(!ReadOnlyView);
    if (const std::optional<ViewEntry>& shown = slotShown_[i];
        shown && shown->Name == e.Name && shown->Desc == e.Desc && shown->Loc == e.Loc && shown->Param == e.Param)
        return;
    ClearSlot(k);
    slotShown_[i] = e;
    app[k]->SetCaption(mainwindow::DoubleAmpersands(e.Name));
    des[k]->SetCaption(mainwindow::DoubleAmpersands(e.Desc));
    run[k]->SetVisible(true);
    pinButtons[2 * k]->SetVisible(!ReadOnlyView);
    pinButtons[2 * k + 1]->SetVisible(!ReadOnlyView);
    SlotParam[i] = e.Param;
    run[k]->HelpKeyword = e.Loc;
    // The scan looked up the first page's icons; each is used once.
    OwnedIcon icon;
    if (entry < pageIcons_.size() && pageIcons_[entry]) icon = std::move(*pageIcons_[entry]);
    else icon = GetLargeIcon(e.Loc);
    if (entry < pageIcons_.size()) pageIcons_[entry].reset();
    if (icon) pic[k]->Picture().SetIcon(std::move(icon));
}

// The page at the pager's position, from the entries the scan found.
void TfrmAppdeck::UDClick(TObject*) {
    const bool entries = !SelectedCategory().empty() && !availableEntries_.empty();
    const int first = UD->Position() * 5 - 5;
    for (int k = 0; k < 5; ++k) {
        const int index = first + k;
        if (!entries || index < 0 || static_cast<size_t>(index) >= availableEntries_.size()) ClearSlot(k);
        else FillSlot(k, static_cast<size_t>(index));
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

}  // namespace ad
