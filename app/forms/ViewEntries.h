// The rows of the views: what a scan of a category file finds for view 1's
// pages and the program list of views 2/3, independent of any window so that
// it can run on the worker.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/ComThreadPool.h"
#include "framework/Handles.h"
#include "framework/IniFiles.h"
#include "framework/ShellIcon.h"

namespace ad {

struct ViewEntry {
    std::string Name;
    std::string Desc;   // "( No Description )" when the entry has none
    std::string Loc;    // resolved location
    std::string Param;  // expanded parameters
    int ImageIndex = -1;  // in the shell's system image list of the view's size
};

// The picture of a program the shell gives no icon for (a shared system icon).
IconRef FallbackIcon();

// The same for the list: the shell's generic program icon, as an index into
// its system image list of that size.
int FallbackImageIndex(bool largeIcons);

// Sorts rows of fields by their first field (a name) as AnsiCompareText
// orders them, each name converted once rather than at every comparison.
void SortByName(std::vector<std::vector<std::string>>& entries);

// What a scan reads; taken on the GUI thread before the scan starts.
struct TScanRequest {
    std::string CategoryFile;
    std::string BaseDir;
    // Availability by the stored location as written (it exists, or BaseDir +
    // it does), without the registry and environment forms: after an import.
    bool PlainLocations = false;
    // The shell icon of each listed row, when the list shows them.
    std::optional<TShellIconSize> Icons;
    // The large icons of the first this many available entries: view 1's
    // first page, which then shows without a shell lookup on the GUI thread.
    size_t PageIcons = 0;
};

// One available entry of the category, in the order of the sorted names.
struct TScannedEntry {
    ViewEntry Row;
    bool Listed = false;  // the resolved location names an existing file: the list shows it
    // Among the first request.PageIcons: looked up, and its large icon (null for none).
    bool HasPageIcon = false;
    OwnedIcon PageIcon;
};

// Reads the category file once, sorts its entries by name (as the hidden name
// list sorts them) and hands the available ones to found() in that order, a
// few at a time, with their icons when asked for (looked up on the pool's
// threads) and the first page's large icons. Stops between those groups when stop() says so and returns false
// then. sections: the number of entries of the file.
bool ScanCategory(const TScanRequest& request, TComThreadPool& pool, const std::function<bool()>& stop,
                  const std::function<void(std::vector<TScannedEntry>&&)>& found, int& sections);

}  // namespace ad
