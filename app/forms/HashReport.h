// The File Hash dialog's rules that need no window: its twelve algorithms in
// list order, the labels of the report lines, and the checked algorithms'
// lines of a file, all computed from one read of it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace ad {

constexpr int kHashItemCount = 12;
extern const std::array<const char*, kHashItemCount> kHashItems;  // "CRC32", "MD4", ... "Tiger-192"
using THashChecks = std::array<bool, kHashItemCount>;

// A report line's start: the name padded with blanks to 11 characters and ": ".
std::string HashLabel(const std::string& name);
// The first line of the report: "Filename   : " and the path.
std::string HashFileLine(const std::string& fileName);

// Appends one line per checked item, in list order: its label and the digest in
// lower-case hexadecimal. Returns false, adding nothing, when stop() ended the
// work. A file that cannot be read gets the CRC32 line "00000000" when CRC32 is
// checked, and raises the file error when any other item is checked.
bool AppendHashLines(const std::string& fileName, const THashChecks& checked, const std::function<bool()>& stop,
                     std::vector<std::string>& lines);

}  // namespace ad
