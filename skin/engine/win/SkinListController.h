// The skin list of a manager with a thumbnail per skin: the stored skins and
// the packed skins of the skin directory, each with the preview picture at
// the end of its packed data (140 x 100) in the manager's thumbnail list, and
// the notices that tell listening windows when the list or its pictures change.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/ListView.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/skinfile/SkinList.h"

namespace ad::skin {

// The manager's skins of a kind (TSkinListKind) from its resolved skin folder.
std::vector<std::string> ListSkins(TSkinManager& manager, int kind, std::string& firstName);

// The preview of a packed skin file; false when the file is missing or has none.
bool ReadPreviewFromFile(std::vector<uint8_t>& target, const std::string& fileName);

class TSkSkinListController {
public:
    static constexpr int ThumbnailWidth = 140, ThumbnailHeight = 100;

    struct TEntry {
        std::string Name;
        int ImageIndex = -1;  // into Images(); -1 without a preview
    };

    explicit TSkSkinListController(TSkinManager& manager) : manager_(manager) {}

    // Reads the entries and thumbnails again, then NotifyListUpdate.
    void Rebuild();
    const std::vector<TEntry>& Entries() const { return entries_; }
    // The manager's thumbnail list.
    TImageList& Images() { return manager_.SkinThumbnails(ThumbnailWidth, ThumbnailHeight); }

    // Controls that hear of changes (the program registers none).
    std::vector<TWinControl*> Listeners;
    // SKC_SKINLISTCHANGED: posted to listeners with a window, performed at once
    // on the others (which makes their window).
    void NotifyListChanged();
    // SKC_SKINLISTUPDATE: performed on every listener.
    void NotifyListUpdate();

private:
    void AddEntry(const std::string& name, const std::vector<uint8_t>& preview, bool hasPreview);

    TSkinManager& manager_;
    std::vector<TEntry> entries_;
};

}  // namespace ad::skin
