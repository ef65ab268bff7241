// Reading the Software Center's catalogue.
#include "app/lists/SoftwareCenterFile.h"

#include <charconv>
#include <cmath>

#include "base/IniDocument.h"
#include "base/StrUtils.h"

namespace ad {

int RatingStars(int rating) { return rating >= 1 && rating <= 5 ? rating : 0; }

double ParseSoftwareSize(std::string_view text) {
    const std::string t = Trim(text);
    if (t.empty()) return 0;
    double value = 0;
    const char* end = t.data() + t.size();
    auto [ptr, ec] = std::from_chars(t.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(value) || value < 0) return 0;
    return value;
}

TSoftwareCenterList ReadSoftwareCenter(std::string_view bytes) {
    TSoftwareCenterList list;
    list.Encoding = DetectTextFileEncoding(bytes);
    IniDocument ini;
    ini.Parse(DecodeTextFile(bytes, list.Encoding));
    for (const std::string& section : ini.SectionNames()) {
        auto read = [&](std::string_view key) { return ini.ReadValue(section, key).value_or(std::string()); };
        TSoftwareEntry e;
        e.DLink = read("DLink");
        if (e.DLink.empty()) continue;
        e.Name = section;
        e.Desc = read("Desc");
        e.Ver = read("Ver");
        e.Category = read("Category");
        e.HLink = read("HLink");
        e.LastUpdate = read("LastUpdate");
        e.Rating = StrToIntDef(read("Rating"), 0);
        e.Size = ParseSoftwareSize(read("Size"));
        list.Entries.push_back(std::move(e));
    }
    return list;
}

}  // namespace ad
