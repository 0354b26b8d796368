#include "sim/virtualmodule.h"

#include "panel/axisparametercatalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::uint8_t CommandMove = 4;
constexpr std::uint8_t CommandSet = 5;
constexpr std::uint8_t CommandGet = 6;
constexpr std::uint8_t CommandStore = 7;
constexpr std::uint8_t CommandRestore = 8;

} // namespace

VirtualModule::VirtualModule() = default;

std::int32_t VirtualModule::defaultValue(int type)
{
    using C = AxisParameterCatalogue;
    switch (type) {
    case C::MotorPoles:
        return 8;
    case C::MaxCurrent:
        return 2000;
    case C::StartCurrent:
        return 500;
    case C::CoilResistance:
        return 300;
    case C::BEMFConstant:
        return 1200;
    case C::EncoderSteps:
        return 4000;
    case C::EncoderDirection:
        return 0;
    case C::InitSineMode:
        return 0;
    case C::CommutationOffset:
        return 0;
    case C::HallSensorInvert:
        return 0;
    case C::MaxRampVelocity:
        return 2000;
    case C::Acceleration:
        return 1000;
    case C::EnableVelocityRamp:
        return 1;
    case C::TargetReachedVelocity:
        return 20;
    case C::TargetReachedDistance:
        return 5;
    case C::CurrentP:
        return 300;
    case C::CurrentI:
        return 100;
    case C::VelocityP:
        return 500;
    case C::VelocityI:
        return 200;
    case C::PositionP:
        return 300;
    case C::CommutationMode:
        return 6;
    case C::StatusFlags:
        return (1 << 15) | (1 << 9); // initialised, velocity mode
    default:
        return 0;
    }
}

VirtualModule::Bank& VirtualModule::bank(int motorBank) const
{
    auto it = banks.find(motorBank);
    if (it == banks.end()) {
        Bank fresh;
        for (int type = 0; type < 256; ++type)
            fresh.actual[std::size_t(type)] = fresh.stored[std::size_t(type)] = defaultValue(type);
        it = banks.emplace(motorBank, fresh).first;
    }
    return it->second;
}

std::int32_t VirtualModule::clamped(int type, std::int32_t value)
{
    // The module keeps its settings within the ranges its configuration fields offer.
    const auto* entry = AxisParameterCatalogue::find(type);
    if (!entry || !entry->hasRange || entry->role != AxisParameterCatalogue::Role::Setting)
        return value;
    return std::clamp(value, entry->minimum, entry->maximum);
}

std::int32_t VirtualModule::parameter(int motorBank, int type) const
{
    std::lock_guard<std::mutex> lock(mutex);
    return bank(motorBank).actual[std::size_t(type & 0xff)];
}

void VirtualModule::setParameter(int motorBank, int type, std::int32_t value)
{
    std::lock_guard<std::mutex> lock(mutex);
    bank(motorBank).actual[std::size_t(type & 0xff)] = value;
    if (motorBank == 0)
        noteWrite(type & 0xff, value);
}

std::int32_t VirtualModule::storedParameter(int motorBank, int type) const
{
    std::lock_guard<std::mutex> lock(mutex);
    return bank(motorBank).stored[std::size_t(type & 0xff)];
}

zeva::Frame VirtualModule::handle(const zeva::Frame& request)
{
    std::lock_guard<std::mutex> lock(mutex);
    return answer(request);
}

zeva::Frame VirtualModule::handle(const zeva::Frame& request, double now)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (now > clock) {
        advance(now - clock);
        clock = now;
    }
    return answer(request);
}

zeva::Frame VirtualModule::answer(const zeva::Frame& request)
{
    const std::uint8_t command = request[1];
    const std::uint8_t type = request[2];
    const std::uint8_t motorBank = request[3];
    const std::int32_t value = zeva::valueOf(request.data());

    auto reply = [command](std::uint8_t status, std::int32_t replyValue) {
        return zeva::assemble(ReplyAddress, ModuleAddress, status, command, replyValue);
    };

    if (zeva::checksum(request.data()) != request[8])
        return reply(StatusWrongChecksum, 0);

    Bank& b = bank(motorBank);
    std::int32_t& actual = b.actual[type];
    switch (command) {
    case CommandGet:
        return reply(StatusOk, actual);
    case CommandSet:
        actual = clamped(type, value);
        if (motorBank == 0)
            noteWrite(type, actual);
        return reply(StatusOk, actual);
    case CommandStore:
        b.stored[type] = actual;
        return reply(StatusOk, actual);
    case CommandRestore:
        actual = b.stored[type];
        return reply(StatusOk, actual);
    case CommandMove:
        // Type 0 moves to an absolute position, type 1 by a relative distance.
        if (type > 1)
            return reply(StatusWrongType, 0);
        {
            const std::int64_t target =
                type == 0 ? value
                          : std::int64_t(b.actual[AxisParameterCatalogue::ActualPosition]) + value;
            if (target < INT32_MIN || target > INT32_MAX)
                return reply(StatusInvalidValue, 0);
            b.actual[AxisParameterCatalogue::TargetPosition] = std::int32_t(target);
        }
        if (motorBank == 0) {
            motor.mode = Motor::Mode::Position;
            motor.positionEnd = false;
            publishMotor();
        }
        return reply(StatusOk, b.actual[AxisParameterCatalogue::TargetPosition]);
    default:
        return reply(StatusInvalidCommand, 0);
    }
}

namespace {

double approach(double from, double to, double maxStep)
{
    if (to > from)
        return std::min(to, from + maxStep);
    return std::max(to, from - maxStep);
}

// Velocity and current follow their targets with these time constants (seconds).
constexpr double VelocityLag = 0.02;
constexpr double CurrentLag = 0.005;
// Torque mode: acceleration per mA, and friction slowing the free-running motor.
constexpr double TorqueGain = 2.0; // rpm/s per mA
constexpr double Friction = 0.5;   // 1/s
// Load current in the velocity and positioning modes.
constexpr double InertiaCurrent = 0.5; // mA per rpm/s
constexpr double DragCurrent = 0.1;    // mA per rpm
constexpr double StepSeconds = 0.001;
constexpr double LongestAdvance = 10.0; // a module left alone longer has long come to rest

std::int32_t toParameter(double value)
{
    if (!(value > -2147483647.0))
        return value < 0 ? -2147483647 : 0;
    if (value > 2147483647.0)
        return 2147483647;
    return std::int32_t(std::lround(value));
}

} // namespace

void VirtualModule::noteWrite(int type, std::int32_t value)
{
    using C = AxisParameterCatalogue;
    switch (type) {
    case C::TargetVelocity:
        motor.mode = Motor::Mode::Velocity;
        motor.positionEnd = false;
        break;
    case C::TargetCurrent:
        motor.mode = Motor::Mode::Torque;
        motor.positionEnd = false;
        break;
    case C::ActualPosition: // "Clear" writes 0 here
        motor.position = value;
        break;
    case C::ActualVelocity:
        motor.velocity = value;
        break;
    case C::RampVelocity:
        motor.ramp = value;
        break;
    case C::ActualCurrent:
        motor.current = value;
        break;
    default:
        return;
    }
    publishMotor();
}

void VirtualModule::advance(double seconds)
{
    seconds = std::min(seconds, LongestAdvance);
    const int steps = int(std::ceil(seconds / StepSeconds));
    for (int i = 0; i < steps; ++i)
        step(seconds / steps);
    publishMotor();
}

void VirtualModule::step(double h)
{
    using C = AxisParameterCatalogue;
    const Bank& b = bank(0);
    const double maxVelocity = std::max(0, b.actual[C::MaxRampVelocity]);
    const double acceleration = std::max(1, b.actual[C::Acceleration]);
    const double maxCurrent = std::max(0, b.actual[C::MaxCurrent]);
    const double stepsPerTurn = b.actual[C::EncoderSteps] > 0 ? b.actual[C::EncoderSteps] : 4000;
    const double previousVelocity = motor.velocity;

    switch (motor.mode) {
    case Motor::Mode::Velocity: {
        const double target =
            std::clamp(double(b.actual[C::TargetVelocity]), -maxVelocity, maxVelocity);
        motor.ramp = b.actual[C::EnableVelocityRamp] != 0
                         ? approach(motor.ramp, target, acceleration * h)
                         : target;
        break;
    }
    case Motor::Mode::Position: {
        const double error = b.actual[C::TargetPosition] - motor.position;
        const double tolerance = std::max(1, b.actual[C::TargetReachedDistance]);
        if (motor.positionEnd || (std::abs(error) <= tolerance &&
                                  std::abs(motor.ramp) <= acceleration * StepSeconds * 2)) {
            motor.ramp = 0;
            motor.velocity = 0;
            motor.position = b.actual[C::TargetPosition];
            motor.positionEnd = true;
            break;
        }
        // The fastest speed from which the motor still stops at the target.
        const double stopping = std::sqrt(120.0 * acceleration * std::abs(error) / stepsPerTurn);
        const double desired = std::copysign(std::min(maxVelocity, stopping), error);
        motor.ramp = approach(motor.ramp, desired, acceleration * h);
        break;
    }
    case Motor::Mode::Torque: {
        const double target =
            std::clamp(double(b.actual[C::TargetCurrent]), -maxCurrent, maxCurrent);
        motor.current += (target - motor.current) * std::min(1.0, h / CurrentLag);
        motor.velocity += (TorqueGain * motor.current - Friction * motor.velocity) * h;
        motor.ramp = motor.velocity;
        break;
    }
    }

    if (motor.mode != Motor::Mode::Torque) {
        if (!(motor.mode == Motor::Mode::Position && motor.positionEnd))
            motor.velocity += (motor.ramp - motor.velocity) * std::min(1.0, h / VelocityLag);
        const double accelerationNow = (motor.velocity - previousVelocity) / h;
        const double load =
            std::clamp(InertiaCurrent * accelerationNow + DragCurrent * motor.velocity, -maxCurrent,
                       maxCurrent);
        motor.current += (load - motor.current) * std::min(1.0, h / CurrentLag);
    }
    if (!(motor.mode == Motor::Mode::Position && motor.positionEnd))
        motor.position += motor.velocity / 60.0 * stepsPerTurn * h;
}

void VirtualModule::publishMotor()
{
    using C = AxisParameterCatalogue;
    Bank& b = bank(0);
    b.actual[C::RampVelocity] = toParameter(motor.ramp);
    b.actual[C::ActualVelocity] = toParameter(motor.velocity);
    b.actual[C::ActualPosition] = toParameter(motor.position);
    b.actual[C::ActualCurrent] = toParameter(motor.current);
    std::int32_t status = 1 << 15; // module initialised
    switch (motor.mode) {
    case Motor::Mode::Velocity:
        status |= 1 << 9;
        break;
    case Motor::Mode::Position:
        status |= 1 << 10;
        break;
    case Motor::Mode::Torque:
        status |= 1 << 11;
        break;
    }
    if (motor.positionEnd)
        status |= 1 << 14;
    b.actual[C::StatusFlags] = status;
}
