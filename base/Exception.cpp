// Exception classes and printf-style formatting.
#include "base/Exception.h"

#include <cstdio>
#include <vector>

namespace ad {

std::string FormatV(const char* fmt, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, fmt, copy);
    va_end(copy);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, args);
    return std::string(big.data(), static_cast<size_t>(n));
}

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string s = FormatV(fmt, args);
    va_end(args);
    return s;
}

static std::string WithReason(std::string text, const std::string& reason) {
    if (!reason.empty()) text += " " + reason;
    return text;
}

EFOpenError::EFOpenError(const std::string& fileName, const std::string& reason)
    : EStreamError(WithReason("Cannot open file \"" + fileName + "\".", reason)), FileName(fileName) {}

EFCreateError::EFCreateError(const std::string& fileName, const std::string& reason)
    : EStreamError(WithReason("Cannot create file \"" + fileName + "\".", reason)), FileName(fileName) {}

}  // namespace ad
