// The shell's icon of a file or folder, as an icon the caller owns or as an
// index into the shell's system image list.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Handles.h"

namespace ad {

enum class TShellIconSize { Large, Small };  // 32x32 or 16x16 at 96 dpi

// Null when the file does not exist or the shell has no icon for it.
OwnedIcon ShellIcon(const std::string& fileName, TShellIconSize size);

// The shell's system image list of that size: one for the whole process, never
// destroyed by those who show it (a list view needs LVS_SHAREIMAGELISTS).
HIMAGELIST ShellImageList(TShellIconSize size);

// The file's icon as an index into ShellImageList(size); -1 when the file does
// not exist or the shell has no icon for it. Safe on any thread.
int ShellIconIndex(const std::string& fileName, TShellIconSize size);

// The index in ShellImageList(size) of the icon the shell shows for files of
// a type (".exe"), without looking at any file; -1 when it has none.
int ShellTypeIconIndex(const std::string& extension, TShellIconSize size);

}  // namespace ad
