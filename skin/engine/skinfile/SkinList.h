// The list of available skins: the stored skins, the skin folders holding an
// "Options.dat" and the packed skin files (".asz", case-sensitive) of the
// skin directory, and the preview picture at the end of a packed skin.
// Portable: the directory is read through an interface, so the rules are
// tested over an in-memory folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ad::skin {

// One entry of a directory listing.
struct TSkinDirEntry {
    std::string Name;
    bool Folder = false;
};

// What the skin list needs of the file system. Names use "\" as separator.
class TSkinFolderSource {
public:
    virtual ~TSkinFolderSource() = default;
    virtual bool FolderExists(const std::string& folder) = 0;
    // The entries of folder ("*.*"), in the system's order.
    virtual std::vector<TSkinDirEntry> Entries(const std::string& folder) = 0;
    virtual bool FileExists(const std::string& fileName) = 0;
    // The file's bytes; false when it cannot be read.
    virtual bool ReadFile(const std::string& fileName, std::vector<uint8_t>& bytes) = 0;
};

// Kinds of ListSkins; any kind above 2 lists the stored skins only.
enum TSkinListKind : int { slFolders = 0, slPacked = 1, slFoldersAndPacked = 2 };

// The skin's name of a packed skin file: the name without its final ".asz";
// false for any other extension (".ASZ" included).
bool PackedSkinName(const std::string& fileName, std::string& name);

// The skins of a kind, sorted: storedNames first (firstName is the first name
// found, before sorting), then from folder (with a trailing "\") when it
// exists, entries starting with "." left out.
std::vector<std::string> ListSkins(const std::vector<std::string>& storedNames, const std::string& folder, int kind,
                                   TSkinFolderSource& source, std::string& firstName);

// The preview picture of a packed skin: the bytes after the first
// "previewimg" and its 32-bit size. False when there is none, or when the
// size is negative or more than the bytes that follow.
bool ReadPreview(std::vector<uint8_t>& target, const uint8_t* data, size_t size);

}  // namespace ad::skin
