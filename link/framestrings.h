#pragma once

#include <QString>

#include <cstdint>

// The text forms in which frames appear in the diagnostic output.
namespace framestrings {

// "<prefix>[a, b, c, d, low byte of value, checksum]"
QString fields(const char* prefix, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
               std::uint8_t b3, std::int32_t value, std::uint8_t checksum);

// "<prefix>[0xNNN, ...]": the record's bytes in memory order (value least significant byte
// first), each as three decimal digits after "0x".
QString bytes(const char* prefix, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
              std::uint8_t b3, std::int32_t value, std::uint8_t checksum);

} // namespace framestrings
