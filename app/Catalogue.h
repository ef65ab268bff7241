// The catalogue's shared rules: where category files live, what names a
// category may have, how a program entry's location is resolved, and how a
// dropped file becomes a program entry. The main window, the Application
// Manager, the edit dialog, the import and the search all follow them.
#pragma once

#include <memory>
#include <string>

#include "framework/IniFiles.h"
#include "framework/StringList.h"

namespace ad {

// What the views show for an entry without a description.
inline constexpr const char* NoDescription = "( No Description )";

// Which reader's location rules apply. The catalogue's own rules serve every
// window but the Application Manager, which keeps two differences: the registry
// form only for "HKCU>>" and "HKLM>>" in exact case (no HKCR, no other root),
// and a location without any ":" (rather than without a drive) taken relative
// to the base folder, so that "\\server\share\x.exe" is too.
enum class TLocationRules { Catalogue, AppManager };

// Location step 1: "ROOT>>key" reads the key's default value, "ROOT>>key>>value"
// a named value (ROOT: HKCU, HKLM or HKCR in exact case, anything else HKCU);
// the key is created when missing. Text not of that form comes back unchanged.
std::string ResolveRegistryLocation(const std::string& text, TLocationRules rules = TLocationRules::Catalogue);
// Location step 2: environment variables expanded, except that a "%" right after
// a drive root (":\%") stays literal.
std::string ExpandEnvPath(const std::string& text);
// All three steps: registry form, environment, and a result taken relative to
// baseDir when it has no drive (or, by the Application Manager's rules, no ":").
std::string ResolveLocation(const std::string& loc, const std::string& baseDir,
                            TLocationRules rules = TLocationRules::Catalogue);
// Whether an entry's stored location names an existing file: steps 1 and 2, then
// the result itself or baseDir + the result.
bool LocationAvailable(const std::string& loc, const std::string& baseDir);
// The last step alone, for a location taken as it stands: a non-empty text that
// names an existing file itself or as baseDir + the text.
bool FileAvailable(const std::string& file, const std::string& baseDir);

// Adds the name without extension of every file of folder matching mask
// (hidden files included). Nothing happens for a blank folder.
void ListFileNames(const std::string& folder, const std::string& mask, TStrings& list);
// "[" -> "(", "]" -> ")".
std::string BracketsToParens(const std::string& text);
// A chosen or dropped file as a location: every occurrence of baseDir (exact
// case) removed, so that a file under the program's folder is stored relative
// to it.
std::string RelativeToBase(const std::string& file, const std::string& baseDir);
// The target path of a shortcut (.lnk) file; "" for any other file or failure.
std::string GetTarget(const std::string& file);

// GetTarget for many shortcuts: one shell-link object, made at the first
// shortcut and loaded with each in turn (the thread needs COM).
class TShortcutResolver {
public:
    TShortcutResolver();
    ~TShortcutResolver();
    TShortcutResolver(const TShortcutResolver&) = delete;
    TShortcutResolver& operator=(const TShortcutResolver&) = delete;
    std::string Target(const std::string& file);

private:
    struct Link;
    std::unique_ptr<Link> link_;
};

// The file of a category: baseDir + "ADCat\" + name + ".dat".
std::string CategoryFolder(const std::string& baseDir);
std::string CategoryFileName(const std::string& baseDir, const std::string& category);
// A category name is a file name inside ADCat: it must not be blank, contain
// \ / : * ? " < > | or control characters, consist only of dots, end with a dot
// or a blank, or be a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9). Returns
// "" for a good name, else the reason to show the user.
std::string CategoryNameProblem(const std::string& name);

// What adding one program file to a category stores.
struct TDroppedProgram {
    bool Accepted = false;  // only .exe, .ex and .lnk targets are added
    std::string Section;    // display name
    std::string Loc;        // relative to baseDir when the target lies under it
    std::string Desc;       // the target's file description
};
// resolver: for a shortcut's target; one of its own when none is given.
TDroppedProgram PrepareDroppedProgram(const std::string& file, const std::string& baseDir, bool keepShortcutFiles,
                                      TShortcutResolver* resolver = nullptr);
// Writes "Desc" then "Loc" into the entry's section in one save; the section's
// other keys stay as they are.
void StoreDroppedProgram(TIniFile& category, const TDroppedProgram& program);

}  // namespace ad
