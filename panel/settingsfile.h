#pragma once

#include <QString>

class SerialUSBCommandHandler;

// The settings file: the 20 parameters of the settings-file order as integer keys of an INI file,
// read from the module on export and written into it on import.
class SettingsFile
{
public:
    // False when the file could not be written.
    static bool exportTo(SerialUSBCommandHandler& handler, const QString& path);
    // False when the file could not be read or holds no settings; then nothing is sent.
    static bool importFrom(SerialUSBCommandHandler& handler, const QString& path);
};
