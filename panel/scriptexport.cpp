#include "panel/scriptexport.h"

#include "link/diagnostic.h"
#include "link/serialusbcommandhandler.h"
#include "panel/axisparametercatalogue.h"

#include <QFile>

namespace {

constexpr std::uint8_t CommandGet = 6;

// The header that opens the group starting at a script position.
const char* headerBefore(int position)
{
    switch (position) {
    case 1:
        return "//=== motor/module settings ===\n";
    case 6:
        return "\n//=== encoder/initialization settings ===\n";
    case 11:
        return "\n//=== motion settings ===\n";
    case 16:
        return "\n//=== current PID values ===\n";
    case 18:
        return "\n//=== velocity PID values ===\n";
    case 20:
        return "\n//=== position PID values ===\n";
    case 21:
        return "\n//=== commutation mode ===\n";
    default:
        return nullptr;
    }
}

QByteArray entry(SerialUSBCommandHandler& handler, const AxisParameterCatalogue::Entry& parameter)
{
    if (!handler.isDeviceOpen()) {
        Diagnostic() << "could not receive parameter " << QString::number(parameter.number)
                     << " from module!";
        return {};
    }
    handler.sendRequest(ZEVARequest(1, CommandGet, std::uint8_t(parameter.number), 0, 0));
    const auto reply = handler.receiveReply();
    if (!reply)
        return {};
    const QString sap = QStringLiteral("SAP %1, %2, %3 %4\n")
                            .arg(parameter.number)
                            .arg(0)
                            .arg(reply->value())
                            .arg(QLatin1String(parameter.comment));
    const QString stap = QStringLiteral("STAP %1, %2 \n").arg(parameter.number).arg(0);
    return (sap + stap).toLatin1();
}

} // namespace

QByteArray ScriptExport::scriptText(SerialUSBCommandHandler& handler)
{
    QByteArray text;
    for (const auto* parameter : AxisParameterCatalogue::scriptOrder()) {
        if (const char* header = headerBefore(parameter->position))
            text += header;
        text += entry(handler, *parameter);
    }
    return text;
}

bool ScriptExport::exportTo(SerialUSBCommandHandler& handler, const QString& path)
{
    if (!handler.isDeviceOpen()) {
        Diagnostic() << "could not read parameters: is module open?";
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Diagnostic(QtWarningMsg) << "could not write the script" << path << file.errorString();
        return false;
    }
    const QByteArray text = scriptText(handler);
    if (file.write(text) != text.size() || !file.flush()) {
        Diagnostic(QtWarningMsg) << "could not write the script" << path << file.errorString();
        return false;
    }
    file.close();
    Diagnostic() << "export ready.";
    return true;
}
