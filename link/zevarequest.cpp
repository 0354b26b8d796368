#include "link/zevarequest.h"

#include "link/framestrings.h"

ZEVARequest::ZEVARequest(std::uint8_t moduleAddress, std::uint8_t command, std::uint8_t type,
                         std::uint8_t motorBank, std::int32_t value)
    : m_moduleAddress(moduleAddress)
    , m_command(command)
    , m_type(type)
    , m_motorBank(motorBank)
    , m_value(value)
    , m_checksum(toWire()[8])
{}

zeva::Frame ZEVARequest::toWire() const
{
    return zeva::assemble(m_moduleAddress, m_command, m_type, m_motorBank, m_value);
}

QString ZEVARequest::toFieldString() const
{
    return framestrings::fields("ZEVARequest", m_moduleAddress, m_command, m_type, m_motorBank,
                                m_value, m_checksum);
}

QString ZEVARequest::toByteString() const
{
    return framestrings::bytes("ZEVARequest", m_moduleAddress, m_command, m_type, m_motorBank,
                               m_value, m_checksum);
}
