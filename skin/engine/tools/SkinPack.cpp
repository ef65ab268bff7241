// The skin packer: SkinPack <skin folder> [<packed file>] packs "Options.dat"
// and every image of a skin folder into a packed skin (".asz"), by default
// beside the folder under the folder's name.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Files.h"
#include "base/StrUtils.h"
#include "skin/engine/skinfile/SkinPackWriter.h"
#ifdef _WIN32
#include "base/WinText.h"
#endif

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& name) {
#ifdef _WIN32
    return fs::path(ad::Widen(name));
#else
    return fs::path(name);
#endif
}

std::string NameOf(const fs::path& path) {
#ifdef _WIN32
    return ad::Narrow(path.wstring());
#else
    return path.string();
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: SkinPack <skin folder> [<packed file>]\n");
        return 2;
    }
    const std::string folder = ad::ExcludeTrailingPathDelimiter(argv[1]);
    const std::string target = argc == 3 ? argv[2] : folder + ".asz";
    try {
        std::vector<ad::skin::TSkinPackEntry> entries;
        bool hasIni = false;
        std::vector<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(PathOf(folder)))
            if (e.is_regular_file()) names.push_back(NameOf(e.path().filename()));
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            const std::string upper = ad::AsciiUpperCase(name);
            const bool ini = upper == "OPTIONS.DAT";
            const std::string ext = ad::AsciiUpperCase(ad::ExtractFileExt(name));
            if (!ini && ext != ".BMP" && ext != ".PNG" && ext != ".JPG" && ext != ".JPEG") continue;
            hasIni = hasIni || ini;
            entries.push_back({ini ? "Options.dat" : upper, ad::ReadFileBytes(folder + "/" + name)});
        }
        if (!hasIni) {
            std::fprintf(stderr, "SkinPack: %s holds no Options.dat\n", folder.c_str());
            return 1;
        }
        const std::vector<uint8_t> packed = ad::skin::PackSkinEntries(entries);
        ad::SaveFileAtomically(target, packed.data(), packed.size());
        std::printf("%s: %zu entries\n", target.c_str(), entries.size());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "SkinPack: %s\n", e.what());
        return 1;
    }
}
