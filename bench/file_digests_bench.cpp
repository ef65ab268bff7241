// Benchmark of the File Hash dialog's work: several digests of one file from a
// single read. Writes a file of the given size, then times every computation
// alone, all twelve digests together, and the dialog's default four (CRC32,
// MD5, SHA-256, SHA-512) on four threads and as four separate reads of the
// file. Goals: all twelve within 1.1 times the slowest single one, and the
// default four within 2 s for 1 GiB on four cores; a pass asked to stop ends
// within 100 ms.
// Usage: file_digests_bench [size in MiB, default 1024] [runs, default 2]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "hash/CRC32.h"
#include "hash/FileDigestPass.h"
#include "hash/Hashes.h"
#include "testsupport/TempFolder.h"

using namespace ad;
using namespace ad::digest;

namespace {

int runs = 2;

double Seconds(const std::function<void()>& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void Pass(const std::string& file, const FileDigestRequest& request, unsigned threads) {
    FileDigestResult result;
    DigestFileOnce(file, request, result, {}, threads);
}

bool WriteTestFile(const std::string& file, size_t mib) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return false;
    std::string block(size_t(1) << 20, '\0');
    uint32_t x = 2463534242u;
    bool ok = true;
    for (size_t m = 0; m < mib && ok; ++m) {
        for (char& c : block) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            c = static_cast<char>(x);
        }
        ok = std::fwrite(block.data(), 1, block.size(), f) == block.size();
    }
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    const size_t mib = argc > 1 ? static_cast<size_t>(std::max(1, std::atoi(argv[1]))) : 1024;
    if (argc > 2) runs = std::max(1, std::atoi(argv[2]));
    test::TempDir dir;
    const std::string file = dir.File("bench.bin");
    if (!WriteTestFile(file, mib)) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return 1;
    }
    std::printf("%zu MiB file, best of %d runs\n", mib, runs);
    Pass(file, {true, {}}, 1);  // into the file cache

    struct Single {
        const char* name;
        FileDigestRequest request;
    } singles[] = {
        {"CRC32", {true, {}}},
        {"MD4", {false, {DigestKind::MD4}}},
        {"MD5", {false, {DigestKind::MD5}}},
        {"RIPEMD-128", {false, {DigestKind::RIPEMD128}}},
        {"RIPEMD-160", {false, {DigestKind::RIPEMD160}}},
        {"SHA-1", {false, {DigestKind::SHA1}}},
        {"SHA-256", {false, {DigestKind::SHA256}}},
        {"SHA-384", {false, {DigestKind::SHA384}}},
        {"SHA-512", {false, {DigestKind::SHA512}}},
        {"Tiger (all widths)", {false, {DigestKind::Tiger192}}},
    };
    double slowest = 0;
    for (const Single& s : singles) {
        const double t = Seconds([&] { Pass(file, s.request, 1); });
        slowest = std::max(slowest, t);
        std::printf("  %-20s %7.3f s  %8.1f MB/s\n", s.name, t, mib * 1.048576 / t);
    }

    const FileDigestRequest all{true,
                                {DigestKind::MD4, DigestKind::MD5, DigestKind::RIPEMD128, DigestKind::RIPEMD160,
                                 DigestKind::SHA1, DigestKind::SHA256, DigestKind::SHA384, DigestKind::SHA512,
                                 DigestKind::Tiger128, DigestKind::Tiger160, DigestKind::Tiger192}};
    const double twelve = Seconds([&] { Pass(file, all, 0); });
    const double twelveOne = Seconds([&] { Pass(file, all, 1); });
    const FileDigestRequest four{true, {DigestKind::MD5, DigestKind::SHA256, DigestKind::SHA512}};
    const double fourThreads = Seconds([&] { Pass(file, four, 4); });
    const double fourSeparate = Seconds([&] {
        std::string text;
        FileCRC32(file);
        FileMD5(file, 1024, text);
        FileSHA256(file, 1024, text);
        FileSHA512(file, 1024, text);
    });

    // How soon a pass of all twelve ends once it is asked to stop (the dialog's Esc).
    double stopLatency = 0;
    {
        std::atomic<bool> stopNow{false};
        std::chrono::steady_clock::time_point asked;
        std::thread pass([&] {
            FileDigestResult result;
            DigestFileOnce(file, all, result, [&] { return stopNow.load(); }, 0);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        asked = std::chrono::steady_clock::now();
        stopNow = true;
        pass.join();
        stopLatency = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
    }

    std::printf("all twelve, one read, every processor: %7.3f s  (%.2f x the slowest single, goal <= 1.1: %s)\n",
                twelve, twelve / slowest, twelve <= 1.1 * slowest ? "met" : "missed");
    std::printf("all twelve, one read, one thread:      %7.3f s\n", twelveOne);
    const double scaled = fourThreads * 1024.0 / static_cast<double>(mib);
    std::printf("default four, one read, four threads:  %7.3f s  (%.2f s per GiB, goal <= 2: %s)\n", fourThreads,
                scaled, scaled <= 2.0 ? "met" : "missed");
    std::printf("default four, four separate reads:     %7.3f s\n", fourSeparate);
    std::printf("stopping all twelve after 300 ms:        %7.1f ms (goal <= 100: %s)\n", stopLatency * 1000,
                stopLatency <= 0.1 ? "met" : "missed");
    return 0;
}
