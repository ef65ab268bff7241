// The rows of views 2 and 3: what a scan of a category file finds for the
// program list, independent of any window so that it can run on the worker.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/IniFiles.h"

namespace ad {

struct ViewEntry {
    std::string Name;
    std::string Desc;   // "( No Description )" when the entry has none
    std::string Loc;    // resolved location
    std::string Param;  // expanded parameters
    int ImageIndex = -1;  // in the shell's system image list of the view's size
};

// What launching an entry of a category file uses: its location resolved
// against baseDir and its parameters with the environment expanded.
struct EntryTarget {
    std::string Loc;
    std::string Param;
};
EntryTarget ReadEntryTarget(TIniFile& categoryFile, const std::string& name, const std::string& baseDir);

// The picture of a program the shell gives no icon for (a shared system icon).
IconRef FallbackIcon();

// The same for the list: the shell's generic program icon, as an index into
// its system image list of that size.
int FallbackImageIndex(bool largeIcons);

// Scans the named entries of a category file in order and hands each one whose
// location names an existing file to found(), with the index of its large (or
// small) shell icon in the system image list. Stops before the next name when
// stop() says so; returns false then.
bool ScanEntries(const std::string& categoryFile, const std::vector<std::string>& names, const std::string& baseDir,
                 bool largeIcons, const std::function<bool()>& stop, const std::function<void(ViewEntry&&)>& found);

}  // namespace ad
