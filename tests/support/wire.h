#pragma once

#include "link/zevaframe.h"

#include <QByteArray>
#include <QString>

// Frames as the hexadecimal byte lists the protocol documents use: "01 06 03 00 ...".
inline QString hexOf(const zeva::Frame& frame)
{
    return QString::fromLatin1(
               QByteArray(reinterpret_cast<const char*>(frame.data()), int(frame.size()))
                   .toHex(' '))
        .toUpper();
}

inline zeva::Frame frameOf(const QString& hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    zeva::Frame frame{};
    for (int i = 0; i < zeva::FrameSize && i < bytes.size(); ++i)
        frame[std::size_t(i)] = std::uint8_t(bytes[i]);
    return frame;
}
