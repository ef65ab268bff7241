// CRC-32 (ISO 3309 / ITU-T V.42) of memory and of whole files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ad {

// Continues a CRC-32 over more data: start with 0, pass each result back in
// (the same convention as zlib's crc32). Uses carry-less multiply when the
// processor has it.
uint32_t Crc32Update(uint32_t crc, const void* data, size_t size);

// CRC-32 of a whole file, streamed; 0 when the file cannot be opened or read.
uint32_t FileCRC32(const std::string& fileName);

}  // namespace ad
