// Scanning a category for the views.
#include "app/forms/ViewEntries.h"

#include <algorithm>
#include <utility>

#include "app/Catalogue.h"
#include "base/WinText.h"
#include "framework/IniFiles.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {

// Names checked between two looks at stop(), and handed on together.
constexpr size_t kScanGroup = 32;

}  // namespace

void SortByName(std::vector<std::vector<std::string>>& entries) {
    std::vector<std::pair<std::wstring, size_t>> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) keys.emplace_back(Widen(entries[i][0]), i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
        return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.first.data(), static_cast<int>(a.first.size()),
                                b.first.data(), static_cast<int>(b.first.size())) == CSTR_LESS_THAN;
    });
    std::vector<std::vector<std::string>> sorted;
    sorted.reserve(entries.size());
    for (const auto& k : keys) sorted.push_back(std::move(entries[k.second]));
    entries = std::move(sorted);
}

IconRef FallbackIcon() { return IconRef(::LoadIconW(nullptr, IDI_APPLICATION)); }

int FallbackImageIndex(bool largeIcons) {
    return ShellTypeIconIndex(".exe", largeIcons ? TShellIconSize::Large : TShellIconSize::Small);
}

bool ScanCategory(const TScanRequest& request, TComThreadPool& pool, const std::function<bool()>& stop,
                  const std::function<void(std::vector<TScannedEntry>&&)>& found, int& sections) {
    enum { kName, kLoc, kParam, kDesc };
    std::vector<std::vector<std::string>> entries;
    {
        TIniFile ini(request.CategoryFile);
        entries = ini.ReadKeysOfAllSections({"Loc", "Param", "Desc"});
    }
    sections = static_cast<int>(entries.size());
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const auto& e) { return e[kName].empty(); }),
                  entries.end());
    SortByName(entries);
    int fallback = -2;  // looked up once, when first needed
    size_t available = 0;  // handed on so far
    std::vector<TScannedEntry> group;
    for (size_t first = 0; first < entries.size(); first += kScanGroup) {
        if (stop && stop()) return false;
        size_t end = std::min(entries.size(), first + kScanGroup);
        for (size_t i = first; i < end; ++i) {
            std::vector<std::string>& e = entries[i];
            // The location after the registry and environment steps; without a
            // drive it is taken relative to the program's folder.
            std::string expanded = ExpandEnvPath(ResolveRegistryLocation(e[kLoc]));
            bool relative = ExtractFileDrive(expanded).empty();
            std::string resolved = relative ? request.BaseDir + expanded : expanded;
            bool listed = !expanded.empty() && FileExists(resolved);
            bool available;
            if (request.PlainLocations) available = FileAvailable(e[kLoc], request.BaseDir);
            else if (expanded.empty()) available = false;
            else if (relative) available = listed || FileExists(expanded);
            else available = listed || FileExists(request.BaseDir + expanded);
            if (!available) continue;
            std::string desc = std::move(e[kDesc]);
            TScannedEntry& entry = group.emplace_back();
            entry.Row = ViewEntry{std::move(e[kName]), desc.empty() ? NoDescription : std::move(desc),
                                  std::move(resolved), ExpandEnvPath(e[kParam]), -1};
            entry.Listed = listed;
        }
        if (request.Icons) {
            TShellIconSize size = *request.Icons;
            pool.ForEach(group.size(), [&](size_t i) {
                if (group[i].Listed) group[i].Row.ImageIndex = ShellIconIndex(group[i].Row.Loc, size);
            });
            for (TScannedEntry& s : group) {
                if (!s.Listed || s.Row.ImageIndex >= 0) continue;
                if (fallback == -2) fallback = FallbackImageIndex(size == TShellIconSize::Large);
                s.Row.ImageIndex = fallback;
            }
        }
        for (size_t i = 0; i < group.size() && available + i < request.PageIcons; ++i) {
            group[i].HasPageIcon = true;
            group[i].PageIcon = ShellIcon(group[i].Row.Loc, TShellIconSize::Large);
        }
        available += group.size();
        if (!group.empty()) found(std::move(group));
        group.clear();
    }
    return true;
}

}  // namespace ad
