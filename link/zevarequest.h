#pragma once

#include "link/zevaframe.h"

#include <QString>

#include <cstdint>

// One request frame of the module's command protocol.
class ZEVARequest
{
public:
    ZEVARequest(std::uint8_t moduleAddress, std::uint8_t command, std::uint8_t type,
                std::uint8_t motorBank, std::int32_t value);

    std::uint8_t moduleAddress() const { return m_moduleAddress; }
    std::uint8_t command() const { return m_command; }
    std::uint8_t type() const { return m_type; }
    std::uint8_t motorBank() const { return m_motorBank; }
    std::int32_t value() const { return m_value; }
    std::uint8_t checksum() const { return m_checksum; }

    zeva::Frame toWire() const;
    QString toFieldString() const;
    QString toByteString() const;

private:
    std::uint8_t m_moduleAddress;
    std::uint8_t m_command;
    std::uint8_t m_type;
    std::uint8_t m_motorBank;
    std::int32_t m_value;
    std::uint8_t m_checksum;
};
