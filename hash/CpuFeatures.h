// Which instruction-set extensions the digest code may use. Detected once by
// CPUID; tests and the benchmark can restrict the digests to the portable code
// so that both paths run on every machine.
#pragma once

namespace ad {

struct CpuFeatures {
    bool Ssse3 = false;
    bool Sse41 = false;
    bool Pclmul = false;  // carry-less multiply
    bool Sha = false;     // SHA-1 / SHA-256 extensions
};

// What the processor offers (and the operating system enables).
const CpuFeatures& DetectedCpuFeatures();

// true: every digest uses its portable code from now on; false (the default):
// the fastest code the processor supports. Meant for tests and benchmarks.
void UsePortableDigestCode(bool portable);

// Whether SHA-1/SHA-256 use the SHA extensions, and CRC-32 carry-less multiply,
// taking UsePortableDigestCode into account.
bool UseShaExtensions();
bool UseCarrylessCrc32();

}  // namespace ad
