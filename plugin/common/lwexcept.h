// lwexcept.h: the exceptions of the command path (a 64-bit code and a message).
#ifndef ZK_LWEXCEPT_H
#define ZK_LWEXCEPT_H

#include <cstdint>
#include <string>

namespace lw::ex {

// Base exception of the host bridge; every exception this module raises carries code 0.
class CBaseEx {
public:
    explicit CBaseEx(std::string message) : message_(std::move(message)) {}
    CBaseEx(const CBaseEx &) = default;
    CBaseEx &operator=(const CBaseEx &) = default;
    virtual ~CBaseEx() = default;

    std::int64_t Code() const { return code_; }
    const std::string &Message() const { return message_; }

private:
    std::int64_t code_ = 0;
    std::string message_;
};

// Raised by Eval for an empty command line.
class CEvalEx : public CBaseEx {
public:
    using CBaseEx::CBaseEx;
};

} // namespace lw::ex

#endif
