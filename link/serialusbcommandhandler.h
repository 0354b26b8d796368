#pragma once

#include "link/zevarequest.h"
#include "link/zevausbreply.h"

#include <QList>
#include <QThread>

#include <optional>

class SerialUSBDevice;

// Pairs each request with its reply: one synchronous exchange per call, on the caller's thread.
// Derives from QThread for historical reasons; the thread is never started.
class SerialUSBCommandHandler : public QThread
{
    Q_OBJECT

public:
    // How the reply wait passes its 10 ms rounds. BlindSleep exists for comparison only.
    enum class WaitMode
    {
        OnDescriptor,
        BlindSleep
    };

    explicit SerialUSBCommandHandler(QObject* parent = nullptr);
    ~SerialUSBCommandHandler() override;

    // Takes ownership; a device it replaces is closed and released.
    void setDevice(SerialUSBDevice* device);
    SerialUSBDevice* currentDevice() const { return device; }
    void open();
    void close();
    bool isDeviceOpen() const;

    bool sendRequest(const ZEVARequest& request);
    std::optional<ZEVAUSBReply> receiveReply();

    void setWaitMode(WaitMode mode) { waitMode = mode; }

    // The module gets this many rounds of RoundMs to answer: about half a second.
    static constexpr int WaitRounds = 51;
    static constexpr int RoundMs = 10;

public slots:
    void requestValue(char motorBank, char type);
    void changeValue(char motorBank, char type, int value);
    void doMove(char motorBank, char command, char type, int value);
    void doRequest(char command, char type, char motorBank, int value);
    void requestTraceValues(char motorBank, QList<char>* traceCommands);

signals:
    void requestedValue(char motorBank, char type, int value);
    void requestedTraceValue(char motorBank, char type, int value);
    void requestResult(char motorBank, char command, char status, int value);
    void deviceClosed();

private:
    std::optional<ZEVAUSBReply> exchange(char command, char type, char motorBank, int value);
    void discardWaiting(qint64 count);
    void giveUp(const char* reason);

    SerialUSBDevice* device = nullptr;
    WaitMode waitMode = WaitMode::OnDescriptor;
};
