// The search over every category, independent of any window so that it runs
// on the search window's worker: which entries match the two search texts,
// and which of them name an existing file.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ad {

// The two search texts, lower-cased (ASCII letters only) once, when a search starts.
struct TSearchQuery {
    std::string Name;
    std::string Desc;
};
TSearchQuery MakeSearchQuery(const std::string& nameText, const std::string& descText);

// Whether an entry is a hit: its name contains the name text and its
// description the description text; or only one text is given and its field
// contains it. Both sides are compared lower-cased (ASCII letters only); an
// empty text never matches, so with both texts empty nothing does.
bool SearchMatches(const TSearchQuery& query, const std::string& name, const std::string& desc);

// One listed entry, with its location and parameters as stored.
struct TSearchHit {
    std::string Name;
    std::string Desc;
    std::string Category;
    std::string Loc;
    std::string Param;
};

// Reads the category files in the order given and their entries in file order
// (a missing or unreadable file reads as empty), and hands every hit whose file
// exists to found: its location resolved as the main window resolves it
// (registry form, environment variables, relative to baseDir). stop() is asked before each entry; once it says so the
// search ends and returns false.
bool SearchCatalogue(const std::string& baseDir, const std::vector<std::string>& categories,
                     const TSearchQuery& query, const std::function<bool()>& stop,
                     const std::function<void(TSearchHit&&)>& found);

}  // namespace ad
