// Native benchmark of the digest routines: hashes one in-memory buffer with our
// code and with the fastest common libraries (OpenSSL's libcrypto, libgcrypt,
// RHash, zlib) in the same run, checks that both give the same digest, and
// prints MB/s (10^6 bytes per second, best of several runs) and the ratio.
// Usage: hash_bench [size in MiB, default 256] [runs, default 3]
#include <openssl/md4.h>
#include <openssl/md5.h>
#include <openssl/ripemd.h>
#include <openssl/sha.h>
#include <gcrypt.h>
#include <rhash.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "hash/CRC32.h"
#include "hash/CpuFeatures.h"
#include "hash/Digest.h"

using namespace ad;

namespace {

std::vector<unsigned char> buffer;
int runs = 3;

// Best throughput of `runs` runs of f over the buffer; f returns the digest text.
double Speed(const std::function<std::string()>& f, std::string& text) {
    double best = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        text = f();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::max(best, buffer.size() / 1e6 / s);
    }
    return best;
}

std::string Hex(const unsigned char* p, size_t n) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += kHex[p[i] >> 4];
        s += kHex[p[i] & 15];
    }
    return s;
}

// Tiger libraries give the bytes in memory order; our text has each 64-bit word
// most significant digit first.
std::string TigerWords(const unsigned char* p) {
    unsigned char r[24];
    for (int w = 0; w < 3; ++w)
        for (int i = 0; i < 8; ++i) r[8 * w + i] = p[8 * w + 7 - i];
    return Hex(r, 24);
}

std::string Ours(DigestKind kind) { return Digest::Text(kind, buffer.data(), buffer.size()); }

std::string Gcrypt(int algo, bool tiger = false) {
    unsigned char out[64];
    gcry_md_hash_buffer(algo, out, buffer.data(), buffer.size());
    return tiger ? TigerWords(out) : Hex(out, gcry_md_get_algo_dlen(algo));
}

std::string RHash(unsigned id, bool tiger = false) {
    unsigned char out[64];
    rhash_msg(id, buffer.data(), buffer.size(), out);
    return tiger ? TigerWords(out) : Hex(out, static_cast<size_t>(rhash_get_digest_size(id)));
}

void Row(const char* name, const std::function<std::string()>& ours, const char* peerName,
         const std::function<std::string()>& peer) {
    std::string a, b;
    const double oursSpeed = Speed(ours, a);
    const double peerSpeed = Speed(peer, b);
    std::printf("%-20s %9.0f  %-22s %9.0f  %6.2f  %s\n", name, oursSpeed, peerName, peerSpeed, oursSpeed / peerSpeed,
                a == b ? "" : "DIGESTS DIFFER");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 256;
    if (argc > 2) runs = std::max(1, std::atoi(argv[2]));
    buffer.resize(mib << 20);
    std::mt19937_64 rng(1);
    for (size_t i = 0; i + 8 <= buffer.size(); i += 8) {
        const uint64_t v = rng();
        std::memcpy(&buffer[i], &v, 8);
    }
    gcry_check_version(nullptr);
    gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    rhash_library_init();

    const CpuFeatures& f = DetectedCpuFeatures();
    std::printf("buffer %zu MiB, best of %d runs; SHA extensions %s, carry-less multiply %s\n\n", mib, runs,
                f.Sha ? "yes" : "no", f.Pclmul ? "yes" : "no");
    std::printf("%-20s %9s  %-22s %9s  %6s\n", "algorithm", "ours MB/s", "peer", "peer MB/s", "ratio");

    auto crc = [] {
        const uint32_t c = Crc32Update(0, buffer.data(), buffer.size());
        const unsigned char b[4] = {static_cast<unsigned char>(c >> 24), static_cast<unsigned char>(c >> 16),
                                    static_cast<unsigned char>(c >> 8), static_cast<unsigned char>(c)};
        return Hex(b, 4);
    };
    auto zlibCrc = [] {
        uLong c = crc32(0, Z_NULL, 0);
        for (size_t at = 0; at < buffer.size(); at += 1u << 30) {
            const size_t n = std::min<size_t>(buffer.size() - at, 1u << 30);
            c = crc32(c, buffer.data() + at, static_cast<uInt>(n));
        }
        const unsigned char b[4] = {static_cast<unsigned char>(c >> 24), static_cast<unsigned char>(c >> 16),
                                    static_cast<unsigned char>(c >> 8), static_cast<unsigned char>(c)};
        return Hex(b, 4);
    };
    auto ssl = [](unsigned char* (*fn)(const unsigned char*, size_t, unsigned char*), size_t n) {
        return [fn, n] {
            unsigned char out[64];
            fn(buffer.data(), buffer.size(), out);
            return Hex(out, n);
        };
    };

    Row("CRC-32", crc, "zlib", zlibCrc);
    Row("CRC-32", crc, "libgcrypt", [] { return Gcrypt(GCRY_MD_CRC32); });
    Row("MD4", [] { return Ours(DigestKind::MD4); }, "OpenSSL", ssl(MD4, 16));
    Row("MD5", [] { return Ours(DigestKind::MD5); }, "OpenSSL", ssl(MD5, 16));
    Row("RIPEMD-160", [] { return Ours(DigestKind::RIPEMD160); }, "OpenSSL", ssl(RIPEMD160, 20));
    Row("RIPEMD-160", [] { return Ours(DigestKind::RIPEMD160); }, "libgcrypt", [] { return Gcrypt(GCRY_MD_RMD160); });
    Row("RIPEMD-160", [] { return Ours(DigestKind::RIPEMD160); }, "RHash", [] { return RHash(RHASH_RIPEMD160); });
    {
        // No common library has RIPEMD-128; the goal is our RIPEMD-160 x 1.2.
        std::string a, b;
        const double r128 = Speed([] { return Ours(DigestKind::RIPEMD128); }, a);
        const double r160 = Speed([] { return Ours(DigestKind::RIPEMD160); }, b) * 1.2;
        std::printf("%-20s %9.0f  %-22s %9.0f  %6.2f\n", "RIPEMD-128", r128, "ours RIPEMD-160 x 1.2", r160, r128 / r160);
    }
    Row("SHA-1", [] { return Ours(DigestKind::SHA1); }, "OpenSSL", ssl(SHA1, 20));
    Row("SHA-256", [] { return Ours(DigestKind::SHA256); }, "OpenSSL", ssl(SHA256, 32));
    Row("SHA-384", [] { return Ours(DigestKind::SHA384); }, "OpenSSL", ssl(SHA384, 48));
    Row("SHA-512", [] { return Ours(DigestKind::SHA512); }, "OpenSSL", ssl(SHA512, 64));
    Row("Tiger-192", [] { return Ours(DigestKind::Tiger192); }, "libgcrypt",
        [] { return Gcrypt(GCRY_MD_TIGER1, true); });
    Row("Tiger-192", [] { return Ours(DigestKind::Tiger192); }, "RHash", [] { return RHash(RHASH_TIGER, true); });

    // The portable code of the accelerated digests, for machines without the
    // extensions.
    UsePortableDigestCode(true);
    Row("CRC-32 (portable)", crc, "zlib", zlibCrc);
    Row("SHA-1 (portable)", [] { return Ours(DigestKind::SHA1); }, "OpenSSL", ssl(SHA1, 20));
    Row("SHA-256 (portable)", [] { return Ours(DigestKind::SHA256); }, "OpenSSL", ssl(SHA256, 32));
    UsePortableDigestCode(false);
    return 0;
}
