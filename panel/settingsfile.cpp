#include "panel/settingsfile.h"

#include "link/diagnostic.h"
#include "link/serialusbcommandhandler.h"
#include "panel/axisparametercatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr std::uint8_t CommandSet = 5;
constexpr std::uint8_t CommandGet = 6;

QString keyPath(const AxisParameterCatalogue::Entry* entry)
{
    return QLatin1String(entry->group) + QLatin1Char('/') + QLatin1String(entry->key);
}

// Why a file cannot serve as settings, or an empty text when it can.
QString unreadableReason(const QString& path, const QSettings& settings)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (!info.isFile())
        return QStringLiteral("not a file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    if (settings.status() != QSettings::NoError)
        return QStringLiteral("not a readable settings file");
    for (const auto* entry : AxisParameterCatalogue::settingsFileOrder())
        if (settings.contains(keyPath(entry)))
            return {};
    return QStringLiteral("it holds none of the settings");
}

} // namespace

bool SettingsFile::exportTo(SerialUSBCommandHandler& handler, const QString& path)
{
    QSettings settings(path, QSettings::IniFormat);
    for (const auto* entry : AxisParameterCatalogue::settingsFileOrder()) {
        settings.beginGroup(QLatin1String(entry->group));
        if (!handler.isDeviceOpen()) {
            Diagnostic() << "could not receive parameter " << QString::number(entry->number)
                         << " from module!";
        } else {
            handler.sendRequest(ZEVARequest(1, CommandGet, std::uint8_t(entry->number), 0, 0));
            if (const auto reply = handler.receiveReply()) {
                settings.setValue(QLatin1String(entry->key), reply->value());
                Diagnostic() << QString::fromLatin1(entry->key) << " = "
                             << QString::number(reply->value());
            }
        }
        settings.endGroup();
    }
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        Diagnostic(QtWarningMsg) << "could not write the settings file" << path;
        return false;
    }
    return true;
}

bool SettingsFile::importFrom(SerialUSBCommandHandler& handler, const QString& path)
{
    QSettings settings(path, QSettings::IniFormat);
    // An unreadable or empty file would otherwise write 0 into every parameter of the module.
    const QString reason = unreadableReason(path, settings);
    if (!reason.isEmpty()) {
        Diagnostic(QtWarningMsg) << "cannot import settings from" << path << reason;
        return false;
    }
    for (const auto* entry : AxisParameterCatalogue::settingsFileOrder()) {
        settings.beginGroup(QLatin1String(entry->group));
        const QString key = QString::fromLatin1(entry->key);
        if (!handler.isDeviceOpen()) {
            Diagnostic() << "could not set parameter " << QString::number(entry->number);
        } else if (!settings.contains(key)) {
            Diagnostic(QtWarningMsg) << "skipped" << keyPath(entry) << "missing in the file";
        } else {
            bool isInteger = false;
            const int value = settings.value(key).toString().trimmed().toInt(&isInteger);
            if (!isInteger) {
                Diagnostic(QtWarningMsg) << "skipped" << keyPath(entry)
                                         << "not an integer:" << settings.value(key).toString();
            } else {
                handler.sendRequest(
                    ZEVARequest(1, CommandSet, std::uint8_t(entry->number), 0, value));
                if (const auto reply = handler.receiveReply()) {
                    Diagnostic() << key << " = " << QString::number(value) << "("
                                 << QString::number(qint8(reply->status())) << ")";
                    handler.requestValue(0, char(entry->number));
                }
            }
        }
        settings.endGroup();
    }
    return true;
}
