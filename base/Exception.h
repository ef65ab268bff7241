// Exception classes of the class-library layer. Portable: no Windows headers,
// so parsers and codecs that also build natively can raise them too.
#pragma once

#include <cstdarg>
#include <exception>
#include <string>

namespace ad {

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* fmt, va_list args);

// Base of every exception the system raises; carries a formatted message.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

#define AD_DECLARE_EXCEPTION(Name, Base)            \
    class Name : public Base {                      \
    public:                                         \
        using Base::Base;                           \
    }

AD_DECLARE_EXCEPTION(EConvertError, Exception);
AD_DECLARE_EXCEPTION(EListError, Exception);
AD_DECLARE_EXCEPTION(EStringListError, Exception);
AD_DECLARE_EXCEPTION(EStreamError, Exception);
AD_DECLARE_EXCEPTION(EReadError, EStreamError);
AD_DECLARE_EXCEPTION(EWriteError, EStreamError);
AD_DECLARE_EXCEPTION(EInvalidOperation, Exception);
AD_DECLARE_EXCEPTION(EIniFileException, Exception);
AD_DECLARE_EXCEPTION(EInvalidGraphic, Exception);

// A file could not be opened; the message names the file.
class EFOpenError : public EStreamError {
public:
    EFOpenError(const std::string& fileName, const std::string& reason);
    std::string FileName;
};

// A file could not be created or written; the message names the file.
class EFCreateError : public EStreamError {
public:
    EFCreateError(const std::string& fileName, const std::string& reason);
    std::string FileName;
};

}  // namespace ad
