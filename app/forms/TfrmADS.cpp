// The Search window: its description, the search on the worker (texts and
// categories read when it starts, hits handed back to the grid on the GUI
// thread, sorted by name when the search ran to its end), the detail pane of
// the selected row and the launch.
#include "app/forms/TfrmADS.h"

#include <utility>

#include "app/Catalogue.h"
#include "app/Launch.h"
#include "app/forms/TfrmAppdeck.h"
#include "app/forms/TfrmAppdeckText.h"
#include "app/forms/ViewEntries.h"
#include "base/WinText.h"

namespace ad {

TfrmADS::TfrmADS(TComponent* AOwner, ILauncherHost& host, const std::vector<std::string>& categories,
                 bool runElevated)
    : TForm(AOwner), host_(host), runElevated_(runElevated) {
    Name = "frmADS";
    SetCaption("Search");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(700, 440);

    Label1 = Make<TLabel>(this, "Label1", 10, 14, 40, 16, "Name ");
    txtName = Make<TEdit>(this, "txtName", 52, 10, 230, 22);
    txtName->SetTabStop(true);
    Label2 = Make<TLabel>(this, "Label2", 296, 14, 64, 16, "Description");
    txtDesc = Make<TEdit>(this, "txtDesc", 364, 10, 230, 22);
    txtDesc->SetTabStop(true);
    btnSearch = Make<TSkinBitBtn>(this, "btnSearch", 604, 8, 88, 26, "Search");
    btnSearch->SetTabStop(true);
    cmbCat = Make<TComboBox>(this, "cmbCat", 604, 8, 88, 22);
    cmbCat->Style = TComboBoxStyle::csDropDownList;
    cmbCat->SetVisible(false);
    for (const std::string& category : categories) cmbCat->Items().Add(category);

    BuildGrid();

    pic1 = Make<TImage>(this, "pic1", 16, 376, 32, 32);
    pic1->SetCenter(true);
    app1 = Make<TSkinLabel>(this, "app1", 60, 370, 520, 18);
    app1->SetAutoSize(false);
    app1->Font().SetStyle(fsBold);
    des1 = Make<TSkinLabel>(this, "des1", 60, 392, 520, 36);
    des1->SetAutoSize(false);
    des1->SetWordWrap(true);
    run1 = Make<TSkinBitBtn>(this, "run1", 604, 378, 88, 28, "Launch");
    run1->Hint = "Launch this Program";
    run1->SetTabStop(true);
    run1->SetVisible(false);

    trdSearch = new TBackgroundWorker(this);
    trdSearch->Name = "trdSearch";
    trdSearch->OnWork = [this](TBackgroundWorker* w) { trdSearchWork(w); };
    trdSearch->OnWorkFeedback = [this](TBackgroundWorker* w, int id, int value) { trdSearchWorkFeedback(w, id, value); };
    trdSearch->OnWorkComplete = [this](TBackgroundWorker* w, bool c) { trdSearchWorkComplete(w, c); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnKeyPress = [this](TObject* s, wchar_t& k) { FormKeyPress(s, k); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    btnSearch->OnClick = [this](TObject* s) { btnSearchClick(s); };
    txtName->OnKeyPress = [this](TObject* s, wchar_t& k) { SearchBoxKeyPress(s, k); };
    txtDesc->OnKeyPress = [this](TObject* s, wchar_t& k) { SearchBoxKeyPress(s, k); };
    SDGrid->OnKeyDown = [this](TObject* s, WORD& k, TShiftState shift) { SDGridKeyDown(s, k, shift); };
    SDGrid->Grid.OnSelectCell = [this](grid::TRgCustomGridControl*, int c, int r) { SDGridSelectCell(c, r); };
    SDGrid->Grid.OnCellDblClick = [this](grid::TRgCustomGridControl*, int c, int r) { SDGridDblClick(c, r); };
    run1->OnClick = [this](TObject* s) { run1Click(s); };
}

void TfrmADS::BuildGrid() {
    SDGrid = Make<grid::TReportGridWindow>(this, "SDGrid", 8, 42, 684, 318);
    grid::TReportGrid& g = SDGrid->Grid;
    const struct {
        const char16_t* caption;
        int width;
    } columns[] = {{u"Name", 150}, {u"Description", 190}, {u"Category", 100}, {u"Location", 170}, {u"Parameter", 70}};
    for (const auto& c : columns) {
        auto* column = g.Columns().AddNew<grid::TRgTextColumn>();
        column->Header.SetCaption(c.caption);
        column->SetWidth(c.width);
    }
    g.Columns().Item(colName)->SortType = grid::stCaseInsensitive;
    g.SetOptions(grid::goHeader | grid::goGrid | grid::goSelectFullRow);
    g.ReadOnly = true;
}

TfrmADS::~TfrmADS() { StopSearch(); }

void TfrmADS::FormCreate(TObject*) {
    BaseDir = host_.BaseFolder();
    ::SetCurrentDirectoryW(Widen(BaseDir).c_str());
}

void TfrmADS::FormKeyPress(TObject*, wchar_t& Key) {
    if (Key != 27) return;
    Key = 0;
    Close();
}

void TfrmADS::FormClose(TObject*, TCloseAction&) { StopSearch(); }

void TfrmADS::StopSearch() {
    trdSearch->CancelAndWait();
}

void TfrmADS::SearchBoxKeyPress(TObject*, wchar_t& Key) {
    if (Key != L'\r') return;
    Key = 0;
    btnSearchClick(btnSearch);
}

void TfrmADS::btnSearchClick(TObject*) {
    if (trdSearch->IsWorking()) {
        trdSearch->Cancel();
        return;
    }
    // Everything the search reads from controls is read here, on the GUI thread.
    job_.baseDir = BaseDir;
    job_.categories.clear();
    for (int i = 0; i < cmbCat->Items().GetCount(); ++i) job_.categories.push_back(cmbCat->Items().Get(i));
    job_.query = MakeSearchQuery(txtName->Text(), txtDesc->Text());
    grid::TReportGrid& g = SDGrid->Grid;
    g.BeginUpdate();
    g.ClearRows();
    ShowSelectedRow();
    btnSearch->SetCaption("ABORT");
    try {
        trdSearch->Start();
    } catch (...) {
        g.EndUpdate();
        btnSearch->SetCaption("Search");
        throw;
    }
}

void TfrmADS::trdSearchWork(TBackgroundWorker* Worker) {
    auto stop = [Worker] { return Worker->StopRequested(); };
    // Hits go to the GUI thread in batches: one message per batch, not per hit.
    std::vector<TSearchHit> batch;
    try {
        SearchCatalogue(job_.baseDir, job_.categories, job_.query, stop, [&](TSearchHit&& hit) {
            batch.push_back(std::move(hit));
            if (batch.size() >= kHandOverBatch && found_.Put(batch)) Worker->ReportFeedback(0, 0);
        });
    } catch (...) {
        found_.Put(batch);  // the hits found before the error stay
        throw;
    }
    found_.Put(batch);  // the completion takes the last ones
}

void TfrmADS::trdSearchWorkFeedback(TBackgroundWorker*, int, int) { TakeFoundRows(); }

void TfrmADS::TakeFoundRows() {
    std::vector<TSearchHit> hits = found_.Take();
    grid::TReportGrid& g = SDGrid->Grid;
    for (const TSearchHit& hit : hits) {
        int row = g.AddRow();
        g.SetCellText(colName, row, AnsiToUtf16(hit.Name));
        g.SetCellText(colDesc, row, AnsiToUtf16(hit.Desc));
        g.SetCellText(colCategory, row, AnsiToUtf16(hit.Category));
        g.SetCellText(colLoc, row, AnsiToUtf16(hit.Loc));
        g.SetCellText(colParam, row, AnsiToUtf16(hit.Param));
    }
}

void TfrmADS::trdSearchWorkComplete(TBackgroundWorker*, bool Cancelled) {
    TakeFoundRows();  // the last hits, when their request has not been handled yet
    grid::TReportGrid& g = SDGrid->Grid;
    // An aborted search keeps its rows in the order found.
    if (!Cancelled) g.SortColumn(g.Columns().Item(colName), true);
    g.EndUpdate();
    btnSearch->SetCaption("Search");
}

void TfrmADS::ShowSelectedRow() {
    const grid::TReportGrid& g = SDGrid->Grid;
    int row = g.GetSelectedRow();
    if (row < 0 || row >= g.RowCount()) {
        pic1->Picture().Clear();
        app1->SetCaption("");
        des1->SetCaption("");
        run1->HelpKeyword.clear();
        run1->SetVisible(false);
        Parameters.clear();
        return;
    }
    // A location without a drive is the program folder's: the shell finds its icon there.
    ::SetCurrentDirectoryW(Widen(BaseDir).c_str());
    std::string loc = Utf16ToAnsi(g.GetCellText(colLoc, row));
    if (OwnedIcon icon = TfrmAppdeck::GetLargeIcon(ResolveLocation(loc, BaseDir))) pic1->Picture().SetIcon(std::move(icon));
    else pic1->Picture().SetIcon(FallbackIcon());
    app1->SetCaption(mainwindow::DoubleAmpersands(Utf16ToAnsi(g.GetCellText(colName, row))));
    des1->SetCaption(mainwindow::DoubleAmpersands(Utf16ToAnsi(g.GetCellText(colDesc, row))));
    run1->HelpKeyword = loc;
    run1->SetVisible(!loc.empty());
    Parameters = Utf16ToAnsi(g.GetCellText(colParam, row));
}

void TfrmADS::SDGridSelectCell(int, int) { ShowSelectedRow(); }

void TfrmADS::SDGridDblClick(int, int) {
    int row = SDGrid->Grid.GetSelectedRow();
    if (row >= 0 && row < SDGrid->Grid.RowCount()) run1Click(run1);
}

void TfrmADS::SDGridKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key != VK_RETURN || !run1->Visible()) return;
    Key = 0;
    run1Click(run1);
}

void TfrmADS::run1Click(TObject*) {
    HWND owner = nullptr;
    if (auto* main = dynamic_cast<TWinControl*>(Owner()); main && main->HandleAllocated()) owner = main->Handle();
    // The stored location is resolved as the main window resolves it.
    const std::string base = host_.BaseFolder();
    run1->HelpKeyword = LaunchFoundProgram(owner, ResolveLocation(run1->HelpKeyword, base), Parameters, base, runElevated_);
}

}  // namespace ad
