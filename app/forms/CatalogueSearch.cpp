// The catalogue search's rules and its pass over the category files.
#include "app/forms/CatalogueSearch.h"

#include "app/Catalogue.h"
#include "base/StrUtils.h"
#include "framework/IniFiles.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {

bool Contains(const std::string& loweredText, const std::string& loweredPart) {
    return !loweredPart.empty() && loweredText.find(loweredPart) != std::string::npos;
}

}  // namespace

TSearchQuery MakeSearchQuery(const std::string& nameText, const std::string& descText) {
    return TSearchQuery{AsciiLowerCase(nameText), AsciiLowerCase(descText)};
}

bool SearchMatches(const TSearchQuery& query, const std::string& name, const std::string& desc) {
    if (query.Name.empty()) return Contains(AsciiLowerCase(desc), query.Desc);
    if (!Contains(AsciiLowerCase(name), query.Name)) return false;
    return query.Desc.empty() || Contains(AsciiLowerCase(desc), query.Desc);
}

bool SearchCatalogue(const std::string& baseDir, const std::vector<std::string>& categories,
                     const TSearchQuery& query, const std::function<bool()>& stop,
                     const std::function<void(TSearchHit&&)>& found) {
    for (const std::string& category : categories) {
        TIniFile ini(CategoryFileName(baseDir, category));
        ini.ReadOnce = true;  // one read per file, not a look at the file per key
        for (const std::string& section : ini.ReadSections()) {
            if (stop()) return false;
            std::string desc = ini.ReadString(section, "Desc", "");
            if (!SearchMatches(query, section, desc)) continue;
            std::string loc = ini.ReadString(section, "Loc", "");
            if (!LocationAvailable(loc, baseDir)) continue;
            found(TSearchHit{section, std::move(desc), category, std::move(loc), ini.ReadString(section, "Param", "")});
        }
    }
    return true;
}

}  // namespace ad
