#include "link/zevaframe.h"

namespace zeva {

std::uint8_t checksum(const std::uint8_t* bytes)
{
    unsigned sum = 0;
    for (int i = 0; i < FrameSize - 1; ++i)
        sum += bytes[i];
    return static_cast<std::uint8_t>(sum & 0xffu);
}

std::array<std::uint8_t, 4> valueBytes(std::int32_t value)
{
    // Work on the unsigned pattern: shifting a negative int is not portable.
    const auto u = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(u >> 24), static_cast<std::uint8_t>(u >> 16),
            static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u)};
}

std::int32_t valueOf(const std::uint8_t* bytes)
{
    const std::uint32_t u = (std::uint32_t(bytes[4]) << 24) | (std::uint32_t(bytes[5]) << 16) |
                            (std::uint32_t(bytes[6]) << 8) | std::uint32_t(bytes[7]);
    // Two's complement conversion without relying on implementation-defined narrowing.
    return u <= 0x7fffffffu ? std::int32_t(u) : -std::int32_t(~u) - 1;
}

Frame assemble(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
               std::int32_t value)
{
    const auto v = valueBytes(value);
    Frame frame{b0, b1, b2, b3, v[0], v[1], v[2], v[3], 0};
    frame[8] = checksum(frame.data());
    return frame;
}

} // namespace zeva
