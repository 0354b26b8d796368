#pragma once

#include "link/zevaframe.h"

#include <QString>

#include <cstdint>
#include <optional>

// One reply frame of the module's command protocol.
class ZEVAUSBReply
{
public:
    // Yields no record when bit 7 of the first byte is set: such a frame is not a reply.
    static std::optional<ZEVAUSBReply> fromWire(const std::uint8_t* bytes);

    std::uint8_t replyAddress() const { return m_replyAddress; }
    std::uint8_t moduleAddress() const { return m_moduleAddress; }
    std::uint8_t status() const { return m_status; }
    std::uint8_t command() const { return m_command; }
    std::int32_t value() const { return m_value; }
    std::uint8_t checksum() const { return m_checksum; }

    // True when the received checksum is the sum of the bytes before it.
    bool checksumValid() const;

    QString toByteString() const;
    QString toFieldString() const;

private:
    ZEVAUSBReply() = default;

    std::uint8_t m_replyAddress = 0;
    std::uint8_t m_moduleAddress = 0;
    std::uint8_t m_status = 0;
    std::uint8_t m_command = 0;
    std::int32_t m_value = 0;
    std::uint8_t m_checksum = 0;
};
