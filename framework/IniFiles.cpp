// TIniFile over a file: change detection, the file's encoding, atomic saves and
// the reader/writer calls.
#include "framework/IniFiles.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include "base/Files.h"
#include "base/StrUtils.h"
#include "base/TextFileEncoding.h"
#include "base/WinText.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {

// The whole file, or nothing when it is missing or cannot be read.
std::string ReadWholeFile(const std::string& fileName) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenNamedFile(fileName, "rb"), &std::fclose);
    if (!file) return {};
    std::string data;
    char block[64 * 1024];
    for (size_t n; (n = std::fread(block, 1, sizeof block, file.get())) > 0;) data.append(block, n);
    return std::ferror(file.get()) ? std::string() : data;
}

// Upper case over all of UTF-16, for the names of a file with a mark.
std::string UnicodeUpperCase(std::string_view utf8) {
    std::u16string units = Utf8ToUtf16(utf8);
    if (!units.empty()) ::CharUpperBuffW(reinterpret_cast<wchar_t*>(units.data()), static_cast<DWORD>(units.size()));
    return Utf16ToUtf8(units);
}

}  // namespace

TIniFile::TIniFile(const std::string& fileName)
    : FileName(fileName), doc_([this](std::string_view name) {
          return encoding_ == TTextFileEncoding::Ansi ? AnsiUpperCase(name) : UnicodeUpperCase(name);
      }) {}

TIniFile::~TIniFile() {
    if (pending_.empty()) return;
    try {
        Refresh();
        Save();
    } catch (...) {
        // A destructor has no one to tell; callers that care end their update themselves.
    }
}

TIniFile::Stamp TIniFile::CurrentStamp() const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(Widen(FileName).c_str(), GetFileExInfoStandard, &data)) return {};
    return Stamp{true, (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime,
                 (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

void TIniFile::Refresh() {
    if (loaded_ && ReadOnce) return;
    Stamp now = CurrentStamp();  // taken before reading: a change while reading is seen next time
    if (loaded_ && now == stamp_) return;
    const std::string bytes = now.exists ? ReadWholeFile(FileName) : std::string();
    encoding_ = DetectTextFileEncoding(bytes);
    doc_.Parse(DecodeTextFile(bytes, encoding_));
    stamp_ = now;
    loaded_ = true;
    for (const Edit& edit : pending_) edit(doc_);  // our unsaved writes go on top of the file's content
}

void TIniFile::Save() {
    const std::string text = EncodeTextFile(doc_.Serialize(), encoding_);
    pending_.clear();
    try {
        SaveFileAtomically(FileName, text.data(), text.size());
    } catch (...) {
        loaded_ = false;  // the model holds what did not reach the file: read the file again next time
        throw;
    }
    stamp_ = CurrentStamp();
}

std::string TIniFile::ToModel(const std::string& ansi) const {
    if (encoding_ == TTextFileEncoding::Ansi) return ansi;
    return Utf16ToUtf8(AnsiToUtf16(ansi));
}

std::string TIniFile::FromModel(const std::string& text) const {
    if (encoding_ == TTextFileEncoding::Ansi) return text;
    return Utf16ToAnsi(Utf8ToUtf16(text));
}

std::vector<std::string> TIniFile::FromModel(std::vector<std::string> texts) const {
    for (std::string& text : texts) text = FromModel(text);
    return texts;
}

void TIniFile::Apply(const Edit& edit) {
    Refresh();
    try {
        if (!edit(doc_)) return;
    } catch (const EIniFileException& e) {
        if (encoding_ == TTextFileEncoding::Ansi) throw;
        throw EIniFileException(FromModel(e.Message));  // names the key in the callers' code page
    }
    if (updateCount_ > 0) {
        pending_.push_back(edit);
        return;
    }
    Save();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
    Refresh();
    if (auto value = doc_.ReadValue(ToModel(section), ToModel(ident))) return FromModel(*value);
    size_t n = def.size();
    while (n > 0 && def[n - 1] == ' ') --n;
    return def.substr(0, n);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) {
    return StrToIntDef(ReadString(section, ident, ""), def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    Apply([this, section, ident, value](IniDocument& d) {
        return d.WriteValue(ToModel(section), ToModel(ident), ToModel(value));
    });
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) {
    Refresh();
    return FromModel(doc_.KeyNames(ToModel(section)));
}

std::vector<std::string> TIniFile::ReadSections() {
    Refresh();
    return FromModel(doc_.SectionNames());
}

std::vector<std::string> TIniFile::ReadSectionValues(const std::string& section) {
    Refresh();
    std::vector<std::string> lines;
    const std::string name = ToModel(section);
    for (const std::string& key : doc_.KeyNames(name))
        lines.push_back(FromModel(key + "=" + doc_.ReadValue(name, key).value_or("")));
    return lines;
}

std::vector<std::vector<std::string>> TIniFile::ReadKeysOfAllSections(const std::vector<std::string>& idents) {
    Refresh();
    std::vector<std::string> keys;
    for (const std::string& ident : idents) keys.push_back(ToModel(ident));
    std::vector<std::vector<std::string>> rows;
    for (const std::string& section : doc_.SectionNames()) {
        std::vector<std::string> row{FromModel(section)};
        for (const std::string& key : keys) row.push_back(FromModel(doc_.ReadValue(section, key).value_or("")));
        rows.push_back(std::move(row));
    }
    return rows;
}

bool TIniFile::SectionExists(const std::string& section) {
    Refresh();
    return !doc_.KeyNames(ToModel(section)).empty();
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) {
    Refresh();
    return doc_.HasKey(ToModel(section), ToModel(ident));
}

void TIniFile::EraseSection(const std::string& section) {
    Apply([this, section](IniDocument& d) { return d.EraseSection(ToModel(section)); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    Apply([this, section, ident](IniDocument& d) { return d.DeleteKey(ToModel(section), ToModel(ident)); });
}

void TIniFile::UpdateFile() {
    if (pending_.empty()) return;
    Refresh();
    Save();
}

void TIniFile::BeginUpdate() { ++updateCount_; }

void TIniFile::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) UpdateFile();
}

}  // namespace ad
