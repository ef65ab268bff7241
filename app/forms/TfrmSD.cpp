// The Application Manager: its controls, the deferred grid fill by mode, the
// entry operations (Add, Remove, Replace) and the Hopbar registration.
#include "app/forms/TfrmSD.h"

#include "app/Catalogue.h"
#include "base/WinText.h"
#include "framework/Handles.h"
#include "framework/SysUtils.h"
#include "skin/engine/win/SkinCommonData.h"

namespace ad {

using grid::TRgTextColumn;

namespace {

// Asks the window for the fill it deferred.
constexpr UINT WM_FILLGRID = WM_APP + 0x121;

constexpr TColor AvailableColour = 0x3F7C29;     // RGB (41, 124, 63)
constexpr TColor NotAvailableColour = 0x5255DA;  // RGB (218, 85, 82)

}  // namespace

void TOutlinePanel::SetOutlineColor(TColor c) {
    if (c == outline_) return;
    outline_ = c;
    Invalidate();
}

void TOutlinePanel::Paint(HDC dc, const RECT& clip) {
    TSkinPanel::Paint(dc, clip);
    RECT r = ClientRect();
    OwnedBrush brush(::CreateSolidBrush(ColorToRGB(outline_)));
    ::FrameRect(dc, &r, brush.Get());
}

TfrmSD::TfrmSD(TComponent* AOwner, ILauncherHost& host) : TProgramDetailsForm(AOwner, host) {
    Name = "frmSD";
    SetCaption("Application Manager");
    SetClientSize(780, 512);

    Shape1 = MakeControl<TOutlinePanel>(this, this, "Shape1", 7, 7, 766, 302);
    Shape1->SetBevelOuter(TBevelCut::bvNone);
    Shape1->ShowCaption = false;
    SDGrid = MakeControl<grid::TReportGridWindow>(this, Shape1, "SDGrid", 1, 1, 764, 300);
    grid::TReportGrid& g = SDGrid->Grid;
    g.ReadOnly = true;
    g.SetOptions(grid::goGrid | grid::goHeader | grid::goSelectFullRow);
    g.SetAppearanceOptions(g.AppearanceOptions() | grid::aoHighlightSlideCells);
    const struct {
        const char16_t* caption;
        int width;
    } columns[] = {{u"Name", 140}, {u"Description", 170}, {u"Category", 100},
                   {u"Location", 190}, {u"Parameter", 80}, {u"HB Command", 80}};
    for (const auto& c : columns) {
        auto* column = g.Columns().AddNew<TRgTextColumn>();
        column->Header.SetCaption(c.caption);
        column->SetWidth(c.width);
    }
    g.Columns().Item(colName)->SetSortType(grid::stCaseInsensitive);
    g.OnSelectCell = [this](grid::TRgCustomGridControl*, int, int row) { SDGridSelectCell(row); };

    Panel6 = MakeControl<TOutlinePanel>(this, this, "Panel6", 8, 316, 764, 188);
    Panel6->SetBevelOuter(TBevelCut::bvNone);
    Panel6->ShowCaption = false;
    BuildFields(Panel6, 12, 12);
    // The mode colours these labels on the mode's frame: the skin leaves them alone.
    for (TLabel* label : FieldLabels()) label->Tag |= skin::kNoSkinTag;
    OnEnterInField = [this] { SDAddClick(SDAdd); };

    auto button = [&](const char* name, int x, int y, int w, const char* caption) {
        return MakeControl<TSkinBitBtn>(this, Panel6, name, x, y, w, 25, caption);
    };
    SDAdd = button("SDAdd", 648, 10, 104, "Add");
    SDAdd->OnClick = [this](TObject* s) { SDAddClick(s); };
    SDRem = button("SDRem", 648, 40, 104, "Remove");
    SDRem->OnClick = [this](TObject* s) { SDRemClick(s); };
    SDRep = button("SDRep", 648, 70, 104, "Replace");
    SDRep->OnClick = [this](TObject* s) { SDRepClick(s); };
    btnRegHB = button("btnRegHB", 12, 150, 170, "Register HB Command(s)");
    btnRegHB->OnClick = [this](TObject* s) { btnRegHBClick(s); };
    spdOEC = MakeControl<TSkinBitBtn>(this, Panel6, "spdOEC", 186, 150, 44, 25, "OEC ");
    spdOEC->Hint = "Overwrite Existing Command(s)";
    spdOEC->OnClick = [this](TObject* s) { spdOECClick(s); };
    chkOEC = MakeControl<TCheckBox>(this, Panel6, "chkOEC", 240, 154, 200, 17, "Overwrite Existing Command(s)");
    chkOEC->SetVisible(false);

    ListCategories();
    if (cmbCat->Items().Count() > 0) cmbCat->SetItemIndex(0);
    ReadAppz();
}

TfrmSD::TMode TfrmSD::Mode() const {
    return Tag == mdAvailable || Tag == mdNotAvailable ? static_cast<TMode>(Tag) : mdAll;
}

void TfrmSD::ReadAppz() {
    if (fillPosted_) return;
    fillPosted_ = true;
    ::PostMessageW(Handle(), WM_FILLGRID, 0, 0);
}

void TfrmSD::WndProc(TMessage& m) {
    if (m.Msg == WM_FILLGRID) {
        fillPosted_ = false;
        FillGrid();
        m.Result = 0;
        return;
    }
    TProgramDetailsForm::WndProc(m);
}

void TfrmSD::AddRowTexts(int row, const std::string& category, const TProgramEntry& e) {
    grid::TReportGrid& g = SDGrid->Grid;
    g.SetCellText(colName, row, AnsiToUtf16(e.Name));
    g.SetCellText(colDesc, row, AnsiToUtf16(e.Desc));
    g.SetCellText(colCategory, row, AnsiToUtf16(category));
    g.SetCellText(colLoc, row, AnsiToUtf16(e.Loc));
    g.SetCellText(colParam, row, AnsiToUtf16(e.Param));
    g.SetCellText(colHB, row, AnsiToUtf16(e.HBcmd));
}

void TfrmSD::FillGrid() {
    ApplyModeColours();
    // What to show, read before the grid changes: category and entry.
    std::vector<std::pair<std::string, TProgramEntry>> rows;
    TMode mode = Mode();
    if (mode == mdAll) {
        for (int i = 0; i < cmbCat->Items().Count(); ++i) {
            std::string category = cmbCat->Items()[i];
            for (TProgramEntry& e : ReadProgramEntries(CategoryFileName(baseDir_, category)))
                rows.emplace_back(category, std::move(e));
        }
    } else if (std::string category = host_.SelectedCategory(); !category.empty()) {
        for (TProgramEntry& e : ReadProgramEntries(CategoryFileName(baseDir_, category))) {
            bool exists = FileExists(ResolveLocation(e.Loc, baseDir_, TLocationRules::AppManager));
            if (exists == (mode == mdAvailable)) rows.emplace_back(category, std::move(e));
        }
    }
    grid::TReportGrid& g = SDGrid->Grid;
    g.BeginUpdate();
    g.ClearRows();
    if (!rows.empty()) g.AddRow(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) AddRowTexts(static_cast<int>(r), rows[r].first, rows[r].second);
    g.SortColumn(g.Columns().Item(colName), true);
    g.EndUpdate();
}

void TfrmSD::ApplyModeColours() {
    TMode mode = Mode();
    TColor frame = mode == mdAvailable ? AvailableColour : mode == mdNotAvailable ? NotAvailableColour : clWhite;
    TColor outline = mode == mdAll ? clGray : frame;
    // With a skin the frame follows it in mode 0 and shows the mode's colour otherwise.
    Panel6->SkinData.SetCustomColor(mode != mdAll);
    Panel6->SetColor(frame);
    Panel6->SetOutlineColor(outline);
    Shape1->SetOutlineColor(outline);
    for (TLabel* label : FieldLabels()) label->Font().SetColor(mode == mdAll ? clWindowText : clWhite);
    bool canRegister = mode != mdNotAvailable;
    btnRegHB->SetEnabled(canRegister);
    spdOEC->SetEnabled(canRegister);
    chkOEC->SetEnabled(canRegister);
}

std::string TfrmSD::RowText(int column, int row) {
    return Utf16ToAnsi(SDGrid->Grid.GetCellText(column, row));
}

void TfrmSD::SDGridSelectCell(int) {
    int row = SDGrid->Grid.GetSelectedRow();
    if (row < 0 || row >= SDGrid->Grid.RowCount()) return;
    ShowFields(TProgramEntry{RowText(colName, row), RowText(colDesc, row), RowText(colLoc, row),
                             RowText(colParam, row), RowText(colHB, row)});
    cmbCat->SetItemIndex(cmbCat->Items().IndexOf(RowText(colCategory, row)));
}

void TfrmSD::RequestReloadFor(const std::string& category, const std::string& other) {
    std::string shown = host_.SelectedCategory();
    if (!shown.empty() && (category == shown || other == shown)) host_.RequestReload();
}

bool TfrmSD::SelectedRow(int& row, std::string& name, std::string& category) {
    grid::TReportGrid& g = SDGrid->Grid;
    row = g.GetSelectedRow();
    if (g.SelectedCount() <= 0 || row < 0 || row >= g.RowCount()) return false;
    name = RowText(colName, row);
    category = RowText(colCategory, row);
    return true;
}

void TfrmSD::SDAddClick(TObject*) {
    TProgramEntry entry = TakeFields();
    std::string category = cmbCat->Text();
    if (!EntryComplete(entry, category)) return;
    RequestReloadFor(category);
    TIniFile file(CategoryFileName(baseDir_, category));
    WriteProgramEntry(file, entry);
    host_.MarkCatalogueChanged();
    ReadAppz();
}

void TfrmSD::SDRemClick(TObject*) {
    int row;
    std::string name, category;
    if (!SelectedRow(row, name, category)) return;
    // The category the row came from is the one whose file changes.
    RequestReloadFor(category, cmbCat->Text());
    TIniFile(CategoryFileName(baseDir_, category)).EraseSection(name);
    host_.MarkCatalogueChanged();
    SDGrid->Grid.DeleteRow(row);
}

// Moves the selected entry to the fields' name, contents and category. The
// fields are checked first: an incomplete entry leaves the stored one alone.
void TfrmSD::SDRepClick(TObject*) {
    int row;
    std::string name, category;
    if (!SelectedRow(row, name, category)) return;
    TProgramEntry entry = TakeFields();
    std::string target = cmbCat->Text();
    if (!EntryComplete(entry, target)) return;
    RequestReloadFor(category, target);
    MoveProgramEntry(CategoryFileName(baseDir_, category), name, CategoryFileName(baseDir_, target), entry);
    host_.MarkCatalogueChanged();
    SDGrid->Grid.DeleteRow(row);
    ReadAppz();
}

void TfrmSD::spdOECClick(TObject*) {
    spdOEC->SetDown(!spdOEC->Down());
    chkOEC->SetChecked(spdOEC->Down());
}

void TfrmSD::btnRegHBClick(TObject*) {
    const char* caption = "Register HB Command(s)";
    std::string commandFile = HopbarCommandFile();
    if (commandFile.empty()) {
        Application->MessageBox(HopbarNotFound, caption, MB_OK | MB_ICONWARNING);
        return;
    }
    grid::TReportGrid& g = SDGrid->Grid;
    std::vector<THopbarRow> rows;
    for (int r = 0; r < g.RowCount(); ++r)
        rows.push_back(THopbarRow{RowText(colHB, r), RowText(colLoc, r), RowText(colParam, r)});
    THopbarCounts counts = RegisterHopbarCommands(commandFile, rows, baseDir_, chkOEC->Checked());
    Application->MessageBox(HopbarSummary(g.RowCount(), counts), caption, MB_OK | MB_ICONINFORMATION);
}

}  // namespace ad
