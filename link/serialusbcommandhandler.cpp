#include "link/serialusbcommandhandler.h"

#include "link/diagnostic.h"
#include "link/serialusbdevice.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <unistd.h>

namespace {

constexpr std::uint8_t ModuleAddress = 1;
constexpr std::uint8_t CommandSetAxisParameter = 5;
constexpr std::uint8_t CommandGetAxisParameter = 6;
// Pause while part of a reply is already there and the rest is still on the line.
constexpr useconds_t PartialReplyPauseUs = 200;

} // namespace

SerialUSBCommandHandler::SerialUSBCommandHandler(QObject* parent)
    : QThread(parent)
{}

SerialUSBCommandHandler::~SerialUSBCommandHandler()
{
    if (device)
        device->close();
    delete device;
}

void SerialUSBCommandHandler::setDevice(SerialUSBDevice* newDevice)
{
    if (newDevice == device)
        return;
    // A replaced device would otherwise hold its port until the process ends.
    if (device)
        device->close();
    delete device;
    device = newDevice;
}

void SerialUSBCommandHandler::open()
{
    if (!device)
        return;
    device->open(QIODevice::ReadWrite);
    Diagnostic() << "opening usb device: " << device->portNameText();
}

void SerialUSBCommandHandler::close()
{
    if (!device) {
        Diagnostic() << "could not close usb device!";
        return;
    }
    device->close();
    Diagnostic() << "closing usb device: " << device->portNameText();
}

bool SerialUSBCommandHandler::isDeviceOpen() const
{
    return device && device->isPortOpen();
}

bool SerialUSBCommandHandler::sendRequest(const ZEVARequest& request)
{
    Diagnostic() << request.toFieldString();
    Diagnostic() << request.toByteString();
    if (!isDeviceOpen()) {
        Diagnostic() << "could not send data: is device opened?";
        emit deviceClosed();
        return false;
    }
    // Bytes that arrived before the request cannot be its reply.
    const qint64 stale = device->bytesWaiting();
    if (stale > 0) {
        Diagnostic() << "SerialUSBCommandHandler: discarding stale bytes:" << int(stale);
        discardWaiting(stale);
    }
    const zeva::Frame wire = request.toWire();
    device->write(reinterpret_cast<const char*>(wire.data()), qint64(wire.size()));
    return true;
}

std::optional<ZEVAUSBReply> SerialUSBCommandHandler::receiveReply()
{
    if (!device)
        return std::nullopt;

    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    for (int round = 0;; ++round) {
        const auto roundEnd = start + std::chrono::milliseconds(RoundMs * (round + 1));
        for (;;) {
            const qint64 waiting = device->bytesWaiting();
            if (waiting >= zeva::FrameSize) {
                zeva::Frame bytes{};
                if (device->read(reinterpret_cast<char*>(bytes.data()), zeva::FrameSize) !=
                    zeva::FrameSize)
                    continue;
                const auto reply = ZEVAUSBReply::fromWire(bytes.data());
                if (!reply)
                    continue; // not a reply frame: dropped, keep waiting
                if (!reply->checksumValid()) {
                    // Taking it would let one corrupted byte become a module setting through the
                    // panels' write-back; drop it and whatever follows so the stream realigns.
                    Diagnostic(QtWarningMsg)
                        << "SerialUSBCommandHandler: reply with wrong checksum dropped:"
                        << reply->toByteString();
                    discardWaiting(device->bytesWaiting());
                    continue;
                }
                Diagnostic() << reply->toByteString();
                Diagnostic() << reply->toFieldString();
                return reply;
            }
            if (waiting < 0) {
                if (device->isPortOpen())
                    giveUp("connection lost");
                return std::nullopt;
            }
            if (waitMode == WaitMode::BlindSleep) {
                ::usleep(useconds_t(RoundMs) * 1000);
                break;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::microseconds>(roundEnd - clock::now())
                    .count();
            if (left <= 0)
                break;
            if (waiting == 0)
                device->waitForBytes(int((left + 999) / 1000));
            else
                ::usleep(useconds_t(std::min<long long>(left, PartialReplyPauseUs)));
        }
        if (round == WaitRounds - 1) {
            giveUp(nullptr);
            return std::nullopt;
        }
    }
}

void SerialUSBCommandHandler::giveUp(const char* reason)
{
    emit deviceClosed();
    device->close();
    if (reason)
        Diagnostic(QtWarningMsg) << "SerialUSBCommandHandler:" << reason << "on"
                                 << device->portNameText();
    else
        Diagnostic() << "SerialUSBCommandHandler: communicationTimeouted!";
}

void SerialUSBCommandHandler::discardWaiting(qint64 count)
{
    std::array<char, 256> sink;
    while (count > 0) {
        const qint64 n = device->read(sink.data(), std::min<qint64>(count, qint64(sink.size())));
        if (n <= 0)
            break;
        count -= n;
    }
}

std::optional<ZEVAUSBReply> SerialUSBCommandHandler::exchange(char command, char type,
                                                              char motorBank, int value)
{
    const ZEVARequest request(ModuleAddress, std::uint8_t(command), std::uint8_t(type),
                              std::uint8_t(motorBank), value);
    sendRequest(request);
    return receiveReply();
}

void SerialUSBCommandHandler::requestValue(char motorBank, char type)
{
    if (const auto reply = exchange(char(CommandGetAxisParameter), type, motorBank, 0))
        emit requestedValue(motorBank, type, reply->value());
}

void SerialUSBCommandHandler::changeValue(char motorBank, char type, int value)
{
    if (const auto reply = exchange(char(CommandSetAxisParameter), type, motorBank, value))
        emit requestedValue(motorBank, type, reply->value());
}

void SerialUSBCommandHandler::doMove(char motorBank, char command, char type, int value)
{
    if (const auto reply = exchange(command, type, motorBank, value))
        Diagnostic() << "reply: " << QString::number(reply->value());
}

void SerialUSBCommandHandler::doRequest(char command, char type, char motorBank, int value)
{
    if (const auto reply = exchange(command, type, motorBank, value))
        emit requestResult(motorBank, char(reply->command()), char(reply->status()),
                           reply->value());
}

void SerialUSBCommandHandler::requestTraceValues(char motorBank, QList<char>* traceCommands)
{
    if (!traceCommands)
        return;
    // The list belongs to the caller; its length is read again before every entry.
    for (qsizetype i = 0; i < traceCommands->size(); ++i) {
        const char type = traceCommands->at(i);
        if (const auto reply = exchange(char(CommandGetAxisParameter), type, motorBank, 0))
            emit requestedTraceValue(motorBank, type, reply->value());
    }
}
