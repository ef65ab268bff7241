// File digests: the file is streamed in blocks through an incremental digest.
#include "hash/Hashes.h"

#include <cerrno>

#include "base/Exception.h"
#include "base/Files.h"
#include "hash/Digest.h"
#include "hash/FileSource.h"

namespace ad {

namespace {

void FileDigest(DigestKind kind, const std::string& fileName, int chunkSize, std::string& outText) {
    outText.clear();
    Digest digest(kind);
    const digest::StreamResult result = digest::StreamFile(
        fileName, digest::BlockSizeFor(chunkSize), [&](const uint8_t* p, size_t n) { digest.Update(p, n); });
    if (result == digest::StreamResult::Done) {
        outText = digest.FinalText();
        return;
    }
    // A failure never leaves the digest of part of the file: the text is the
    // digest of no data, as for a file that cannot be opened.
    const int readError = errno;
    outText = Digest::Text(kind, nullptr, 0);
    digest::RaiseStreamError(result, fileName, readError);
}

}  // namespace

void FileMD4(const std::string& f, int chunk, std::string& out) { FileDigest(DigestKind::MD4, f, chunk, out); }
void FileMD5(const std::string& f, int chunk, std::string& out) { FileDigest(DigestKind::MD5, f, chunk, out); }
void FileRIPEMD128(const std::string& f, int chunk, std::string& out) {
    FileDigest(DigestKind::RIPEMD128, f, chunk, out);
}
void FileRIPEMD160(const std::string& f, int chunk, std::string& out) {
    FileDigest(DigestKind::RIPEMD160, f, chunk, out);
}
void FileSHA1(const std::string& f, int chunk, std::string& out) { FileDigest(DigestKind::SHA1, f, chunk, out); }
void FileSHA256(const std::string& f, int chunk, std::string& out) { FileDigest(DigestKind::SHA256, f, chunk, out); }
void FileSHA384(const std::string& f, int chunk, std::string& out) { FileDigest(DigestKind::SHA384, f, chunk, out); }
void FileSHA512(const std::string& f, int chunk, std::string& out) { FileDigest(DigestKind::SHA512, f, chunk, out); }

void FileTiger(const std::string& fileName, int outputBits, int chunkSize, std::string& outText) {
    switch (outputBits) {
    case 128: return FileDigest(DigestKind::Tiger128, fileName, chunkSize, outText);
    case 160: return FileDigest(DigestKind::Tiger160, fileName, chunkSize, outText);
    case 192: return FileDigest(DigestKind::Tiger192, fileName, chunkSize, outText);
    default: throw EConvertError(Format("Invalid Tiger output width %d", outputBits));
    }
}

void FileTiger128(const std::string& f, int chunk, std::string& out) { FileTiger(f, 128, chunk, out); }
void FileTiger160(const std::string& f, int chunk, std::string& out) { FileTiger(f, 160, chunk, out); }
void FileTiger192(const std::string& f, int chunk, std::string& out) { FileTiger(f, 192, chunk, out); }

std::string HexDigits(int count, uint64_t value) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text(count > 0 ? static_cast<size_t>(count) : 0, '0');
    for (size_t i = text.size(); i-- > 0 && value != 0; value >>= 4) text[i] = kHex[value & 15];
    return text;
}

}  // namespace ad
