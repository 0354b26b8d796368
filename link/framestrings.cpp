#include "link/framestrings.h"

#include "link/zevaframe.h"

#include <QStringList>

namespace framestrings {

QString fields(const char* prefix, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
               std::uint8_t b3, std::int32_t value, std::uint8_t checksum)
{
    const unsigned lowByte = static_cast<std::uint32_t>(value) & 0xffu;
    return QStringLiteral("%1[%2, %3, %4, %5, %6, %7]")
        .arg(QLatin1String(prefix))
        .arg(unsigned(b0))
        .arg(unsigned(b1))
        .arg(unsigned(b2))
        .arg(unsigned(b3))
        .arg(lowByte)
        .arg(unsigned(checksum));
}

QString bytes(const char* prefix, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
              std::uint8_t b3, std::int32_t value, std::uint8_t checksum)
{
    const auto v = zeva::valueBytes(value);
    const std::uint8_t inMemory[] = {b0, b1, b2, b3, v[3], v[2], v[1], v[0], checksum};
    QStringList items;
    for (std::uint8_t byte : inMemory)
        items << QStringLiteral("0x%1").arg(unsigned(byte), 3, 10, QLatin1Char('0'));
    return QLatin1String(prefix) + QLatin1Char('[') + items.join(QStringLiteral(", ")) +
           QLatin1Char(']');
}

} // namespace framestrings
