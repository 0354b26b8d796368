#pragma once

#include <QString>
#include <QStringList>

// The serial ports served by the kernel's USB CDC-ACM driver, as "ttyACM0   [description]",
// found in sysfs: the interfaces bound to the driver, their tty names and their device's
// product string.
class UsbSerialPortList
{
public:
    static QStringList entries(const QString& sysfsRoot = QStringLiteral("/sys"));
    static QString entry(const QString& portName, const QString& description);
    // The port name in a list entry or in what the user typed: the text before " [".
    static QString portNameOf(const QString& entry);
};
