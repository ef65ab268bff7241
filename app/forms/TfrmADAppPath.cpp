// The Application Path tool: the grid's fill from the registry, and Add,
// Remove, Replace and Browse on the two fields.
#include "app/forms/TfrmADAppPath.h"

#include "app/forms/AppPaths.h"
#include "base/StrUtils.h"
#include "framework/SysUtils.h"

namespace ad {

using namespace grid;

TfrmADAppPath::TfrmADAppPath(TComponent* AOwner) : TForm(AOwner) {
    Name = "frmADAppPath";
    SetCaption("Application Path");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(620, 400);

    lblName = Make<TLabel>(this, "lblName", 8, 12, 0, 0, "EXE Name");
    exeName = Make<TEdit>(this, "exeName", 72, 8, 160, 22);
    lblLoc = Make<TLabel>(this, "lblLoc", 8, 40, 0, 0, "Location");
    exeLoc = Make<TEdit>(this, "exeLoc", 72, 36, 508, 22);
    btnBrowse = Make<TSkinBitBtn>(this, "btnBrowse", 584, 36, 28, 22, "...");
    SDAdd = Make<TSkinBitBtn>(this, "SDAdd", 372, 66, 76, 25, "Add");
    SDRem = Make<TSkinBitBtn>(this, "SDRem", 454, 66, 76, 25, "Remove");
    SDRep = Make<TSkinBitBtn>(this, "SDRep", 536, 66, 76, 25, "Replace");

    grdAppPath = new TReportGridWindow(this);
    grdAppPath->Name = "grdAppPath";
    grdAppPath->SetParent(this);
    grdAppPath->SetBounds(8, 98, 604, 294);
    TReportGrid& g = grdAppPath->Grid;
    auto* name = g.Columns().AddNew<TRgTextColumn>();
    name->Header.SetCaption(u"EXE Name");
    name->SetWidth(160);
    name->SortType = stCaseInsensitive;
    auto* loc = g.Columns().AddNew<TRgTextColumn>();
    loc->Header.SetCaption(u"Location");
    loc->SetWidth(420);
    g.SetOptions(goHeader | goGrid | goSelectFullRow);
    g.ReadOnly = true;
    // The row that Add selected or the fields came from stays marked while an edit field has the focus.
    g.SetAppearanceOptions(g.AppearanceOptions() & ~aoHideSelection);

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->Name = "OpenDialog1";
    OpenDialog1->Title = "Browse Application...";
    OpenDialog1->Filter = "Application (*.exe)|*.exe;*.ex";
    OpenDialog1->DefaultExt = ".exe";

    SDAdd->OnClick = [this](TObject* s) { SDAddClick(s); };
    SDRem->OnClick = [this](TObject* s) { SDRemClick(s); };
    SDRep->OnClick = [this](TObject* s) { SDRepClick(s); };
    btnBrowse->OnClick = [this](TObject* s) { btnBrowseClick(s); };
    g.OnSelectCell = [this](TRgCustomGridControl*, int, int row) { grdAppPathSelectCell(row); };
    auto addOnEnter = [this](TObject*, wchar_t& key) {
        if (key != 13) return;
        key = 0;
        SDAddClick(SDAdd);
    };
    exeName->OnKeyPress = addOnEnter;
    exeLoc->OnKeyPress = addOnEnter;
    OnKeyPress = [this](TObject*, wchar_t& key) {
        if (key != 27) return;
        key = 0;
        Close();
    };
    GetAppPath();
}

std::string TfrmADAppPath::CellText(int col, int row) {
    return DefaultTextServices().ToAnsi(grdAppPath->Grid.GetCellText(col, row));
}

void TfrmADAppPath::GetAppPath() {
    std::vector<TAppPathEntry> entries = ListAppPaths();
    TReportGrid& g = grdAppPath->Grid;
    ITextServices& text = DefaultTextServices();
    g.BeginUpdate();
    g.ClearRows();
    for (const TAppPathEntry& e : entries) {
        int row = g.AddRow(1);
        g.SetCellText(0, row, text.FromAnsi(e.Name));
        g.SetCellText(1, row, text.FromAnsi(e.Location));
    }
    g.EndUpdate(true);
}

std::string TfrmADAppPath::SelectedName() {
    TReportGrid& g = grdAppPath->Grid;
    int row = g.CurrentRow();
    if (row < 0 || row >= g.RowCount() || !g.IsRowSelected(row)) return {};
    return CellText(0, row);
}

bool TfrmADAppPath::SelectName(const std::string& keyName) {
    TReportGrid& g = grdAppPath->Grid;
    for (int row = 0; row < g.RowCount(); ++row) {
        if (!AsciiSameText(CellText(0, row), keyName)) continue;
        g.SetSelectedRow(row);
        g.ScrollToRow(row);
        return true;
    }
    return false;
}

void TfrmADAppPath::grdAppPathSelectCell(int ARow) {
    TReportGrid& g = grdAppPath->Grid;
    if (ARow < 0 || ARow >= g.RowCount()) return;
    exeName->SetText(CellText(0, ARow));
    exeLoc->SetText(CellText(1, ARow));
}

void TfrmADAppPath::SDAddClick(TObject*) {
    const std::string name = exeName->Text();
    if (!IsValidAppPathName(name)) return;
    WriteAppPath(name, exeLoc->Text());
    GetAppPath();
    SelectName(AppPathKeyName(name));
}

void TfrmADAppPath::SDRemClick(TObject*) {
    const std::string listed = SelectedName();
    if (!listed.empty()) DeleteAppPath(listed);
    GetAppPath();
}

void TfrmADAppPath::SDRepClick(TObject*) {
    const std::string listed = SelectedName();
    const std::string name = exeName->Text();
    if (!ReplaceAppPath(listed, name, exeLoc->Text())) return;
    GetAppPath();
    SelectName(AppPathKeyName(name));
}

void TfrmADAppPath::btnBrowseClick(TObject*) {
    const std::string folder = ExtractFileDir(exeLoc->Text());
    OpenDialog1->InitialDir = !folder.empty() && DirectoryExists(folder) ? folder : std::string();
    if (OpenDialog1->Execute(Handle())) exeLoc->SetText(OpenDialog1->FileName);
}

}  // namespace ad
