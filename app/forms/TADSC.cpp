// The Software Center's layout, its list from "SWCenter.db" and the details
// of the selected entry.
#include "app/forms/TADSC.h"

#include <cmath>

#include "app/forms/InfoGrid.h"
#include "app/forms/TfrmAppdeckText.h"
#include "app/lists/SoftwareCenterFile.h"
#include "base/Files.h"
#include "base/WinText.h"

namespace ad {

using namespace ad::grid;
using mainwindow::DoubleAmpersands;

TADSC::TADSC(TComponent* AOwner, ILauncherHost& host) : TForm(AOwner), host_(host) {
    Name = "ADSC";
    SetCaption("Software Center");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(760, 470);

    grdSCList = infowin::MakeInfoGrid(this, this, "grdSCList", 8, 8, 744, 300);
    TReportGrid& g = grdSCList->Grid;
    infowin::AddTextColumn(g, u"Name", 150, stCaseInsensitive);
    infowin::AddTextColumn(g, u"Description", 230);
    infowin::AddTextColumn(g, u"Suggested Category", 120);
    infowin::AddTextColumn(g, u"DLink", 80, stAlphabetic, false);
    infowin::AddTextColumn(g, u"HLink", 80, stAlphabetic, false);
    infowin::AddRatingColumn(g, u"Rating", 80);
    infowin::AddTextColumn(g, u"Last Updated", 80);
    auto* size = g.Columns().AddNew<TRgNumberColumn>();
    size->Header.SetCaption(u"Size (MB)");
    size->SetWidth(70);
    size->Precision = 0;
    size->SortType = stNumeric;
    g.OnSelectCell = [this](TRgCustomGridControl*, int c, int row) { grdSCListSelectCell(c, row); };

    GroupBox1 = MakeControl<TGroupBox>(this, this, "GroupBox1", 8, 314, 744, 120, "Details");
    Label1 = MakeControl<TLabel>(this, GroupBox1, "Label1", 12, 20, 0, 0, "-");
    Label1->Font().SetStyle(fsBold);
    Label2 = MakeControl<TLabel>(this, GroupBox1, "Label2", 12, 44, 0, 0, "-");
    Label2->SetAutoSize(false);
    Label2->SetWordWrap(true);
    Label2->SetBounds(12, 44, 560, 44);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    ryellow = MakeControl<TImage>(this, GroupBox1, "ryellow", 0, 0, 16, 16);
    ryellow->Picture().SetBitmap(infowin::BitmapOf(infowin::StarGlyph(infowin::kStarYellow, 16, background)));
    ryellow->SetVisible(false);
    rgrey = MakeControl<TImage>(this, GroupBox1, "rgrey", 0, 0, 16, 16);
    rgrey->Picture().SetBitmap(infowin::BitmapOf(infowin::StarGlyph(infowin::kStarGrey, 16, background)));
    rgrey->SetVisible(false);
    for (size_t i = 0; i < r.size(); ++i) {
        r[i] = MakeControl<TImage>(this, GroupBox1, "r" + std::to_string(i + 1), 600 + int(i) * 20, 20, 16, 16);
        r[i]->Picture().SetBitmap(OwnedBitmap(static_cast<HBITMAP>(
            ::CopyImage(rgrey->Picture().Bitmap(), IMAGE_BITMAP, 0, 0, 0))));
    }
    lblSize = MakeControl<TLabel>(this, GroupBox1, "lblSize", 600, 44, 0, 0, "Size : -");
    Label3 = MakeControl<TLabel>(this, GroupBox1, "Label3", 12, 94, 0, 0, "Visit Product Page");
    Label3->Font().SetColor(clBlue);
    Label3->Font().SetStyle(fsUnderline);
    Label3->SetEnabled(false);
    Label3->OnClick = [this](TObject* s) { OpenTarget(s); };
    BitBtn1 = MakeControl<TSkinBitBtn>(this, GroupBox1, "BitBtn1", 640, 84, 92, 26, "Download");
    BitBtn1->SetEnabled(false);
    BitBtn1->OnClick = [this](TObject* s) { OpenTarget(s); };
    Label4 = MakeControl<TLabel>(this, this, "Label4", 12, 444, 0, 0, "Total Software : -");

    OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TADSC::FormCreate(TObject*) {
    TReportGrid& g = grdSCList->Grid;
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadFileBytes(host_.BaseFolder() + "SWCenter.db");
    } catch (const Exception&) {
        // A missing or unreadable file lists nothing.
    }
    const TSoftwareCenterList list =
        ReadSoftwareCenter(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    auto text = [&](const std::string& s) {
        if (list.Encoding == TTextFileEncoding::Ansi) return AnsiToUtf16(s);
        return Utf8ToUtf16(s);
    };
    g.BeginUpdate();
    for (const TSoftwareEntry& e : list.Entries) {
        const int row = g.AddRow();
        g.SetCellText(colName, row, text(e.Name + " " + e.Ver));
        g.SetCellText(colDescription, row, text(e.Desc));
        g.SetCellText(colCategory, row, text(e.Category));
        g.SetCellText(colDLink, row, text(e.DLink));
        g.SetCellText(colHLink, row, text(e.HLink));
        g.Cell(colRating, row)->SetAsInteger(RatingStars(e.Rating));
        g.SetCellText(colLastUpdated, row, text(e.LastUpdate));
        g.Cell(colSize, row)->SetAsFloat(std::round(e.Size));  // the column shows no decimals
    }
    g.EndUpdate();
    g.SortColumn(g.Columns().Item(colCategory), true);
    Label4->SetCaption("Total Software : " + std::to_string(g.RowCount()));
}

void TADSC::grdSCListSelectCell(int, int ARow) {
    TReportGrid& g = grdSCList->Grid;
    if (ARow < 0 || ARow >= g.RowCount()) return;
    auto cell = [&](int col) { return infowin::CellText(g, col, ARow); };
    infowin::SetWideCaption(Label1, DoubleAmpersands(infowin::CellWideText(g, colName, ARow)));
    const std::wstring desc = infowin::CellWideText(g, colDescription, ARow);
    infowin::SetWideCaption(Label2, desc.empty() ? L"( No Description )" : DoubleAmpersands(desc));
    BitBtn1->HelpKeyword = cell(colDLink);
    BitBtn1->SetEnabled(!BitBtn1->HelpKeyword.empty());
    Label3->HelpKeyword = cell(colHLink);
    Label3->SetEnabled(!Label3->HelpKeyword.empty());
    lblSize->SetCaption("Size : " + cell(colSize) + " MB");
    const int stars = RatingStars(g.Cell(colRating, ARow)->AsInteger());
    for (size_t i = 0; i < r.size(); ++i) {
        const bool yellow = int(i) < stars;
        HBITMAP source = (yellow ? ryellow : rgrey)->Picture().Bitmap();
        r[i]->Picture().SetBitmap(OwnedBitmap(static_cast<HBITMAP>(::CopyImage(source, IMAGE_BITMAP, 0, 0, 0))));
        r[i]->Invalidate();
    }
}

void TADSC::OpenTarget(TObject* Sender) {
    if (auto* c = dynamic_cast<TComponent*>(Sender)) infowin::OpenWebAddress(c->HelpKeyword);
}

}  // namespace ad
