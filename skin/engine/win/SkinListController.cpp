// The skin list over the real skin folder and its thumbnails.
#include "skin/engine/win/SkinListController.h"

#include "base/Exception.h"
#include "base/Files.h"
#include "framework/SysUtils.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinUtilsWin.h"
#include "skin/engine/image/skPNG.h"
#include "skin/engine/win/SkinEngineLinks.h"

#include <cstring>

namespace ad::skin {

namespace {

// The skin folder as the system shows it.
class WindowsSkinFolder : public TSkinFolderSource {
public:
    bool FolderExists(const std::string& folder) override { return DirExists(folder); }
    std::vector<TSkinDirEntry> Entries(const std::string& folder) override {
        std::vector<TSkinDirEntry> entries;
        TDirSearch search;
        for (bool found = DirSearchFirst(folder + "*.*", search); found; found = DirSearchNext(search))
            entries.push_back({search.Name, (search.Attr & FILE_ATTRIBUTE_DIRECTORY) != 0});
        return entries;
    }
    bool FileExists(const std::string& fileName) override { return ad::FileExists(fileName); }
    bool ReadFile(const std::string& fileName, std::vector<uint8_t>& bytes) override {
        try {
            bytes = ReadFileBytes(fileName);
            return true;
        } catch (const Exception&) {
            return false;
        }
    }
};

std::vector<std::string> StoredNames(TSkinManager& manager) {
    std::vector<std::string> names;
    for (int i = 0; i < manager.InternalSkins.Count(); ++i) names.push_back(manager.InternalSkins[i].Name);
    return names;
}

}  // namespace

std::vector<std::string> ListSkins(TSkinManager& manager, int kind, std::string& firstName) {
    WindowsSkinFolder folder;
    return ListSkins(StoredNames(manager), manager.SkinDirectoryPath(), kind, folder, firstName);
}

bool ReadPreviewFromFile(std::vector<uint8_t>& target, const std::string& fileName) {
    WindowsSkinFolder folder;
    std::vector<uint8_t> bytes;
    if (!folder.ReadFile(fileName, bytes)) return false;  // a missing file fails to open
    return ReadPreview(target, bytes.data(), bytes.size());
}

void TSkSkinListController::AddEntry(const std::string& name, const std::vector<uint8_t>& preview, bool hasPreview) {
    TEntry entry{name, -1};
    TImageList& images = Images();
    const int before = images.Count();
    if (hasPreview) {
        if (const auto& add = SkinEngineLinks().AddPngImage) {
            add(images, preview);
        } else {
            // A plain list: the picture fitted to the thumbnail size, with its alpha.
            TBitmap32 picture;
            if (LoadPngToBitmap(picture, preview.data(), preview.size())) {
                if (picture.Width() != ThumbnailWidth || picture.Height() != ThumbnailHeight) {
                    TBitmap32 scaled;
                    ResampleBitmap(picture.View(), scaled, ThumbnailWidth, 6, ThumbnailHeight);
                    picture = std::move(scaled);
                }
                DibSection32 dib(ThumbnailWidth, ThumbnailHeight);
                if (dib) {
                    std::memcpy(dib.Bits(), picture.Data(), dib.PixelCount() * 4);
                    ::ImageList_Add(images.Handle(), dib.Get(), nullptr);
                }
            }
        }
    }
    if (images.Count() > before) entry.ImageIndex = images.Count() - 1;
    entries_.push_back(std::move(entry));
}

void TSkSkinListController::Rebuild() {
    if (SkinLoading()) return;
    entries_.clear();
    Images().Clear();
    std::vector<uint8_t> preview;
    for (int i = 0; i < manager_.InternalSkins.Count(); ++i) {
        const TSkinStoredSkin& skin = manager_.InternalSkins[i];
        AddEntry(skin.Name, preview, ReadPreview(preview, skin.Data().data(), skin.Data().size()));
    }
    WindowsSkinFolder folder;
    const std::string dir = manager_.SkinDirectoryPath();
    if (folder.FolderExists(dir)) {
        for (const TSkinDirEntry& e : folder.Entries(dir)) {
            std::string name;
            if (e.Folder || e.Name.empty() || e.Name[0] == '.' || !PackedSkinName(e.Name, name)) continue;
            AddEntry(name, preview, ReadPreviewFromFile(preview, dir + e.Name));
        }
    }
    NotifyListUpdate();
}

void TSkSkinListController::NotifyListChanged() {
    for (TWinControl* listener : Listeners) {
        if (listener->HandleAllocated())
            ::PostMessageW(listener->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_SKINLISTCHANGED), 0);
        else
            listener->Perform(SKM_SKINCMD, SkinCommandWParam(SKC_SKINLISTCHANGED), 0);
    }
}

void TSkSkinListController::NotifyListUpdate() {
    for (TWinControl* listener : Listeners) listener->Perform(SKM_SKINCMD, SkinCommandWParam(SKC_SKINLISTUPDATE), 0);
}

}  // namespace ad::skin
