#pragma once

#include "link/zevaframe.h"
#include "sim/virtualmodule.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Serves a VirtualModule on a pseudo-terminal from a thread of its own, so that a host opens
// devicePath() like any serial port. Faults can be injected to try the host's error paths.
class VirtualModuleServer
{
public:
    struct Faults
    {
        bool silent = false;          // never answer
        int delayMs = 0;              // answer this late
        int corruptChecksumEvery = 0; // every Nth reply carries a wrong checksum
        int invalidReplyEvery = 0;    // every Nth reply has bit 7 of its first byte set
        int strayBytes = 0;           // this many stray bytes before every reply
        int hangUpAfter = 0;          // close the line after this many replies
        int silentAfter = 0;          // stop answering after this many replies
    };

    VirtualModuleServer();
    explicit VirtualModuleServer(const Faults& faults);
    ~VirtualModuleServer();
    VirtualModuleServer(const VirtualModuleServer&) = delete;
    VirtualModuleServer& operator=(const VirtualModuleServer&) = delete;

    // Opens the pseudo-terminal and starts answering. False, with a reason, on failure.
    bool start(std::string* error = nullptr);
    void stop();

    const std::string& devicePath() const { return path; }
    VirtualModule& module() { return model; }

    void setFaults(const Faults& faults);
    // Every request frame received so far, in order.
    std::vector<zeva::Frame> receivedFrames() const;
    void clearReceivedFrames();
    // Writes bytes to the host as they are, outside any exchange.
    void sendRaw(const std::vector<std::uint8_t>& bytes);
    bool hungUp() const { return hangUpDone; }
    // Stops the motor's clock, so that live values hold still (tests of the link).
    void freezeMotor(bool frozen) { motorFrozen = frozen; }

private:
    void serve();
    void answer(const zeva::Frame& request);
    void writeAll(const std::uint8_t* data, std::size_t size);
    void hangUp();

    VirtualModule model;
    Faults faults;
    mutable std::mutex mutex; // guards faults, received, replies
    std::vector<zeva::Frame> received;
    int replies = 0;
    int master = -1;
    int slave = -1;
    int wakePipe[2] = {-1, -1};
    std::string path;
    std::thread worker;
    std::atomic<bool> stopping{false};
    std::atomic<bool> hangUpDone{false};
    std::atomic<bool> motorFrozen{false};
    const std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
};
