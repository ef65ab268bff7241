// Wide properties in form descriptions stored in the class library's binary
// value format: a value type byte, then the value. Strings are vaString (a
// length byte and 8-bit text), vaLString (a 32-bit length and 8-bit text) or
// vaWString (a 32-bit count and that many UTF-16 units); a list is vaList,
// its items and vaNull. This reads the "Strings" list of a wide string list,
// the extra lists of TUniStrings, and the extra "<Prop>W" and "<Prop>_UTF7"
// forms of a component's wide properties. Portable.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Streams.h"
#include "unicode/UniWideStrings.h"

namespace ad::uni {

enum TValueType : uint8_t {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6, vaIdent = 7,
    vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13, vaCollection = 14,
    vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19, vaUTF8String = 20,
};

// Reads values from a stream. Every read that runs past the end, and every
// count larger than the bytes left, raises EReadError before reading.
class TUniValueReader {
public:
    explicit TUniValueReader(TStream& stream, const IAnsiCodec& codec = SystemCodec())
        : stream_(stream), codec_(codec) {}

    TValueType NextValue();  // without taking it
    TValueType ReadValue();
    // vaNull next (taken with ReadListEnd).
    bool EndOfList() { return NextValue() == vaNull; }
    void ReadListBegin();  // expects vaList
    void ReadListEnd();    // expects vaNull

    // The 8-bit text of a vaString or vaLString.
    std::string ReadString();
    // A plain string widened (by the codec's ANSI code page), or a vaWString.
    std::u16string ReadWideString();
    // Skips one value of any kind this format stores.
    void SkipValue();

private:
    uint32_t ReadCount32();
    void Need(uint64_t bytes);
    std::string ReadBytes(size_t count);
    [[noreturn]] static void Invalid();

    TStream& stream_;
    const IAnsiCodec& codec_;
};

// The "Strings" property of a wide string list: one string (plain or wide)
// becomes the whole text; a list is read item by item into the cleared list.
void ReadStringsProperty(TUniValueReader& reader, TWideStrings& list);
// Writes the "Strings" value: a list of vaWString values, one per line.
void WriteStringsProperty(TStream& stream, const TWideStrings& list);

// The list properties of TUniStrings: "Strings" and "WideStrings" are read
// as above; "WideStringsW" (UTF-8 lines) is read when enabled or the list is
// still empty, "WideStrings_UTF7" (UTF-7 lines) only when enabled, and
// dropped otherwise. False for any other name (nothing is read).
bool ReadUniStringsProperty(std::string_view name, TUniValueReader& reader, TUniStrings& list,
                            bool readingEnabled = false);

// A published wide property of a component, as its extra forms need it.
struct TWideProperty {
    std::string Name;
    bool IsChar = false;  // a single wide character rather than a wide string
    std::function<void(const std::u16string&)> SetString;
    std::function<void(char16_t)> SetChar;
};

// The extra forms "<Name>W" and "<Name>_UTF7" of the given properties: for a
// wide string, UTF-8 or UTF-7 text set only when enabled and otherwise
// consumed; for a wide character, a string of at most one character (more
// raises EReadError "Invalid property value"). False when the name is none
// of them (nothing is read).
bool ReadWidePropertyExtra(std::string_view name, TUniValueReader& reader, const std::vector<TWideProperty>& props,
                           bool readingEnabled = false);
// The "<Name>W" form of a wide character: vaWString, its count, its units.
void WriteWideCharProperty(TStream& stream, char16_t value);

}  // namespace ad::uni
