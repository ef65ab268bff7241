// The skin INI ("Options.dat") held in memory: section and key names compare
// case-sensitively, sections and keys keep the order of the text, and the
// integer, Boolean and version readers follow the skin format's rules. Also the
// reader of the CommonSections overlay text. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "skin/engine/image/SkinUtils.h"

namespace ad::skin {

struct TSkinIniSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Keys;  // name, value; text order
    std::unordered_map<std::string, size_t> Index;          // name -> position in Keys
};

// Parsing rules: lines end with CR, LF or CR LF; a leading UTF-8 byte-order
// mark is skipped; blanks at line ends and around names and "=" are ignored;
// empty lines, lines starting with ";" and lines without "=" are not keys; a
// trimmed line "[name]" opens a section (lines before the first one are
// dropped). The first section of a name is the section: a later block of the
// same name is ignored whole, and in a section the first of duplicate keys is
// the key (later ones are neither read nor listed). Values are kept as
// written (no quote removal).
class TSkinIni {
public:
    TSkinIni() = default;
    explicit TSkinIni(std::string_view text) { Parse(text); }
    explicit TSkinIni(const std::vector<uint8_t>& bytes)
        : TSkinIni(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) {}

    void Parse(std::string_view text);  // replaces the whole content

    const std::vector<TSkinIniSection>& Sections() const { return sections_; }
    const TSkinIniSection* FindSection(std::string_view name) const;
    int SectionIndexOf(std::string_view name) const;  // -1 when absent
    bool SectionExists(std::string_view name) const { return FindSection(name) != nullptr; }

    // The value as written; null when the section or the key is missing.
    const std::string* Find(std::string_view section, std::string_view key) const;
    bool ValueExists(std::string_view section, std::string_view key) const { return Find(section, key) != nullptr; }
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal, or hexadecimal with "0x", "0X" or "$"; a missing or unreadable value gives def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // True only for "TRUE" and "1"; another present value is false; missing gives def.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    // A decimal number with "." as separator whatever the locale; missing or unreadable gives def.
    double ReadFloat(std::string_view section, std::string_view key, double def) const;

private:
    std::vector<TSkinIniSection> sections_;
    std::unordered_map<std::string, size_t> index_;
};

// The integer rule of the INI readers, for a value already found.
bool TryReadSkinInteger(std::string_view value, int& result);
// The Boolean rule: "TRUE" or "1".
inline bool SkinBoolValue(std::string_view value) { return value == "TRUE" || value == "1"; }
// "[sign] digits [. digits] [e|E [sign] digits]" around blanks; false otherwise.
bool TryReadSkinFloat(std::string_view value, double& result);

// GLOBALINFO VERSION; 0 when missing or unreadable.
double ReadSkinVersion(const TSkinIni& ini);

// The CommonSections overlay: every space removed, then split like other INI
// text held in memory (";" lines skipped); lookups by name ignore case.
TIniTextSections ParseOverlayText(std::string_view text);
// The text after the "=" of the first line whose key (the text before the first
// "=") equals key ignoring case; nothing when no line has it.
std::optional<std::string> FindOverlayValue(const std::vector<std::string>& lines, std::string_view key);

}  // namespace ad::skin
