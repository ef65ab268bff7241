// Files by name, the one way every reader and writer of the system reaches
// them. Names are 8-bit text in the system's code page; on Windows they are
// widened once and opened through the wide calls, so a name with letters
// beyond ASCII opens whatever the C runtime's locale. Portable header; the
// platform halves are Files_win.cpp and Files_posix.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ad {

// fopen by an 8-bit name; mode as for fopen ("rb", "wb", ...). nullptr when the
// file cannot be opened; LastFileErrorText() then tells why.
std::FILE* OpenNamedFile(const std::string& fileName, const char* mode);
// The system's text for why the last open, read or write of this thread failed.
std::string LastFileErrorText();

// The whole file. Raises EFOpenError naming the file when it cannot be opened
// and EReadError when reading fails.
std::vector<uint8_t> ReadFileBytes(const std::string& fileName);

// Writes data to a new temporary file beside fileName and moves it over
// fileName, so that the target is either the old file or the whole new one.
// A read-only target or a folder is refused as the system refuses writing into
// it. Raises EFCreateError naming fileName, with the system's reason.
void SaveFileAtomically(const std::string& fileName, const void* data, size_t size);

}  // namespace ad
