#include "link/usbserialportlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QString readAttribute(const QString& directory, const QString& name)
{
    QFile file(directory + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace

QString UsbSerialPortList::entry(const QString& portName, const QString& description)
{
    return portName + QStringLiteral("   [") + description + QLatin1Char(']');
}

QString UsbSerialPortList::portNameOf(const QString& entry)
{
    const qsizetype bracket = entry.indexOf(QStringLiteral(" ["));
    return (bracket < 0 ? entry : entry.left(bracket)).trimmed();
}

QStringList UsbSerialPortList::entries(const QString& sysfsRoot)
{
    const QDir driver(sysfsRoot + QStringLiteral("/bus/usb/drivers/cdc_acm"));
    QList<QPair<QString, QString>> found;
    // Interfaces are named bus-port:config.interface; the other entries (bind, new_id...) are
    // the driver's own.
    for (const QString& name : driver.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!name.contains(QLatin1Char(':')))
            continue;
        const QString interface = QFileInfo(driver.filePath(name)).canonicalFilePath();
        if (interface.isEmpty())
            continue;
        const QStringList ttys =
            QDir(interface + QStringLiteral("/tty")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        const QString usbDevice = QFileInfo(interface).path();
        QString description = readAttribute(usbDevice, QStringLiteral("product"));
        if (description.isEmpty())
            description = readAttribute(usbDevice, QStringLiteral("manufacturer"));
        if (description.isEmpty())
            description = QStringLiteral("USB");
        for (const QString& tty : ttys)
            found.append({tty, description});
    }
    // ttyACM2 before ttyACM10.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.size() != b.first.size() ? a.first.size() < b.first.size()
                                                : a.first < b.first;
    });
    QStringList result;
    for (const auto& port : found)
        result << entry(port.first, port.second);
    return result;
}
