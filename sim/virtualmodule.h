#pragma once

#include "link/zevaframe.h"

#include <array>
#include <cstdint>
#include <map>
#include <mutex>

// The module's behaviour behind the command protocol: answers one request frame with one reply
// frame and holds 256 axis parameters, with stored copies, per motor/bank. Thread-safe.
class VirtualModule
{
public:
    enum Status : std::uint8_t
    {
        StatusOk = 100,
        StatusWrongChecksum = 1,
        StatusInvalidCommand = 2,
        StatusWrongType = 3,
        StatusInvalidValue = 4,
    };

    static constexpr std::uint8_t ReplyAddress = 2;
    static constexpr std::uint8_t ModuleAddress = 1;

    VirtualModule();

    // Answers a request arriving at time now (seconds on the module's clock): the motor first
    // moves on by the time passed since the previous request.
    zeva::Frame handle(const zeva::Frame& request, double now);
    // Answers without letting time pass.
    zeva::Frame handle(const zeva::Frame& request);

    std::int32_t parameter(int motorBank, int type) const;
    void setParameter(int motorBank, int type, std::int32_t value);
    std::int32_t storedParameter(int motorBank, int type) const;

    // The value a fresh module holds for a parameter.
    static std::int32_t defaultValue(int type);

private:
    struct Bank
    {
        std::array<std::int32_t, 256> actual;
        std::array<std::int32_t, 256> stored;
    };

    // The motor of motor/bank 0: what moves between requests.
    struct Motor
    {
        enum class Mode
        {
            Velocity,
            Position,
            Torque
        };
        Mode mode = Mode::Velocity;
        double ramp = 0;     // rpm, the ramp's current target
        double velocity = 0; // rpm
        double position = 0; // encoder steps
        double current = 0;  // mA
        bool positionEnd = false;
    };

    Bank& bank(int motorBank) const;
    static std::int32_t clamped(int type, std::int32_t value);
    zeva::Frame answer(const zeva::Frame& request);
    void advance(double seconds);
    void step(double h);
    void publishMotor();
    void noteWrite(int type, std::int32_t value);

    mutable std::mutex mutex;
    mutable std::map<int, Bank> banks;
    Motor motor;
    double clock = 0;
};
