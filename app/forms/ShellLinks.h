// Shell shortcut files (.lnk) for a program, made through the shell-link
// object and saved into one of the shell's special folders. No window here.
#pragma once

#include <string>

namespace ad {

// The name a shortcut file takes from a program's display name: characters a
// file name cannot hold (\ / : * ? " < > |) become "_", so that the name never
// reaches outside the folder.
std::string ShortcutFileName(const std::string& name);

// Saves folder\name.lnk (GetSpecialFolder of folderId, a CSIDL value),
// pointing at target with the parameters and the target's folder (with "\")
// as working folder; an existing file of that name is overwritten. True on
// success, false on any error (nothing is reported).
bool CreateShellLink(const std::string& target, const std::string& params, const std::string& name, int folderId);

}  // namespace ad
