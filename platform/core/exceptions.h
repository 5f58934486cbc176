#pragma once
// Named exception classes. Every failure the program reports carries its
// concrete class name and an 8-bit (Windows-1252) message, because the
// top-level error report shows both to the user.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message = {}) : message_(std::move(message)) {}

    // The concrete class's own name, e.g. "EInOutError".
    virtual const char* className() const noexcept { return "Exception"; }
    const std::string& message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

#define QUINDRAL_EXCEPTION_CLASS(Name, Base)                                   \
    class Name : public Base {                                                 \
    public:                                                                    \
        using Base::Base;                                                      \
        const char* className() const noexcept override { return #Name; }      \
    };

// Input/output failure with the platform's result code (for wave input, the
// wave-interface result code).
class EInOutError : public Exception {
public:
    EInOutError(std::string message, int errorCode)
        : Exception(std::move(message)), ErrorCode(errorCode) {}
    const char* className() const noexcept override { return "EInOutError"; }
    int ErrorCode;
};

QUINDRAL_EXCEPTION_CLASS(EStreamError, Exception)
QUINDRAL_EXCEPTION_CLASS(EFOpenError, EStreamError)   // a file that cannot be opened
QUINDRAL_EXCEPTION_CLASS(EConvertError, Exception)    // text that is not a number
QUINDRAL_EXCEPTION_CLASS(EListError, Exception)       // index out of a list's range
