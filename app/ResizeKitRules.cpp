// The re-layout's arithmetic and name lists.
#include "app/ResizeKitRules.h"

#include "base/StrUtils.h"

namespace ad {

int RoundBelow(double x) { return static_cast<int>(x + 0.5); }

TResizeScales ComputeScales(int clientW, int clientH, int designW, int designH, int designDpiX, int designDpiY,
                            int dpiX, int dpiY) {
    auto axis = [](int client, int design, int designDpi, int dpi) {
        if (design <= 0 || designDpi <= 0 || dpi <= 0) return 1.0;
        return static_cast<double>(client) / design * designDpi / dpi;
    };
    TResizeScales s;
    s.X = axis(clientW, designW, designDpiX, dpiX);
    s.Y = axis(clientH, designH, designDpiY, dpiY);
    s.Font = s.X < s.Y ? s.X : s.Y;
    return s;
}

std::vector<std::string> SplitNameList(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    for (;;) {
        size_t sep = text.find(';', start);
        if (sep == std::string::npos) {
            if (start < text.size()) names.push_back(text.substr(start));
            return names;
        }
        names.push_back(text.substr(start, sep - start));
        start = sep + 1;
    }
}

bool NameInList(const std::string& name, const std::vector<std::string>& list) {
    for (const std::string& n : list)
        if (AsciiSameText(n, name)) return true;
    return false;
}

}  // namespace ad
