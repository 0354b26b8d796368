#include "panel/axisparametercatalogue.h"

#include <algorithm>
#include <cstring>

namespace {

using Entry = AxisParameterCatalogue::Entry;
using Role = AxisParameterCatalogue::Role;
constexpr std::int32_t IntMax = 2147483647;

// clang-format off
const std::vector<Entry> catalogue = {
    // number, role, name, shown as, file group, file key, script comment, position, range
    {0, Role::Motion, "TargetPosition", "Target pos.", nullptr, nullptr, nullptr, 0, true, -IntMax, IntMax, 1000},
    {1, Role::Live, "ActualPosition", "Actual pos.", nullptr, nullptr, nullptr, 0, true, -IntMax, IntMax, 0},
    {2, Role::Motion, "TargetVelocity", "Target vel. [rpm] ", nullptr, nullptr, nullptr, 0, true, 0, 100000, 100},
    {3, Role::Live, "ActualVelocity", "Actual vel. [rpm] ", nullptr, nullptr, nullptr, 0, true, -100000, 100000, 0},
    {4, Role::Setting, "MaxRampVelocity", "Max. velocity [rpm]", "motion_settings", "MaxRampVelocity", "\t// max ramp velocity", 11, true, 0, 100000, 100},
    {6, Role::Setting, "MaxCurrent", "Max. current [mA]", "motor_and_module_settings", "MaxCurrent", "\t// max current", 2, true, 0, 100000, 100},
    {7, Role::FileOnly, "TargetReachedVelocity", "", "motion_settings", "TargetReachedVelocity", "\t// target reached velocity", 14, false, 0, 0, 0},
    {10, Role::FileOnly, "TargetReachedDistance", "", "motion_settings", "TargetReachedDistance", "\t// target reached distance", 15, false, 0, 0, 0},
    {11, Role::Setting, "Acceleration", "Accel.[rpm/s]", "motion_settings", "Acceleration", "\t// acceleration", 12, true, 1, 20000, 100},
    {13, Role::Live, "RampVelocity", "target [rpm]", nullptr, nullptr, nullptr, 0, false, 0, 0, 0},
    {146, Role::Setting, "EnableVelocityRamp", "Enable velocity ramp", "motion_settings", "EnableVelocityRamp", "\t// enable velocity ramp", 13, true, 0, 1, 1},
    {150, Role::Live, "ActualCurrent", "Actual cur. [mA] ", nullptr, nullptr, nullptr, 0, true, -99999, 99999, 0},
    {155, Role::Motion, "TargetCurrent", "Target cur. [mA] ", nullptr, nullptr, nullptr, 0, true, 0, 99999, 50},
    {156, Role::Live, "StatusFlags", "Status/error flags", nullptr, nullptr, nullptr, 0, false, 0, 0, 0},
    {159, Role::Setting, "CommutationMode", "Commutation Mode", nullptr, nullptr, "\t// commutation mode", 21, true, 6, 7, 1},
    {161, Role::Motion, "ClearOnNullSecond", "", nullptr, nullptr, nullptr, 0, false, 0, 0, 0},
    {163, Role::Motion, "ClearOnNullFirst", "", nullptr, nullptr, nullptr, 0, false, 0, 0, 0},
    {165, Role::Setting, "EncoderCommutationOffset", "Comm. offset", "encoder_settings", "EncoderCommutationOffset", "\t// encoder commutation offset", 9, true, 0, 1000000000, 1},
    {172, Role::Setting, "CurrentP", "P", "current_PID_values", "P", "\t// P", 16, true, 0, 500000, 10},
    {173, Role::Setting, "CurrentI", "I", "current_PID_values", "I", "\t// I", 17, true, 0, 500000, 10},
    {177, Role::FileOnly, "StartCurrent", "", "motor_and_module_settings", "StartCurrent", "\t// start current", 3, false, 0, 0, 0},
    {230, Role::Setting, "PositionP", "P", "position_PID_values", "P", "\t// P", 20, true, 0, 500000, 10},
    {234, Role::Setting, "VelocityP", "P", "velocity_PID_values", "P", "\t// P", 18, true, 0, 500000, 10},
    {235, Role::Setting, "VelocityI", "I", "velocity_PID_values", "I", "\t// I", 19, true, 0, 500000, 10},
    {239, Role::Setting, "BEMFConstant", "BEMF constant", "motor_and_module_settings", "BEMFConstant", "\t// BEMF constant", 5, true, 0, 100000, 1},
    {240, Role::Setting, "MotorCoilResistance", "Coil resistance", "motor_and_module_settings", "MotorCoilResistance", "\t// motor coil resistance", 4, true, 0, 100000, 1},
    {249, Role::Setting, "InitSineMode", "Sine init mode", "encoder_settings", "InitSineMode", "\t// init encoder mode", 8, true, 0, 2, 1},
    {250, Role::Setting, "EncoderSteps", "Steps per rotation", "encoder_settings", "EncoderSteps", "\t// encoder steps", 6, true, 0, 1000000000, 100},
    {251, Role::Setting, "EncoderDirection", "Encoder direction", "encoder_settings", "EncoderDirection", "\t// encoder direction", 7, true, 0, 1, 1},
    {253, Role::Setting, "MotorPoles", "Motor poles", "motor_and_module_settings", "MotorPoles", "\t// motor poles", 1, true, 0, 100000, 2},
    {254, Role::FileOnly, "HallSensorInvert", "", "encoder_settings", "HallSensorInvert", "\t// hall sensor invert", 10, false, 0, 0, 0},
};
// clang-format on

std::vector<const Entry*> byPosition(bool (*include)(const Entry&))
{
    std::vector<const Entry*> order;
    for (const Entry& entry : catalogue)
        if (entry.position > 0 && include(entry))
            order.push_back(&entry);
    std::sort(order.begin(), order.end(),
              [](const Entry* a, const Entry* b) { return a->position < b->position; });
    return order;
}

} // namespace

const std::vector<Entry>& AxisParameterCatalogue::entries()
{
    return catalogue;
}

const Entry* AxisParameterCatalogue::find(int number)
{
    for (const Entry& entry : catalogue)
        if (entry.number == number)
            return &entry;
    return nullptr;
}

const Entry* AxisParameterCatalogue::findByName(const char* name)
{
    for (const Entry& entry : catalogue)
        if (std::strcmp(entry.name, name) == 0)
            return &entry;
    return nullptr;
}

std::vector<const Entry*> AxisParameterCatalogue::settingsFileOrder()
{
    return byPosition([](const Entry& e) { return e.key != nullptr; });
}

std::vector<const Entry*> AxisParameterCatalogue::scriptOrder()
{
    return byPosition([](const Entry& e) { return e.comment != nullptr; });
}
