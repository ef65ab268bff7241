// CPUID detection of the extensions the digest code can use.
#include "hash/CpuFeatures.h"

#include <atomic>

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
    if (__get_cpuid_max(0, nullptr) >= 7) {
        __cpuid_count(7, 0, a, b, c, d);
        f.Sha = (b & (1u << 29)) != 0;
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

}  // namespace ad
