// Opening files by their 8-bit name on systems whose file names are bytes.
#include "hash/FileSource.h"

namespace ad::digest {

std::FILE* OpenFileForReading(const std::string& fileName) { return std::fopen(fileName.c_str(), "rb"); }

}  // namespace ad::digest
