// The rows of views 2 and 3: what a scan of a category file finds for the
// program list, independent of any window so that it can run on the worker.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Handles.h"

namespace ad {

struct ViewEntry {
    std::string Name;
    std::string Desc;   // "( No Description )" when the entry has none
    std::string Loc;    // resolved location
    std::string Param;  // expanded parameters
    int ImageIndex = -1;
};

// One available entry found by a scan, with its shell icon until the list takes it.
struct TScannedEntry {
    ViewEntry Entry;
    OwnedIcon Icon;
};

// The picture of a program the shell gives no icon for (a shared system icon).
IconRef FallbackIcon();

// Scans the named entries of a category file in order and keeps those whose
// location names an existing file, each with its large (or small) shell icon.
// Stops before the next name when stop() says so; returns false then.
bool ScanEntries(const std::string& categoryFile, const std::vector<std::string>& names, const std::string& baseDir,
                 bool largeIcons, const std::function<bool()>& stop, std::vector<TScannedEntry>& out);

}  // namespace ad
