// String and path text helpers over 8-bit strings. Portable: no Windows headers.
// Case folding here is ASCII only; the ANSI-code-page aware variants live in SysUtils.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ad {

std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string AsciiLowerCase(std::string_view s);
std::string AsciiUpperCase(std::string_view s);
bool AsciiSameText(std::string_view a, std::string_view b);
bool StartsText(std::string_view prefix, std::string_view s);  // ASCII case-insensitive
std::string StringReplaceAll(std::string_view s, std::string_view from, std::string_view to);

std::string IntToStr(int64_t value);
std::string IntToHex(uint64_t value, int digits);  // upper case, at least `digits` digits
// Decimal, optional sign, surrounding blanks allowed, "$" or "0x" hex prefix; false on
// anything else or on overflow of 32 bits.
bool TryStrToInt(std::string_view s, int& value);
int StrToIntDef(std::string_view s, int def);

// Paths with "\" (and "/") separators and an optional drive "C:".
bool IsPathDelimiter(char c);
std::string IncludeTrailingPathDelimiter(std::string_view path);  // an empty path gives a lone "\"
std::string ExcludeTrailingPathDelimiter(std::string_view path);
std::string ExtractFilePath(std::string_view fileName);  // with trailing "\"
std::string ExtractFileDir(std::string_view fileName);   // without trailing "\"
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);   // with the dot, "" if none
std::string ExtractFileDrive(std::string_view fileName); // "C:" or "\\server\share"
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);

}  // namespace ad
