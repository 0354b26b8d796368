#include "sim/virtualmodule.h"

#include "panel/axisparametercatalogue.h"

#include <algorithm>
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
        return 1 << 15; // module initialised
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
}

std::int32_t VirtualModule::storedParameter(int motorBank, int type) const
{
    std::lock_guard<std::mutex> lock(mutex);
    return bank(motorBank).stored[std::size_t(type & 0xff)];
}

zeva::Frame VirtualModule::handle(const zeva::Frame& request)
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

    std::lock_guard<std::mutex> lock(mutex);
    Bank& b = bank(motorBank);
    std::int32_t& actual = b.actual[type];
    switch (command) {
    case CommandGet:
        return reply(StatusOk, actual);
    case CommandSet:
        actual = clamped(type, value);
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
        return reply(StatusOk, b.actual[AxisParameterCatalogue::TargetPosition]);
    default:
        return reply(StatusInvalidCommand, 0);
    }
}
