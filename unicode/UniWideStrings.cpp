// Wide string lists: the list mechanics, text splitting and mark-aware loading.
#include "unicode/UniWideStrings.h"

#include <cstring>

#include "base/Exception.h"
#include "base/TextFileEncoding.h"

namespace ad::uni {

// --- TWideStrings ----------------------------------------------------------------

void TWideStrings::IndexError(int index) { throw EStringListError(Format("List index out of bounds (%d)", index)); }

void TWideStrings::Put(int index, const std::u16string& s) {
    const intptr_t object = Objects(index);
    TWideUpdateScope update(*this);
    Delete(index);
    InsertObject(index, s, object);
}

intptr_t TWideStrings::Objects(int) const { return 0; }
void TWideStrings::PutObject(int, intptr_t) {}

int TWideStrings::Add(const std::u16string& s) {
    const int index = GetCount();
    Insert(index, s);
    return index;
}

int TWideStrings::AddObject(const std::u16string& s, intptr_t object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TWideStrings::InsertObject(int index, const std::u16string& s, intptr_t object) {
    Insert(index, s);
    PutObject(index, object);
}

void TWideStrings::AddStrings(const TWideStrings& other) {
    TWideUpdateScope update(*this);
    for (int i = 0; i < other.GetCount(); ++i) AddObject(other.Get(i), other.Objects(i));
}

void TWideStrings::Exchange(int index1, int index2) {
    TWideUpdateScope update(*this);
    const std::u16string s1 = Get(index1), s2 = Get(index2);
    const intptr_t o1 = Objects(index1), o2 = Objects(index2);
    Put(index1, s2);
    PutObject(index1, o2);
    Put(index2, s1);
    PutObject(index2, o1);
}

void TWideStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    TWideUpdateScope update(*this);
    const std::u16string s = Get(curIndex);
    const intptr_t o = Objects(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, o);
}

int TWideStrings::CompareStrings(std::u16string_view a, std::u16string_view b) const {
    return Codec->CompareText(a, b);
}

int TWideStrings::IndexOf(std::u16string_view s) const {
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TWideStrings::IndexOfName(std::u16string_view name) const {
    const char16_t sep = NameValueSeparator();
    for (int i = 0; i < GetCount(); ++i) {
        const std::u16string line = Get(i);
        const size_t p = line.find(sep);
        if (p != std::u16string::npos && CompareStrings(std::u16string_view(line).substr(0, p), name) == 0) return i;
    }
    return -1;
}

int TWideStrings::IndexOfObject(intptr_t object) const {
    for (int i = 0; i < GetCount(); ++i)
        if (Objects(i) == object) return i;
    return -1;
}

bool TWideStrings::Equals(const TWideStrings& other) const {
    if (GetCount() != other.GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TWideStrings::Assign(const TWideStrings& other) {
    if (&other == this) return;
    TWideUpdateScope update(*this);
    Clear();
    defined_ = other.defined_;
    delimiter_ = other.delimiter_;
    quoteChar_ = other.quoteChar_;
    nameValueSeparator_ = other.nameValueSeparator_;
    AddStrings(other);
}

std::u16string TWideStrings::GetTextStr() const {
    std::u16string text;
    for (int i = 0; i < GetCount(); ++i) {
        text += Get(i);
        text += u"\r\n";
    }
    return text;
}

void TWideStrings::SetTextStr(std::u16string_view text) {
    TWideUpdateScope update(*this);
    Clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n' && c != 0x2028) continue;
        Add(std::u16string(text.substr(start, i - start)));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) Add(std::u16string(text.substr(start)));
}

std::string ReadRest(TStream& stream) {
    std::string bytes(static_cast<size_t>(stream.Remaining()), '\0');
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

// The rest of the stream as whole UTF-16 little-endian units; an odd last byte is dropped.
static std::u16string ReadUtf16LE(TStream& stream) { return DecodeUtf16LE(ReadRest(stream)); }

static void WriteUtf16LE(TStream& stream, std::u16string_view text) {
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TWideStrings::LoadFromStream(TStream& stream) {
    TWideUpdateScope update(*this);
    SetTextStr(ReadUtf16LE(stream));
}

void TWideStrings::SaveToStream(TStream& stream) const { WriteUtf16LE(stream, GetTextStr()); }

void TWideStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TWideStrings::EndUpdate() {
    if (--updateCount_ == 0) SetUpdateState(false);
}

char16_t TWideStrings::Delimiter() const {
    if (!(defined_ & sdDelimiter)) {
        delimiter_ = u',';
        defined_ |= sdDelimiter;
    }
    return delimiter_;
}

void TWideStrings::SetDelimiter(char16_t c) {
    delimiter_ = c;
    defined_ |= sdDelimiter;
}

char16_t TWideStrings::QuoteChar() const {
    if (!(defined_ & sdQuoteChar)) {
        quoteChar_ = u'"';
        defined_ |= sdQuoteChar;
    }
    return quoteChar_;
}

void TWideStrings::SetQuoteChar(char16_t c) {
    quoteChar_ = c;
    defined_ |= sdQuoteChar;
}

char16_t TWideStrings::NameValueSeparator() const {
    if (!(defined_ & sdNameValueSeparator)) {
        nameValueSeparator_ = u'=';
        defined_ |= sdNameValueSeparator;
    }
    return nameValueSeparator_;
}

void TWideStrings::SetNameValueSeparator(char16_t c) {
    nameValueSeparator_ = c;
    defined_ |= sdNameValueSeparator;
}

// --- TUniStrings ---------------------------------------------------------------------

TUniCharSet DetectCharSet(TStream& stream) {
    const int64_t start = stream.Position();
    uint8_t b[3] = {};
    if (stream.Remaining() >= 2) {
        stream.ReadBuffer(b, 2);
        if (b[0] == 0xFF && b[1] == 0xFE) return csUnicode;
        if (b[0] == 0xFE && b[1] == 0xFF) return csUnicodeSwapped;
        stream.SetPosition(start);
    }
    if (stream.Remaining() >= 3) {
        stream.ReadBuffer(b, 3);
        if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return csUtf8;
        stream.SetPosition(start);
    }
    return csAnsi;
}

void TUniStrings::LoadFromStream(TStream& stream, bool detect) {
    TWideUpdateScope update(*this);
    const TUniCharSet charSet = detect ? DetectCharSet(stream) : csUnicode;
    std::u16string text;
    switch (charSet) {
        case csUnicode:
        case csUnicodeSwapped:
            text = ReadUtf16LE(stream);
            if (charSet == csUnicodeSwapped) SwapByteOrder(text);
            break;
        case csUtf8: text = Utf8ToUtf16(ReadRest(stream)); break;
        case csAnsi: text = Codec->ToWide(ReadRest(stream), cpAnsi); break;
    }
    SetTextStr(text);
}

void TUniStrings::SaveToStream(TStream& stream, bool withMark) const {
    std::u16string text = GetTextStr();
    if (withMark) text.insert(text.begin(), char16_t(0xFEFF));
    WriteUtf16LE(stream, text);
}

// --- TWideStringList ---------------------------------------------------------------

const TWideStringList::Item& TWideStringList::At(int index) const {
    if (index < 0 || index >= GetCount()) IndexError(index);
    return items_[static_cast<size_t>(index)];
}

std::u16string TWideStringList::Get(int index) const { return At(index).text; }
intptr_t TWideStringList::Objects(int index) const { return At(index).object; }

void TWideStringList::Insert(int index, const std::u16string& s) {
    if (index < 0 || index > GetCount()) IndexError(index);
    items_.insert(items_.begin() + index, Item{s, 0});
}

void TWideStringList::Delete(int index) {
    At(index);
    items_.erase(items_.begin() + index);
}

void TWideStringList::Put(int index, const std::u16string& s) {
    At(index);
    items_[static_cast<size_t>(index)].text = s;
}

void TWideStringList::PutObject(int index, intptr_t object) {
    At(index);
    items_[static_cast<size_t>(index)].object = object;
}

}  // namespace ad::uni
