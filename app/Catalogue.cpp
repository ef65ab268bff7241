// The catalogue's shared rules.
#include "app/Catalogue.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "app/SWSystem.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "framework/UpdateScope.h"

namespace ad {

namespace {

std::vector<std::string> SplitAt(const std::string& text, const std::string& sep) {
    std::vector<std::string> parts;
    size_t pos = 0;
    for (;;) {
        size_t hit = text.find(sep, pos);
        if (hit == std::string::npos) break;
        parts.push_back(text.substr(pos, hit - pos));
        pos = hit + sep.size();
    }
    parts.push_back(text.substr(pos));
    return parts;
}

HKEY RootFromName(const std::string& name) {
    if (name == "HKLM") return HKEY_LOCAL_MACHINE;
    if (name == "HKCR") return HKEY_CLASSES_ROOT;
    return HKEY_CURRENT_USER;
}

// The registry form: longer than 6 characters with ">>" as characters 5 and 6;
// by the Application Manager's rules only behind "HKCU" or "HKLM" in exact case.
bool IsRegistryForm(const std::string& text, TLocationRules rules) {
    if (text.size() <= 6) return false;
    if (rules == TLocationRules::AppManager)
        return text.compare(0, 6, "HKCU>>") == 0 || text.compare(0, 6, "HKLM>>") == 0;
    return text.compare(4, 2, ">>") == 0;
}

}  // namespace

std::string ResolveRegistryLocation(const std::string& text, TLocationRules rules) {
    if (!IsRegistryForm(text, rules)) return text;
    std::vector<std::string> parts = SplitAt(text, ">>");
    TRegistry reg;
    reg.SetRootKey(RootFromName(parts[0]));
    // Reading needs no write access; only a missing key is created.
    if (!reg.OpenKeyReadOnly(parts[1]) && !reg.OpenKey(parts[1], true)) return std::string();
    std::string value = parts.size() >= 3 ? parts[2] : std::string();
    try {
        return reg.ReadString(value);
    } catch (const Exception&) {
        return std::string();  // a value of another type reads as nothing
    }
}

std::string ExpandEnvPath(const std::string& text) {
    std::wstring in = Widen(StringReplaceAll(text, ":\\%", ":\\<"));
    DWORD n = ::ExpandEnvironmentStringsW(in.c_str(), nullptr, 0);
    std::wstring out;
    if (n > 0) {
        out.resize(n);
        n = ::ExpandEnvironmentStringsW(in.c_str(), out.data(), n);
        out.resize(n > 0 ? n - 1 : 0);
    }
    return StringReplaceAll(Narrow(out), ":\\<", ":\\%");
}

std::string ResolveLocation(const std::string& loc, const std::string& baseDir, TLocationRules rules) {
    std::string result = ExpandEnvPath(ResolveRegistryLocation(loc, rules));
    bool relative = rules == TLocationRules::AppManager ? result.find(':') == std::string::npos
                                                        : ExtractFileDrive(result).empty();
    if (relative) result = baseDir + result;
    return result;
}

bool LocationAvailable(const std::string& loc, const std::string& baseDir) {
    return FileAvailable(ExpandEnvPath(ResolveRegistryLocation(loc)), baseDir);
}

bool FileAvailable(const std::string& file, const std::string& baseDir) {
    return !file.empty() && (FileExists(file) || FileExists(baseDir + file));
}

void ListFileNames(const std::string& folder, const std::string& mask, TStrings& list) {
    if (Trim(folder).empty()) return;
    for (const std::string& name : FindFiles(IncludeTrailingPathDelimiter(folder) + mask))
        list.Add(ChangeFileExt(name, ""));
}

std::string BracketsToParens(const std::string& text) {
    std::string r = text;
    for (char& c : r) {
        if (c == '[') c = '(';
        else if (c == ']') c = ')';
    }
    return r;
}

std::string RelativeToBase(const std::string& file, const std::string& baseDir) {
    return baseDir.empty() ? file : StringReplaceAll(file, baseDir, "");
}

struct TShortcutResolver::Link {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    bool failed = false;  // the shell-link object could not be made
};

TShortcutResolver::TShortcutResolver() : link_(std::make_unique<Link>()) {}
TShortcutResolver::~TShortcutResolver() = default;

std::string TShortcutResolver::Target(const std::string& file) {
    if (AsciiUpperCase(ExtractFileExt(file)) != ".LNK" || link_->failed) return std::string();
    if (!link_->file) {
        link_->failed = true;
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      link_->link.PutVoid())) ||
            FAILED(link_->link->QueryInterface(IID_IPersistFile, link_->file.PutVoid())))
            return std::string();
        link_->failed = false;
    }
    if (FAILED(link_->file->Load(Widen(file).c_str(), STGM_READ))) return std::string();
    std::wstring path(32768, L'\0');
    if (link_->link->GetPath(path.data(), static_cast<int>(path.size()), nullptr, SLGP_UNCPRIORITY) != S_OK)
        return std::string();
    path.resize(wcslen(path.c_str()));
    return Narrow(path);
}

std::string GetTarget(const std::string& file) { return TShortcutResolver().Target(file); }

std::string CategoryFolder(const std::string& baseDir) { return baseDir + "ADCat"; }

std::string CategoryFileName(const std::string& baseDir, const std::string& category) {
    return CategoryFolder(baseDir) + "\\" + category + ".dat";
}

std::string CategoryNameProblem(const std::string& name) {
    if (Trim(name).empty()) return "A category needs a name.";
    for (unsigned char c : name) {
        if (c < 32 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return "A category name cannot contain any of these characters: \\ / : * ? \" < > |";
    }
    if (name.find_first_not_of('.') == std::string::npos) return "A category name cannot consist of dots only.";
    if (name.back() == '.' || name.back() == ' ') return "A category name cannot end with a dot or a blank.";
    std::string stem = AsciiUpperCase(Trim(name.substr(0, name.find('.'))));
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL"};
    bool device = false;
    for (const char* d : devices) device = device || stem == d;
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '1' &&
        stem[3] <= '9')
        device = true;
    if (device) return "\"" + name + "\" is a name Windows keeps for a device.";
    return std::string();
}

TDroppedProgram PrepareDroppedProgram(const std::string& file, const std::string& baseDir, bool keepShortcutFiles,
                                      TShortcutResolver* resolver) {
    TDroppedProgram p;
    std::string name = BracketsToParens(ChangeFileExt(ExtractFileName(file), ""));
    std::string target = file;
    if (AsciiLowerCase(ExtractFileExt(file)) == ".lnk") {
        name = StringReplaceAll(name, " - Shortcut", "");
        std::string linked = resolver ? resolver->Target(file) : GetTarget(file);
        if (!linked.empty()) target = linked;
    }
    if (keepShortcutFiles) target = file;
    p.Section = name;
    p.Loc = RelativeToBase(target, baseDir);
    std::string ext = AsciiLowerCase(ExtractFileExt(target));
    p.Accepted = !name.empty() && (ext == ".exe" || ext == ".ex" || ext == ".lnk");
    if (p.Accepted) p.Desc = GetVersionInfoString(target, 1);
    return p;
}

void StoreDroppedProgram(TIniFile& category, const TDroppedProgram& program) {
    UpdateScope update(category);
    category.WriteString(program.Section, "Desc", program.Desc);
    category.WriteString(program.Section, "Loc", program.Loc);
}

}  // namespace ad
