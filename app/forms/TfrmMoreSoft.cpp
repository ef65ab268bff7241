// The More Software window's list, details and download button.
#include "app/forms/TfrmMoreSoft.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/SWSystem.h"
#include "app/forms/InfoGrid.h"
#include "app/forms/TfrmAppdeckText.h"
#include "app/lists/InfoListRules.h"
#include "base/WinText.h"
#include "framework/FileStreams.h"
#include "framework/Handles.h"

namespace ad {

using namespace ad::grid;

namespace {

// The programs: name, version, description ("|" breaks a line), rating 0..5,
// download address, icon index, share address (may be empty).
const char* const kPrograms[] = {
    "Appdeck\t2016.8\tThe portable program launcher.\t5\thttps://appdeck.example.org/download\t0\t",
    "Quick Launch Bar\t2016.5\tStarts programs from a small bar|at the edge of the screen.\t4\t"
    "https://appdeck.example.org/qlb\t1\thttps://appdeck.example.org/share/qlb",
    "Clipboard Keeper\t2015.12\tKeeps the last hundred texts you copied.\t4\thttps://appdeck.example.org/ck\t2\t",
    "Folder Sizer\t2016.2\tShows which folders take the most space.\t3\thttps://appdeck.example.org/fs\t3\t"
    "https://appdeck.example.org/share/fs",
    "Hash Checker\t2014.9\tChecks downloads against their published digests.\t5\thttps://appdeck.example.org/hc\t4\t",
    "Tiny Notes & Lists\t2016.7\tSticky notes for the desktop.\t2\thttps://appdeck.example.org/tn\t5\t",
};
// The programs' icons: PNG resources "MORESOFTWARE1".. by ID + 1.
constexpr int kIconCount = 6;

// The image at its design size, its see-through parts over colour, as the
// picture's opaque bitmap.
OwnedBitmap FlatImage(TSkinAlphaImageList& list, int index, TColor colour) {
    const std::unique_ptr<TBitmap32> image = list.GetScaledBitmap(index, list.DesignWidth(), list.DesignHeight());
    if (!image) return {};
    DibSection32 flat(image->Width(), image->Height());
    if (!flat) return {};
    const std::uint32_t under = ColorToRGB(colour);
    const int br = int(GetRValue(under)), bg = int(GetGValue(under)), bb = int(GetBValue(under));
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x) {
            const std::uint8_t* p = image->Data() + (size_t(y) * size_t(image->Width()) + size_t(x)) * 4;
            const int a = p[3];
            auto mix = [a](int over, int back) { return std::uint32_t((over * a + back * (255 - a)) / 255); };
            flat.Bits()[size_t(y) * size_t(image->Width()) + size_t(x)] =
                mix(p[0], bb) | (mix(p[1], bg) << 8) | (mix(p[2], br) << 16);
        }
    return flat.Release();
}

}  // namespace

TfrmMoreSoft::TfrmMoreSoft(TComponent* AOwner) : TForm(AOwner) {
    Name = "frmMoreSoft";
    SetCaption("More Software");
    BorderStyle = TFormBorderStyle::bsDialog;
    BorderIcons = biSystemMenu;
    Position = TPosition::poMainFormCenter;
    KeyPreview = true;
    SetClientSize(600, 388);

    grdMore = infowin::MakeInfoGrid(this, this, "grdMore", 8, 8, 584, 230);
    TReportGrid& g = grdMore->Grid;
    infowin::AddTextColumn(g, u"Program Name", 150, stCaseInsensitive);
    infowin::AddTextColumn(g, u"Version", 70);
    infowin::AddTextColumn(g, u"Description", 270);
    infowin::AddRatingColumn(g, u"Rating", 70);
    infowin::AddTextColumn(g, u"Download Link", 80, stAlphabetic, false);
    infowin::AddTextColumn(g, u"ID", 30, stAlphabetic, false);
    infowin::AddTextColumn(g, u"Share Link", 80, stAlphabetic, false);
    g.OnSelectCell = [this](TRgCustomGridControl*, int c, int row) { grdMoreSelectCell(c, row); };

    GroupBox1 = MakeControl<TGroupBox>(this, this, "GroupBox1", 8, 244, 584, 136, "Details");
    imgPIcon = MakeControl<TImage>(this, GroupBox1, "imgPIcon", 12, 22, 32, 32);
    lblPName = MakeControl<TLabel>(this, GroupBox1, "lblPName", 56, 22, 0, 0, "");
    lblPName->Font().SetStyle(fsBold);
    lblPDetails = MakeControl<TLabel>(this, GroupBox1, "lblPDetails", 56, 44, 0, 0, "");
    lblPDetails->SetAutoSize(false);
    lblPDetails->SetWordWrap(true);
    lblPDetails->SetBounds(56, 44, 400, 50);
    msDownload = MakeControl<TSkinBitBtn>(this, GroupBox1, "msDownload", 470, 20, 100, 28, "Download");
    msDownload->Hint = "Click here to download";
    msDownload->OnClick = [this](TObject* s) { msDownloadClick(s); };
    chkShare = MakeControl<TCheckBox>(this, GroupBox1, "chkShare", 470, 58, 100, 20, "Share :)");
    chkShare->SetChecked(true);
    chkShare->OnClick = [this](TObject* s) { chkShareClick(s); };
    for (TWinControl* c : std::initializer_list<TWinControl*>{imgPIcon, lblPName, lblPDetails, msDownload, chkShare})
        c->SetVisible(false);

    imgMore = new TSkinAlphaImageList(this, 32, 32);
    imgMore->Name = "imgMore";
    for (int id = 1; id <= kIconCount; ++id) {
        try {
            TResourceStream png(::GetModuleHandleW(nullptr), "MORESOFTWARE" + std::to_string(id), RT_RCDATA);
            const auto* bytes = static_cast<const std::uint8_t*>(png.Memory());
            imgMore->AddImageFromStream(std::vector<std::uint8_t>(bytes, bytes + png.Size()));
        } catch (const EResNotFound&) {
            break;  // a program without the images: no icons
        }
    }

    lstMore = MakeControl<TMemo>(this, this, "lstMore", 0, 0, 10, 10);
    lstMore->SetVisible(false);
    lstMore->WordWrap = false;  // its lines are the list's rows
    for (const char* line : kPrograms) lstMore->Lines().Add(line);


    OnActivate = [this](TObject* s) { FormActivate(s); };
}

std::string TfrmMoreSoft::ListFileName() { return GetTempDir() + "more.txt"; }

void TfrmMoreSoft::FormActivate(TObject*) {
    TReportGrid& g = grdMore->Grid;
    g.BeginUpdate();
    const std::string fileName = ListFileName();
    try {
        lstMore->Lines().SaveToFile(fileName);
        infowin::LoadListFile(g, fileName);
    } catch (const Exception&) {
        g.ClearRows();  // no temporary folder to write to: the list stays empty
    }
    // A description's line break would show as boxes in its one-line cell.
    for (int row = 0; row < g.RowCount(); ++row) {
        std::u16string desc = g.GetCellText(colDescription, row);
        if (desc.find_first_of(u"\r\n") == std::u16string::npos) continue;
        std::u16string line;
        for (size_t i = 0; i < desc.size(); ++i) {
            if (desc[i] == u'\r' && i + 1 < desc.size() && desc[i + 1] == u'\n') continue;  // CR LF is one break
            line += desc[i] == u'\r' || desc[i] == u'\n' ? u' ' : desc[i];
        }
        g.SetCellText(colDescription, row, line);
    }
    const std::u16string own = AnsiToUtf16(HelpKeyword);
    for (int row = g.RowCount() - 1; row >= 0; --row)
        if (g.GetCellText(colName, row) == own) {
            g.DeleteRow(row);
            break;
        }
    g.SortColumn(g.Columns().Item(colVersion), false);
    g.EndUpdate();
    grdMoreSelectCell(0, g.GetSelectedRow());
}

void TfrmMoreSoft::grdMoreSelectCell(int, int ARow) {
    TReportGrid& g = grdMore->Grid;
    imgPIcon->Picture().Clear();
    const bool selected = ARow >= 0 && ARow < g.RowCount();
    for (TWinControl* c : std::initializer_list<TWinControl*>{imgPIcon, lblPName, lblPDetails, msDownload})
        c->SetVisible(selected);
    if (!selected) {
        chkShare->SetVisible(false);
        msDownload->HelpKeyword.clear();
        return;
    }
    auto cell = [&](int col) { return infowin::CellText(g, col, ARow); };
    auto wide = [&](int col) { return infowin::CellWideText(g, col, ARow); };
    infowin::SetWideCaption(lblPName, mainwindow::DoubleAmpersands(wide(colName)) + L" " + wide(colVersion));
    infowin::SetWideCaption(lblPDetails, mainwindow::DoubleAmpersands(wide(colDescription)));
    msDownload->HelpKeyword = cell(colDownload);
    const int icon = ListIndex(cell(colID), imgMore->ItemCount());
    if (icon >= 0) imgPIcon->Picture().SetBitmap(FlatImage(*imgMore, icon, GroupBox1->EffectiveColor()));
    chkShare->SetVisible(!cell(colShare).empty());
}

void TfrmMoreSoft::msDownloadClick(TObject*) {
    TReportGrid& g = grdMore->Grid;
    const int row = g.GetSelectedRow();
    if (row < 0 || row >= g.RowCount()) return;
    const bool share = chkShare->Visible() && chkShare->Checked();
    infowin::OpenWebAddress(infowin::CellText(g, share ? colShare : colDownload, row));
}

void TfrmMoreSoft::chkShareClick(TObject*) { chkShare->SetCaption(chkShare->Checked() ? "Share :)" : "Share :("); }

}  // namespace ad
