// TIniFile: settings in an initialization (.ini) file, read with the rules of the
// system's profile functions (see IniDocument.h) but without their limits: values of
// any length, one parse per change of the file rather than one per call.
//
// Like the profile functions, every write goes to the file at once, and every call
// first re-reads the file if it changed since this object last read or wrote it, so
// that several objects (or programs) on one file do not undo each other's writes.
// Each save replaces the file atomically; a failed save raises EFCreateError naming
// the file and leaves it as it was. BeginUpdate/EndUpdate keep a batch of writes in
// memory and save them once.
//
// A file that starts with a byte-order mark (UTF-16 of either byte order, or
// UTF-8) is read as the profile functions read it: names and values come and go
// in the ANSI code page, and every save keeps the file's encoding and mark, with
// the lines not written to as they were (characters beyond the code page
// included). A file without a mark is 8-bit text, saved byte for byte.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/IniDocument.h"
#include "base/TextFileEncoding.h"

namespace ad {

class TIniFile {
public:
    explicit TIniFile(const std::string& fileName);
    ~TIniFile();  // saves writes still held by an unfinished BeginUpdate, ignoring failure
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string FileName;
    // Set, the file is read at the first call only and later calls keep to what
    // was read then, without asking the file system whether it changed: for a
    // reader that goes once through a whole file.
    bool ReadOnce = false;

    // A missing key gives the default, less its trailing blanks.
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def);
    // Decimal, "$hex" or "0xhex"; anything else gives the default.
    int ReadInteger(const std::string& section, const std::string& ident, int def);
    bool ReadBool(const std::string& section, const std::string& ident, bool def);
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);  // "1" / "0"

    std::vector<std::string> ReadSection(const std::string& section);        // key names, file order
    std::vector<std::string> ReadSections();                                 // section names, file order
    std::vector<std::string> ReadSectionValues(const std::string& section);  // "key=value"
    // From one read of the file: for every section in file order, its name
    // followed by the values of idents as ReadString gives them ("" when missing).
    std::vector<std::vector<std::string>> ReadKeysOfAllSections(const std::vector<std::string>& idents);
    bool SectionExists(const std::string& section);  // the section has at least one key
    bool ValueExists(const std::string& section, const std::string& ident);
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);

    // Saves writes held by BeginUpdate now.
    void UpdateFile();
    // Counted; writes in between stay in memory, the last EndUpdate saves them once.
    void BeginUpdate();
    void EndUpdate();

private:
    struct Stamp {
        bool exists = false;
        uint64_t writeTime = 0;
        int64_t size = 0;
        bool operator==(const Stamp&) const = default;
    };
    using Edit = std::function<bool(IniDocument&)>;

    Stamp CurrentStamp() const;
    void Refresh();
    void Apply(const Edit& edit);
    void Save();
    // Names and values between the callers' ANSI text and the model's text,
    // which is UTF-8 for a file with a mark.
    std::string ToModel(const std::string& ansi) const;
    std::string FromModel(const std::string& text) const;
    std::vector<std::string> FromModel(std::vector<std::string> texts) const;

    TTextFileEncoding encoding_ = TTextFileEncoding::Ansi;
    IniDocument doc_;
    Stamp stamp_;
    bool loaded_ = false;
    int updateCount_ = 0;
    std::vector<Edit> pending_;  // writes not yet saved, replayed when the file changes under us
};

}  // namespace ad
