// Conversions between wide (UTF-16) text and bytes: UTF-7 (RFC 2152) with the
// layer's own encoder and decoder, UTF-8, and system code pages through a
// codec; line-break normalisation and the byte swap of big-endian text.
// Portable: the system's code pages and its case rules are reached through
// IAnsiCodec (the Windows one on Windows, Latin-1 natively).
#pragma once

#include <string>
#include <string_view>

namespace ad::uni {

// Code page numbers as the system gives them.
constexpr unsigned cpAnsi = 0;         // the system's ANSI code page
constexpr unsigned cpThreadAnsi = 3;   // the calling thread's ANSI code page
constexpr unsigned cpUtf7 = 65000;
constexpr unsigned cpUtf8 = 65001;

// Code pages and case rules of the system.
class IAnsiCodec {
public:
    virtual ~IAnsiCodec() = default;
    // Bytes of a code page to UTF-16, and back (characters without a byte
    // form become the code page's default character).
    virtual std::u16string ToWide(std::string_view bytes, unsigned codePage) const = 0;
    virtual std::string FromWide(std::u16string_view text, unsigned codePage) const = 0;
    // <0, 0, >0, ignoring case.
    virtual int CompareText(std::u16string_view a, std::u16string_view b) const = 0;
};

// Each byte is the code point of its value; above 0xFF becomes "?". Case is
// folded for ASCII and Latin-1 letters.
class TLatin1Codec : public IAnsiCodec {
public:
    std::u16string ToWide(std::string_view bytes, unsigned codePage) const override;
    std::string FromWide(std::u16string_view text, unsigned codePage) const override;
    int CompareText(std::u16string_view a, std::u16string_view b) const override;
};

// The system's codec: the Windows code pages and locale on Windows, Latin-1
// natively.
const IAnsiCodec& SystemCodec();

// The system's ANSI code page in both directions.
std::u16string AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::u16string_view wide);
// True when the text survives wide -> ANSI -> wide unchanged.
bool SurvivesAnsi(std::u16string_view wide);

// UTF-7 in the optional-direct variant: sets D and O and the blanks TAB, CR,
// LF and space are written directly, "+" as "+-", and a run ends with "-" only
// where the next character would otherwise be read as part of it.
std::string WideToUtf7(std::u16string_view text);
// Raises EUniGeneralError "Invalid UTF7" on bytes above 127, empty runs or
// left-over bits that are not zero.
std::u16string Utf7ToWide(std::string_view bytes);

// By code page: 65000 UTF-7, 65001 UTF-8, any other through the system codec.
std::string WideToCodePage(std::u16string_view text, unsigned codePage);
std::u16string CodePageToWide(std::string_view bytes, unsigned codePage);

enum class TTextLineBreakStyle { tlbsLF, tlbsCRLF, tlbsCR };
// Every CR LF pair, lone CR, lone LF and U+2028 becomes the style's break.
std::u16string NormalizeLineBreaks(std::u16string_view text, TTextLineBreakStyle style);

// UTF-16 little-endian bytes to units; an odd last byte is dropped.
std::u16string DecodeUtf16LE(std::string_view bytes);

// Swaps the two bytes of every unit (big-endian text to the machine's order),
// all of them: a U+0000 inside the text does not end the swap.
void SwapByteOrder(std::u16string& text);

}  // namespace ad::uni
