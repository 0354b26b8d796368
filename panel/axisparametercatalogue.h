#pragma once

#include <cstdint>
#include <vector>

// Every axis parameter number the tool reads, writes, stores, traces or exports, with the texts
// and ranges under which it appears. Plain data: no widgets, usable from the virtual module.
class AxisParameterCatalogue
{
public:
    enum class Role
    {
        Setting,  // a panel field, read on refresh and written on every change
        FileOnly, // carried only by the settings file and the command script
        Motion,   // commanded by the motion panels
        Live,     // actual values and flags: read, traced, shown
    };

    struct Entry
    {
        int number;
        Role role;
        const char* name;    // unique identifier, also the command-line name
        const char* shownAs; // label, title or chart name; empty when not shown
        const char* group;   // settings-file group; nullptr when not in the file
        const char* key;     // settings-file key
        const char* comment; // command-script comment; nullptr when not in the script
        int position;        // place in the settings file / script order, 0 when in neither
        bool hasRange;
        std::int32_t minimum;
        std::int32_t maximum;
        std::int32_t step; // 0 for display-only fields
    };

    static const std::vector<Entry>& entries();
    // nullptr for a number the tool does not use.
    static const Entry* find(int number);
    static const Entry* findByName(const char* name);

    // Settings-file parameters in file order (20 entries).
    static std::vector<const Entry*> settingsFileOrder();
    // Command-script parameters in script order (the settings file's, then the commutation mode).
    static std::vector<const Entry*> scriptOrder();

    static constexpr int MotorPoles = 253;
    static constexpr int MaxCurrent = 6;
    static constexpr int StartCurrent = 177;
    static constexpr int CoilResistance = 240;
    static constexpr int BEMFConstant = 239;
    static constexpr int EncoderSteps = 250;
    static constexpr int EncoderDirection = 251;
    static constexpr int InitSineMode = 249;
    static constexpr int CommutationOffset = 165;
    static constexpr int HallSensorInvert = 254;
    static constexpr int MaxRampVelocity = 4;
    static constexpr int Acceleration = 11;
    static constexpr int EnableVelocityRamp = 146;
    static constexpr int TargetReachedVelocity = 7;
    static constexpr int TargetReachedDistance = 10;
    static constexpr int CurrentP = 172;
    static constexpr int CurrentI = 173;
    static constexpr int VelocityP = 234;
    static constexpr int VelocityI = 235;
    static constexpr int PositionP = 230;
    static constexpr int CommutationMode = 159;
    static constexpr int TargetPosition = 0;
    static constexpr int ActualPosition = 1;
    static constexpr int TargetVelocity = 2;
    static constexpr int ActualVelocity = 3;
    static constexpr int RampVelocity = 13;
    static constexpr int ActualCurrent = 150;
    static constexpr int TargetCurrent = 155;
    static constexpr int StatusFlags = 156;
    static constexpr int ClearOnNullSecond = 161;
    static constexpr int ClearOnNullFirst = 163;
};
