#pragma once

#include <array>
#include <cstdint>

// Byte layout shared by requests and replies: four single-byte fields, a big-endian
// signed 32-bit value and the 8-bit sum of the eight bytes before it.
namespace zeva {

constexpr int FrameSize = 9;
using Frame = std::array<std::uint8_t, FrameSize>;

// Sum of bytes 0 to 7, modulo 256.
std::uint8_t checksum(const std::uint8_t* bytes);

// Builds a complete frame, checksum included.
Frame assemble(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
               std::int32_t value);

// The value held in bytes 4 to 7.
std::int32_t valueOf(const std::uint8_t* bytes);

// The value's bytes, most significant first.
std::array<std::uint8_t, 4> valueBytes(std::int32_t value);

} // namespace zeva
