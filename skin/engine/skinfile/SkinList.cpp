// Listing the available skins and reading the preview picture of a packed skin.
#include "skin/engine/skinfile/SkinList.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace ad::skin {

namespace {

constexpr std::string_view kPackedExtension = ".asz";
constexpr std::string_view kPreviewTag = "previewimg";

}  // namespace

bool PackedSkinName(const std::string& fileName, std::string& name) {
    if (fileName.size() <= kPackedExtension.size() ||
        std::string_view(fileName).substr(fileName.size() - kPackedExtension.size()) != kPackedExtension)
        return false;
    name = fileName.substr(0, fileName.size() - kPackedExtension.size());
    return true;
}

std::vector<std::string> ListSkins(const std::vector<std::string>& storedNames, const std::string& folder, int kind,
                                   TSkinFolderSource& source, std::string& firstName) {
    firstName.clear();
    std::vector<std::string> names = storedNames;
    if (!names.empty()) firstName = names.front();
    const bool folders = kind == slFolders || kind == slFoldersAndPacked;
    const bool packed = kind == slPacked || kind == slFoldersAndPacked;
    if ((folders || packed) && !folder.empty() && source.FolderExists(folder)) {
        for (const TSkinDirEntry& e : source.Entries(folder)) {
            if (e.Name.empty() || e.Name[0] == '.') continue;
            std::string name;
            if (e.Folder) {
                if (!folders || !source.FileExists(folder + e.Name + "\\Options.dat")) continue;
                name = e.Name;
            } else if (!packed || !PackedSkinName(e.Name, name)) {
                continue;
            }
            if (firstName.empty()) firstName = name;
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadPreview(std::vector<uint8_t>& target, const uint8_t* data, size_t size) {
    if (!data || size < kPreviewTag.size()) return false;
    const uint8_t* end = data + size;
    const uint8_t* tag = std::search(data, end, kPreviewTag.begin(), kPreviewTag.end());
    if (tag == end) return false;
    const uint8_t* p = tag + kPreviewTag.size();
    if (end - p < 4) return false;
    int32_t stated;
    std::memcpy(&stated, p, 4);  // little-endian as the packer writes it
    p += 4;
    // The stated size is trusted no further than the bytes that follow.
    if (stated <= 0 || size_t(stated) > size_t(end - p)) return false;
    target.assign(p, p + stated);
    return true;
}

}  // namespace ad::skin
