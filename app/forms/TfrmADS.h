// TfrmADS, "Search": finds the entries of every category whose name and
// description contain the typed texts, lists those whose files exist in a
// report grid, and launches the selected one. The search runs on a background
// worker: the texts and the category list are read when it starts, and the
// rows it finds come back to the grid on the GUI thread.
#pragma once

#include <string>
#include <vector>

#include "app/LauncherHost.h"
#include "app/forms/CatalogueSearch.h"
#include "app/forms/SkinnedControls.h"
#include "framework/BackgroundWorker.h"
#include "framework/ExtCtrls.h"
#include "framework/HandOver.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "grid/GridWindow.h"

namespace ad {

class TfrmADS : public TForm {
public:
    // categories: the main window's category list, searched in that order;
    // runElevated: the main window's "RunAsAdmin" choice.
    TfrmADS(TComponent* AOwner, ILauncherHost& host, const std::vector<std::string>& categories, bool runElevated);
    // A search still going is cancelled and waited for first: it hands rows to the grid.
    ~TfrmADS() override;

    // The grid's columns.
    enum : int { colName, colDesc, colCategory, colLoc, colParam };

    TLabel* Label1;
    TEdit* txtName;
    TLabel* Label2;
    TEdit* txtDesc;
    TSkinBitBtn* btnSearch;
    TComboBox* cmbCat;  // hidden: the categories to search
    grid::TReportGridWindow* SDGrid;
    TImage* pic1;
    TSkinLabel* app1;
    TSkinLabel* des1;
    TSkinBitBtn* run1;  // its help keyword is the launch target
    TBackgroundWorker* trdSearch;

    std::string BaseDir;  // the program's folder, with "\"
    std::string Parameters;  // of the selected row, for run1

    void FormCreate(TObject* Sender);
    void FormKeyPress(TObject* Sender, wchar_t& Key);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void btnSearchClick(TObject* Sender);
    void SearchBoxKeyPress(TObject* Sender, wchar_t& Key);
    void SDGridSelectCell(int ACol, int ARow);
    void SDGridDblClick(int ACol, int ARow);
    void SDGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void run1Click(TObject* Sender);
    void trdSearchWork(TBackgroundWorker* Worker);
    void trdSearchWorkFeedback(TBackgroundWorker* Worker, int FeedbackID, int FeedbackValue);
    void trdSearchWorkComplete(TBackgroundWorker* Worker, bool Cancelled);

private:
    template <class T>
    T* Make(TWinControl* parent, const char* name, int x, int y, int w, int h, const std::string& caption = "") {
        return MakeControl<T>(this, parent, name, x, y, w, h, caption);
    }
    void BuildGrid();
    // The detail pane shows the selected row, or nothing.
    void ShowSelectedRow();
    void StopSearch();
    static constexpr size_t kHandOverBatch = 128;
    // On the GUI thread: the queued hits become rows.
    void TakeFoundRows();

    ILauncherHost& host_;
    bool runElevated_;
    // What the work reads, set on the GUI thread before it starts.
    struct SearchJob {
        std::string baseDir;
        std::vector<std::string> categories;
        TSearchQuery query;
    } job_;
    THandOver<TSearchHit> found_;  // hits not yet in the grid
};

}  // namespace ad
