// The skin the skin editor sends to a running program (WM_COPYDATA, dwData 7):
// a 30,645-byte record of the marker 0xA400, the skin's name (128 bytes), its
// directory (512 bytes) and its INI text (30,001 bytes), each zero-terminated
// within its field; and the files a skin loads from while such a record is
// applied: the record's INI text stands in for the skin folder's "Options.dat".
// Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/engine/skinfile/SkinLoader.h"

namespace ad::skin {

constexpr uintptr_t kEditorCopyDataId = 7;
constexpr uint32_t kEditorMarker = 0xA400;
constexpr size_t kEditorNameSize = 128, kEditorDirSize = 512, kEditorIniSize = 30001;
constexpr size_t kEditorRecordSize = 4 + kEditorNameSize + kEditorDirSize + kEditorIniSize;  // 30,645

struct TSkinEditorData {
    std::string SkinName, SkinDirectory, IniText;
};

// Reads a record from data of size bytes (what the sender says it sent): at
// least the marker must be there and be 0xA400; a shorter record counts as
// zero-filled to its full size, and each text ends at its field's end.
bool ReadEditorData(const void* data, size_t size, TSkinEditorData& out);

// Installs (or with null removes) the editor's skin for the loads that follow.
void SetEditorSkin(const TSkinEditorData* data);
bool EditorSkinActive();
// The files skins load from: the disk, with the editor's INI text as the
// named skin folder's "Options.dat" and no packed file of that name while an
// editor skin is installed.
const TSkinFiles& SkinFilesForLoading();

}  // namespace ad::skin
