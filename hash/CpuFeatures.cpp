// CPUID detection of the extensions the digest code can use.
#include "hash/CpuFeatures.h"

#include <atomic>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace ad {

namespace {

CpuFeatures Detect() {
    CpuFeatures f;
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid(1, &a, &b, &c, &d)) {
        f.Pclmul = (c & (1u << 1)) != 0;
        f.Ssse3 = (c & (1u << 9)) != 0;
        f.Sse41 = (c & (1u << 19)) != 0;
    }
    // The vector registers count only if the operating system saves them
    // (OSXSAVE, then XCR0: SSE and AVX state; opmask and both ZMM halves).
    bool ymm = false, zmm = false;
    if (__get_cpuid(1, &a, &b, &c, &d) && (c & (1u << 27)) != 0 && (c & (1u << 28)) != 0) {
        uint32_t lo = 0, hi = 0;
        asm volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
        ymm = (lo & 0x06) == 0x06;
        zmm = (lo & 0xE6) == 0xE6;
    }
    if (__get_cpuid_max(0, nullptr) >= 7) {
        __cpuid_count(7, 0, a, b, c, d);
        f.Sha = (b & (1u << 29)) != 0;
        f.Avx2 = ymm && (b & (1u << 5)) != 0;
        f.Bmi2 = (b & (1u << 3)) != 0 && (b & (1u << 8)) != 0;
        f.Avx512 = zmm && f.Avx2 && (b & (1u << 16)) != 0 && (b & (1u << 30)) != 0 && (b & (1u << 31)) != 0;
    }
#endif
    return f;
}

std::atomic<bool> portableOnly{false};

}  // namespace

const CpuFeatures& DetectedCpuFeatures() {
    static const CpuFeatures features = Detect();
    return features;
}

void UsePortableDigestCode(bool portable) { portableOnly.store(portable, std::memory_order_relaxed); }

bool UseShaExtensions() {
    const CpuFeatures& f = DetectedCpuFeatures();
    return !portableOnly.load(std::memory_order_relaxed) && f.Sha && f.Sse41 && f.Ssse3;
}

bool UseCarrylessCrc32() {
    const CpuFeatures& f = DetectedCpuFeatures();
    return !portableOnly.load(std::memory_order_relaxed) && f.Pclmul && f.Sse41;
}

bool UseAvx512Sha512() {
    const CpuFeatures& f = DetectedCpuFeatures();
    return !portableOnly.load(std::memory_order_relaxed) && f.Avx512 && f.Bmi2;
}

bool UseAvx2Sha512() {
    const CpuFeatures& f = DetectedCpuFeatures();
    return !portableOnly.load(std::memory_order_relaxed) && f.Avx2 && f.Bmi2;
}

}  // namespace ad
