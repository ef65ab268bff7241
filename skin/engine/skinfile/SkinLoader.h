// Loading a skin into a new set of skin tables: from a packed file (".asz") in
// the skin folder, from a folder named after the skin holding "Options.dat"
// and its images, or from a skin stored in the program. The tables are built
// aside and handed to the caller whole, so a load that fails leaves whatever
// the caller holds untouched. Files are reached through an interface (the
// disk through the base's files by name, or memory in tests). Portable.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Exception.h"
#include "skin/engine/skinfile/SkinStoredSkins.h"
#include "skin/engine/skinfile/SkinTables.h"
#include "skin/engine/skinfile/skPackedSkin.h"

namespace ad::skin {

AD_DECLARE_EXCEPTION(ESkinLoadError, Exception);

// Where the files of a skin come from.
class TSkinFiles {
public:
    virtual ~TSkinFiles() = default;
    virtual bool Exists(const std::string& fileName) const = 0;
    // The whole file; raises when it cannot be read.
    virtual std::vector<uint8_t> Read(const std::string& fileName) const = 0;
};
// The disk, through the base's files by name.
const TSkinFiles& DiskSkinFiles();

// The skin directory as an absolute folder with a trailing backslash:
// "..\X" is X beside the program's folder, ".\X" and "." lie in it, a path
// with neither ":" nor "\\" is relative to it; appFolder ends with a separator.
std::string SkinDirectoryPath(std::string_view skinDirectory, std::string_view appFolder);

// Skin versions outside what this engine paints fully.
constexpr double kOldestQuietSkinVersion = 8.45;
constexpr double kNewestSupportedSkinVersion = 11.99;
inline const char* const kSkinVersionWarning =
    "This version of the skin has not complete support by used skin engine release.\r\n"
    "Components must be updated to latest version for using this skin.";
// The message of a packed skin without its INI entry.
std::string PackedSkinFormatError(const std::string& skinName);

// Images decoded once and kept untransformed, so that a reload after a hue,
// saturation or brightness change copies them instead of reading and decoding
// the files again. Valid for one source (Key); a load from another source
// empties it.
struct TSkinImageCache {
    struct Image {
        std::shared_ptr<const TBitmap32> Bitmap;  // null: the file is missing or unreadable
        bool Png = false;                         // premultiplied after copying, as the load asks
    };
    std::string Key;
    bool HasIni = false;
    std::vector<uint8_t> IniBytes;
    std::map<std::string, Image> Images;  // by the name the skin gives
    std::shared_ptr<const TSkSkinConvertor> Packed;  // a packed or stored skin's entries
    void Clear() { *this = TSkinImageCache(); }
};

struct TSkinLoadOptions {
    std::string SkinName;
    std::string SkinDirectory;  // as the manager holds it
    std::string AppFolder;      // the program's folder, with a trailing separator
    const TSkinStoredSkins* InternalSkins = nullptr;
    std::string CommonSections;  // overlay text, empty for none
    int ScaleLevel = 0, HueOffset = 0, Saturation = 0, Brightness = 0;
    bool CompositionEnabled = true;
    // The image shadows and outer glows are made from when a skin gives colours only.
    const TBitmap32* Blur5 = nullptr;
    TSkinImageCache* Cache = nullptr;  // optional
};

enum class TSkinSource : uint8_t { None, Packed, Folder, Stored };

struct TLoadedSkin {
    TSkinSource Source = TSkinSource::None;  // None: there is no skin of that name and no stored skin
    std::unique_ptr<TSkinTables> Tables;
    std::string SkinName;  // the skin loaded (the first stored skin when the name was unknown)
    std::string SkinPath;  // the folder relative image names resolve against
    bool VersionWarning = false;        // newer than this engine supports fully
    std::vector<std::string> Problems;  // image values left out, and why
};

// "<resolved skin directory><name>.asz".
std::string PackedSkinFileName(const TSkinLoadOptions& options);
// The packed file. Raises ESkinLoadError (PackedSkinFormatError) when the file
// holds no INI entry or is not a packed skin; zlib errors pass on.
TLoadedSkin LoadPackedSkin(const TSkinLoadOptions& options, const TSkinFiles& files);
// The folder "<resolved skin directory><name>\" with "Options.dat", else the
// stored skin of that name, else the first stored skin; Source None when there
// are no stored skins. A stored skin without data raises ESkinLoadError.
TLoadedSkin LoadSkin(const TSkinLoadOptions& options, const TSkinFiles& files);
// The packed file when it exists, else LoadSkin.
TLoadedSkin LoadSkinByName(const TSkinLoadOptions& options, const TSkinFiles& files);

}  // namespace ad::skin
