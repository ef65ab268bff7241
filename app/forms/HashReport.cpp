// The File Hash report: labels and the digest lines of one pass over the file.
#include "app/forms/HashReport.h"

#include "base/Exception.h"
#include "base/StrUtils.h"
#include "hash/FileDigestPass.h"
#include "hash/Hashes.h"

namespace ad {

const std::array<const char*, kHashItemCount> kHashItems = {
    "CRC32",   "MD4",     "MD5",     "RIPEMD-128", "RIPEMD-160", "SHA-1",
    "SHA-256", "SHA-384", "SHA-512", "Tiger-128",  "Tiger-160",  "Tiger-192",
};

namespace {
// Items after CRC32 follow the digest kinds' order.
DigestKind KindOfItem(int item) { return static_cast<DigestKind>(item - 1); }
}  // namespace

std::string HashLabel(const std::string& name) {
    std::string label = name;
    if (label.size() < 11) label.resize(11, ' ');
    return label + ": ";
}

std::string HashFileLine(const std::string& fileName) { return HashLabel("Filename") + fileName; }

bool AppendHashLines(const std::string& fileName, const THashChecks& checked, const std::function<bool()>& stop,
                     std::vector<std::string>& lines) {
    digest::FileDigestRequest request;
    request.Crc32 = checked[0];
    for (int i = 1; i < kHashItemCount; ++i)
        if (checked[static_cast<size_t>(i)]) request.Kinds.push_back(KindOfItem(i));
    auto crcLine = [&](uint32_t crc) { return HashLabel(kHashItems[0]) + AsciiLowerCase(HexDigits(8, crc)); };

    digest::FileDigestResult result;
    try {
        if (!digest::DigestFileOnce(fileName, request, result, stop)) return false;
    } catch (const EStreamError&) {
        // CRC-32 of an unreadable file is that of no data; the digests report the error.
        if (request.Crc32) lines.push_back(crcLine(0));
        if (!request.Kinds.empty()) throw;
        return true;
    }
    if (request.Crc32) lines.push_back(crcLine(result.Crc32));
    size_t next = 0;
    for (int i = 1; i < kHashItemCount; ++i)
        if (checked[static_cast<size_t>(i)])
            lines.push_back(HashLabel(kHashItems[static_cast<size_t>(i)]) + AsciiLowerCase(result.Texts[next++]));
    return true;
}

}  // namespace ad
