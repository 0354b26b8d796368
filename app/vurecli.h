#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

class SerialUSBCommandHandler;

// vure-cli: the tool's link, catalogue and file operations for shell scripts and test rigs.
class VureCli
{
public:
    enum ExitCode
    {
        Done = 0,
        NoAnswer = 1,
        BadInput = 2
    };

    VureCli();
    ~VureCli();

    int run(const QStringList& arguments);

private:
    int usage(const QString& message);
    int fail(ExitCode code, const QString& message);
    bool connectModule();
    // A parameter number from "0".."255" or a catalogue name; -1 when neither.
    static int parameterNumber(const QString& text);

    int ports();
    int get(const QStringList& types);
    int set(const QString& type, const QString& value);
    int send(const QStringList& fields);
    int storeOrRestore(bool restoring);
    using FileOperation = bool (*)(SerialUSBCommandHandler&, const QString&);
    // A File-menu operation on path; failure names what went wrong with the file.
    int fileOperation(FileOperation operation, const QString& path, const QString& failure);
    int runScript(const QString& path, bool dryRun);
    int trace(const QString& types, const QString& delay, const QString& count, const QString& csv);

    QString portName;
    int baudrate = 0;
    int motorBank = 0;
    std::unique_ptr<SerialUSBCommandHandler> handler;
};
