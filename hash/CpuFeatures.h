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
    bool Avx2 = false;    // with the YMM registers saved by the operating system
    bool Bmi2 = false;    // BMI1 and BMI2 (andn, rorx)
    bool Avx512 = false;  // F, BW and VL, with the ZMM registers saved by the operating system
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

// Which SHA-384/SHA-512 vector code to use (AVX-512 before AVX2; both with the
// BMI2 rounds), taking UsePortableDigestCode into account.
bool UseAvx512Sha512();
bool UseAvx2Sha512();

}  // namespace ad
