#pragma once

#include "link/zevaframe.h"

#include <array>
#include <cstdint>
#include <map>
#include <mutex>

// The module's behaviour behind the command protocol: answers one request frame with one reply
// frame and holds 256 axis parameters, with stored copies, per motor/bank. Thread-safe.
class VirtualModule
{
public:
    enum Status : std::uint8_t
    {
        StatusOk = 100,
        StatusWrongChecksum = 1,
        StatusInvalidCommand = 2,
        StatusWrongType = 3,
        StatusInvalidValue = 4,
    };

    static constexpr std::uint8_t ReplyAddress = 2;
    static constexpr std::uint8_t ModuleAddress = 1;

    VirtualModule();

    zeva::Frame handle(const zeva::Frame& request);

    std::int32_t parameter(int motorBank, int type) const;
    void setParameter(int motorBank, int type, std::int32_t value);
    std::int32_t storedParameter(int motorBank, int type) const;

    // The value a fresh module holds for a parameter.
    static std::int32_t defaultValue(int type);

private:
    struct Bank
    {
        std::array<std::int32_t, 256> actual;
        std::array<std::int32_t, 256> stored;
    };

    Bank& bank(int motorBank) const;
    static std::int32_t clamped(int type, std::int32_t value);

    mutable std::mutex mutex;
    mutable std::map<int, Bank> banks;
};
