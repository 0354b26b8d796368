#pragma once

#include <QIODevice>
#include <QRecursiveMutex>
#include <QString>

#include <termios.h>

// The one object that touches a serial port: a USB virtual port (line settings left to the
// driver) or a serial line (after setBaudRate). Polled by the command handler; no signals.
class SerialUSBDevice : public QIODevice
{
    Q_OBJECT

public:
    explicit SerialUSBDevice(const QString& portName);
    ~SerialUSBDevice() override;

    // Serial-line mode at the given rate from the next open() on.
    void setBaudRate(int baudrate);

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }

    // Received bytes queued: -1 when the query fails or after close(), 0 when never opened.
    qint64 bytesWaiting();
    // Waits until input is readable (or the line hung up) or ms have passed.
    bool waitForBytes(int ms);

    QString portNameText() const { return portName; }
    bool isPortOpen() const { return portOpen; }

    // Names without a leading "/" live under /dev.
    static QString devicePath(const QString& portName);
    // Whether this device could open the port now; the port is released at once.
    static bool canOpen(const QString& portName);
    // Why the port cannot be opened now, in words for the user; empty when it can.
    static QString openProblem(const QString& portName);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    static int openPort(const QString& path, int* error);
    static void releasePort(int fd);
    static QString reasonText(int error);
    void configure();

    QString portName;
    QRecursiveMutex portLock;
    bool useBaudRate = false;
    bool portOpen = false;
    int baudrate = 0;
    int portHandle = -1;
    struct termios portConfig
    {
    };
};
