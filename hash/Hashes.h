// Digests of whole files as upper-case hexadecimal text, for the File Hash
// dialog and the online scan link (which lower-case it).
//
// Every routine streams the file in blocks, so memory stays bounded whatever
// the file's size. chunkSize is the read size in bytes: values of 0 or less
// mean the default, and it is kept between 1 MiB and 64 MiB.
// When the file cannot be opened, outText receives the digest of no data and
// the routine raises EFOpenError naming the file; a read error after opening
// does the same with EReadError.
#pragma once

#include <cstdint>
#include <string>

namespace ad {

void FileMD4(const std::string& fileName, int chunkSize, std::string& outText);
void FileMD5(const std::string& fileName, int chunkSize, std::string& outText);
void FileRIPEMD128(const std::string& fileName, int chunkSize, std::string& outText);
void FileRIPEMD160(const std::string& fileName, int chunkSize, std::string& outText);
void FileSHA1(const std::string& fileName, int chunkSize, std::string& outText);
void FileSHA256(const std::string& fileName, int chunkSize, std::string& outText);
void FileSHA384(const std::string& fileName, int chunkSize, std::string& outText);
void FileSHA512(const std::string& fileName, int chunkSize, std::string& outText);
// outputBits is 128, 160 or 192 (anything else raises EConvertError).
void FileTiger(const std::string& fileName, int outputBits, int chunkSize, std::string& outText);
void FileTiger128(const std::string& fileName, int chunkSize, std::string& outText);
void FileTiger160(const std::string& fileName, int chunkSize, std::string& outText);
void FileTiger192(const std::string& fileName, int chunkSize, std::string& outText);

// Exactly `count` upper-case hexadecimal digits of the low end of value, most
// significant first, leading zeros kept ("" for count <= 0).
std::string HexDigits(int count, uint64_t value);

}  // namespace ad
