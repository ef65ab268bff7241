// Reading wide properties from the binary value format.
#include "unicode/UniPropertyReader.h"

#include "base/Exception.h"
#include "base/TextFileEncoding.h"

namespace ad::uni {

void TUniValueReader::Invalid() { throw EReadError("Invalid property value"); }

void TUniValueReader::Need(uint64_t bytes) {
    if (static_cast<uint64_t>(stream_.Remaining()) < bytes) throw EReadError("Stream read error");
}

TValueType TUniValueReader::NextValue() {
    const TValueType t = ReadValue();
    stream_.Seek(-1, soCurrent);
    return t;
}

TValueType TUniValueReader::ReadValue() {
    Need(1);
    uint8_t b = 0;
    stream_.ReadBuffer(&b, 1);
    return static_cast<TValueType>(b);
}

void TUniValueReader::ReadListBegin() {
    if (ReadValue() != vaList) Invalid();
}

void TUniValueReader::ReadListEnd() {
    if (ReadValue() != vaNull) Invalid();
}

uint32_t TUniValueReader::ReadCount32() {
    Need(4);
    uint8_t b[4];
    stream_.ReadBuffer(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
}

std::string TUniValueReader::ReadBytes(size_t count) {
    Need(count);
    std::string s(count, '\0');
    if (count) stream_.ReadBuffer(s.data(), count);
    return s;
}

std::string TUniValueReader::ReadString() {
    switch (ReadValue()) {
        case vaString: {
            const std::string len = ReadBytes(1);
            return ReadBytes(static_cast<uint8_t>(len[0]));
        }
        case vaLString: return ReadBytes(ReadCount32());
        default: Invalid();
    }
}

std::u16string TUniValueReader::ReadWideString() {
    const TValueType t = NextValue();
    if (t == vaString || t == vaLString) return codec_.ToWide(ReadString(), cpAnsi);
    if (t != vaWString) Invalid();
    ReadValue();
    const uint32_t count = ReadCount32();
    return DecodeUtf16LE(ReadBytes(static_cast<size_t>(count) * 2));
}

void TUniValueReader::SkipValue() {
    const TValueType t = ReadValue();
    auto skip = [&](uint64_t n) {
        Need(n);
        stream_.Seek(static_cast<int64_t>(n), soCurrent);
    };
    switch (t) {
        case vaNull:
        case vaFalse:
        case vaTrue:
        case vaNil: return;
        case vaList:
            while (!EndOfList()) SkipValue();
            ReadListEnd();
            return;
        case vaInt8: skip(1); return;
        case vaInt16: skip(2); return;
        case vaInt32:
        case vaSingle: skip(4); return;
        case vaExtended: skip(10); return;
        case vaCurrency:
        case vaDate:
        case vaInt64: skip(8); return;
        case vaString:
        case vaIdent: skip(static_cast<uint8_t>(ReadBytes(1)[0])); return;
        case vaLString:
        case vaBinary:
        case vaUTF8String: skip(ReadCount32()); return;
        case vaWString: skip(static_cast<uint64_t>(ReadCount32()) * 2); return;
        case vaSet:
            for (;;) {
                const uint8_t len = static_cast<uint8_t>(ReadBytes(1)[0]);
                if (len == 0) return;
                skip(len);
            }
        case vaCollection:
            while (!EndOfList()) {
                const TValueType n = NextValue();
                if (n == vaInt8 || n == vaInt16 || n == vaInt32) SkipValue();  // the item's index
                ReadListBegin();
                while (!EndOfList()) {
                    skip(static_cast<uint8_t>(ReadBytes(1)[0]));  // property name
                    SkipValue();
                }
                ReadListEnd();
            }
            ReadListEnd();
            return;
    }
    Invalid();
}

void ReadStringsProperty(TUniValueReader& reader, TWideStrings& list) {
    TWideUpdateScope update(list);
    const TValueType t = reader.NextValue();
    if (t == vaString || t == vaLString || t == vaWString) {
        list.SetTextStr(reader.ReadWideString());
        return;
    }
    reader.ReadListBegin();
    list.Clear();
    while (!reader.EndOfList()) list.Add(reader.ReadWideString());
    reader.ReadListEnd();
}

static void WriteCount32(TStream& stream, uint32_t n) {
    const uint8_t b[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    stream.WriteBuffer(b, 4);
}

static void WriteWideStringValue(TStream& stream, std::u16string_view s) {
    stream.WriteByte(vaWString);
    WriteCount32(stream, static_cast<uint32_t>(s.size()));
    for (char16_t c : s) stream.WriteWord(c);
}

void WriteStringsProperty(TStream& stream, const TWideStrings& list) {
    stream.WriteByte(vaList);
    for (int i = 0; i < list.GetCount(); ++i) WriteWideStringValue(stream, list.Get(i));
    stream.WriteByte(vaNull);
}

void WriteWideCharProperty(TStream& stream, char16_t value) { WriteWideStringValue(stream, std::u16string(1, value)); }

// A list of plain strings, each decoded and added when keep is set, else dropped.
static void ReadEncodedLines(TUniValueReader& reader, TWideStrings& list, bool keep,
                             std::u16string (*decode)(std::string_view)) {
    TWideUpdateScope update(list);
    reader.ReadListBegin();
    if (keep) list.Clear();
    while (!reader.EndOfList()) {
        const std::string line = reader.ReadString();
        if (keep) list.Add(decode(line));
    }
    reader.ReadListEnd();
}

static std::u16string DecodeUtf8(std::string_view s) { return Utf8ToUtf16(s); }
static std::u16string DecodeUtf7(std::string_view s) { return Utf7ToWide(s); }

bool ReadUniStringsProperty(std::string_view name, TUniValueReader& reader, TUniStrings& list,
                            bool readingEnabled) {
    if (name == "Strings" || name == "WideStrings") {
        ReadStringsProperty(reader, list);
    } else if (name == "WideStringsW") {
        ReadEncodedLines(reader, list, readingEnabled || list.GetCount() == 0, DecodeUtf8);
    } else if (name == "WideStrings_UTF7") {
        ReadEncodedLines(reader, list, readingEnabled, DecodeUtf7);
    } else {
        return false;
    }
    return true;
}

bool ReadWidePropertyExtra(std::string_view name, TUniValueReader& reader, const std::vector<TWideProperty>& props,
                           bool readingEnabled) {
    for (const TWideProperty& p : props) {
        if (name.size() <= p.Name.size() || name.substr(0, p.Name.size()) != p.Name) continue;
        const std::string_view suffix = name.substr(p.Name.size());
        const bool utf8Form = suffix == "W";
        if (!utf8Form && suffix != "_UTF7") continue;
        if (p.IsChar) {
            std::u16string value;
            if (utf8Form) {
                value = reader.ReadWideString();
                if (value.size() > 1) throw EReadError("Invalid property value");
            } else {
                value = Utf7ToWide(reader.ReadString());
            }
            if (p.SetChar) p.SetChar(value.empty() ? u'\0' : value[0]);
        } else {
            const std::string bytes = reader.ReadString();
            if (readingEnabled && p.SetString) p.SetString(utf8Form ? Utf8ToUtf16(bytes) : Utf7ToWide(bytes));
        }
        return true;
    }
    return false;
}

}  // namespace ad::uni
