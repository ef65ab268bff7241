// The shell's icon of a file or folder, as an icon the caller owns.
#pragma once

#include <string>

#include "framework/Handles.h"

namespace ad {

enum class TShellIconSize { Large, Small };  // 32x32 or 16x16 at 96 dpi

// Null when the file does not exist or the shell has no icon for it.
OwnedIcon ShellIcon(const std::string& fileName, TShellIconSize size);

}  // namespace ad
