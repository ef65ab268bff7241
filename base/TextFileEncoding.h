// How a text file is stored, as told by its byte-order mark, and the
// conversions between its bytes and 8-bit text: no mark is 8-bit text kept as
// it is; a UTF-8 mark (EF BB BF) or a UTF-16 mark, little-endian (FF FE) or
// big-endian (FE FF), gives UTF-8 text. Decoding and encoding again gives back
// the same bytes, mark included: every 16-bit unit survives, lone surrogates
// too (they become three-byte sequences). Portable: conversions to and from
// a system code page are the caller's.
#pragma once

#include <string>
#include <string_view>

namespace ad {

enum class TTextFileEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// By the mark at the start of the bytes; Ansi without one.
TTextFileEncoding DetectTextFileEncoding(std::string_view bytes);

// The text after the mark: 8-bit text for Ansi, UTF-8 otherwise. A UTF-16 text
// of odd length reads its last byte as the character of that value, as the
// system's profile functions do.
std::string DecodeTextFile(std::string_view bytes, TTextFileEncoding encoding);
// The file's bytes for text given as DecodeTextFile returns it, mark included.
std::string EncodeTextFile(std::string_view text, TTextFileEncoding encoding);

// UTF-8 <-> UTF-16 keeping lone surrogates. A byte that starts no valid UTF-8
// sequence reads as U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Latin-1 <-> UTF-16: each byte is the code point of its value; a unit above
// 0xFF becomes "?". The stand-in for the system's code page in portable code
// built natively (Windows code converts through base/WinText.h).
std::u16string Latin1ToUtf16(std::string_view bytes);
std::string Utf16ToLatin1(std::u16string_view text);

}  // namespace ad
