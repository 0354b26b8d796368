#include "link/zevausbreply.h"

#include "link/framestrings.h"

std::optional<ZEVAUSBReply> ZEVAUSBReply::fromWire(const std::uint8_t* bytes)
{
    if (bytes[0] & 0x80u)
        return std::nullopt;
    ZEVAUSBReply reply;
    reply.m_replyAddress = bytes[0];
    reply.m_moduleAddress = bytes[1];
    reply.m_status = bytes[2];
    reply.m_command = bytes[3];
    reply.m_value = zeva::valueOf(bytes);
    reply.m_checksum = bytes[8];
    return reply;
}

bool ZEVAUSBReply::checksumValid() const
{
    const auto frame =
        zeva::assemble(m_replyAddress, m_moduleAddress, m_status, m_command, m_value);
    return frame[8] == m_checksum;
}

QString ZEVAUSBReply::toByteString() const
{
    return framestrings::bytes("ZEVAUSBReply", m_replyAddress, m_moduleAddress, m_status, m_command,
                               m_value, m_checksum);
}

QString ZEVAUSBReply::toFieldString() const
{
    return framestrings::fields("ZEVAUSBReply", m_replyAddress, m_moduleAddress, m_status,
                                m_command, m_value, m_checksum);
}
