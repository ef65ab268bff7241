// TIniFile over a file: change detection, atomic saves and the reader/writer calls.
#include "framework/IniFiles.h"

#include <windows.h>

#include <algorithm>

#include "base/Files.h"
#include "framework/Handles.h"
#include "base/StrUtils.h"
#include "framework/SysUtils.h"

namespace ad {

namespace {

// The whole file, or nothing when it is missing or cannot be read.
std::string ReadWholeFile(const std::wstring& fileName) {
    OwnedFile file(::CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return {};
    std::string data(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20)), got = 0;
        if (!::ReadFile(file.Get(), data.data() + done, chunk, &got, nullptr)) return {};
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    data.resize(done);
    return data;
}

}  // namespace

TIniFile::TIniFile(const std::string& fileName)
    : FileName(fileName), doc_([](std::string_view name) { return AnsiUpperCase(name); }) {}

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
    Stamp now = CurrentStamp();  // taken before reading: a change while reading is seen next time
    if (loaded_ && now == stamp_) return;
    doc_.Parse(now.exists ? ReadWholeFile(Widen(FileName)) : std::string());
    stamp_ = now;
    loaded_ = true;
    for (const Edit& edit : pending_) edit(doc_);  // our unsaved writes go on top of the file's content
}

void TIniFile::Save() {
    const std::string text = doc_.Serialize();
    pending_.clear();
    try {
        SaveFileAtomically(FileName, text.data(), text.size());
    } catch (...) {
        loaded_ = false;  // the model holds what did not reach the file: read the file again next time
        throw;
    }
    stamp_ = CurrentStamp();
}

void TIniFile::Apply(const Edit& edit) {
    Refresh();
    if (!edit(doc_)) return;
    if (updateCount_ > 0) {
        pending_.push_back(edit);
        return;
    }
    Save();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
    Refresh();
    if (auto value = doc_.ReadValue(section, ident)) return *value;
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
    Apply([section, ident, value](IniDocument& d) { return d.WriteValue(section, ident, value); });
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) {
    Refresh();
    return doc_.KeyNames(section);
}

std::vector<std::string> TIniFile::ReadSections() {
    Refresh();
    return doc_.SectionNames();
}

std::vector<std::string> TIniFile::ReadSectionValues(const std::string& section) {
    Refresh();
    std::vector<std::string> lines;
    for (const std::string& key : doc_.KeyNames(section))
        lines.push_back(key + "=" + doc_.ReadValue(section, key).value_or(""));
    return lines;
}

bool TIniFile::SectionExists(const std::string& section) {
    Refresh();
    return !doc_.KeyNames(section).empty();
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) {
    Refresh();
    return doc_.HasKey(section, ident);
}

void TIniFile::EraseSection(const std::string& section) {
    Apply([section](IniDocument& d) { return d.EraseSection(section); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    Apply([section, ident](IniDocument& d) { return d.DeleteKey(section, ident); });
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
