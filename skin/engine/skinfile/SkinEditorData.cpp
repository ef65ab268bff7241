// Reading the skin editor's record and the files an editor skin loads from.
#include "skin/engine/skinfile/SkinEditorData.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "base/StrUtils.h"

namespace ad::skin {

namespace {

std::string Field(const uint8_t* p, size_t size) {
    const size_t n = size_t(std::find(p, p + size, uint8_t(0)) - p);
    return std::string(reinterpret_cast<const char*>(p), n);
}

bool EndsWithText(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && AsciiSameText(std::string_view(s).substr(s.size() - tail.size()), tail);
}

class EditorSkinFiles : public TSkinFiles {
public:
    std::optional<TSkinEditorData> Data;

    bool Exists(const std::string& fileName) const override {
        if (Data) {
            if (EndsWithText(fileName, "\\" + Data->SkinName + "\\Options.dat")) return true;
            if (EndsWithText(fileName, "\\" + Data->SkinName + ".asz")) return false;
        }
        return DiskSkinFiles().Exists(fileName);
    }
    std::vector<uint8_t> Read(const std::string& fileName) const override {
        if (Data && EndsWithText(fileName, "\\" + Data->SkinName + "\\Options.dat"))
            return std::vector<uint8_t>(Data->IniText.begin(), Data->IniText.end());
        return DiskSkinFiles().Read(fileName);
    }
};

EditorSkinFiles& EditorFiles() {
    static EditorSkinFiles files;
    return files;
}

}  // namespace

bool ReadEditorData(const void* data, size_t size, TSkinEditorData& out) {
    if (!data || size < 4) return false;
    std::vector<uint8_t> record(kEditorRecordSize, 0);  // the sender's size, never more than the record
    std::memcpy(record.data(), data, std::min(size, kEditorRecordSize));
    uint32_t marker;
    std::memcpy(&marker, record.data(), 4);
    if (marker != kEditorMarker) return false;
    const uint8_t* p = record.data() + 4;
    out.SkinName = Field(p, kEditorNameSize);
    out.SkinDirectory = Field(p + kEditorNameSize, kEditorDirSize);
    out.IniText = Field(p + kEditorNameSize + kEditorDirSize, kEditorIniSize);
    return true;
}

void SetEditorSkin(const TSkinEditorData* data) {
    if (data) EditorFiles().Data = *data;
    else EditorFiles().Data.reset();
}

bool EditorSkinActive() { return EditorFiles().Data.has_value(); }

const TSkinFiles& SkinFilesForLoading() {
    if (EditorFiles().Data) return EditorFiles();
    return DiskSkinFiles();
}

}  // namespace ad::skin
