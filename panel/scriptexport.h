#pragma once

#include <QByteArray>
#include <QString>

class SerialUSBCommandHandler;

// The command script: for each parameter of the script order, a SAP line setting its value as read
// from the module and a STAP line storing it, under seven group headers.
class ScriptExport
{
public:
    // False when the module is not connected or the file could not be written.
    static bool exportTo(SerialUSBCommandHandler& handler, const QString& path);
    // The script text as it is written.
    static QByteArray scriptText(SerialUSBCommandHandler& handler);
};
