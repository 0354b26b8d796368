#pragma once

#include "widgets/wvaluepanel.h"

#include <memory>

namespace Ui {
class WVelocityRampControl;
}

// Maximum ramp velocity, acceleration and ramp on/off.
class WVelocityRampControl : public WValuePanel
{
    Q_OBJECT

public:
    explicit WVelocityRampControl(const QString& title);
    ~WVelocityRampControl() override;

    void setTypes(char maxVelocityType, char accelerationType, char rampEnableType);
    void setMaxVelocityLabel(const QString& text);
    void setAccelerationLabel(const QString& text);
    void updateValues() override;

public slots:
    void requestedValue(char motorBank, char type, int value);

private slots:
    void on_sbMaxVelocity_valueChanged(int value);
    void on_sbAcceleration_valueChanged(int value);
    void on_gbRampEnabler_toggled(bool toggle);

private:
    std::unique_ptr<Ui::WVelocityRampControl> ui;
    char maxVelocityType = 1;
    char accelerationType = 3;
    char rampEnableType = 4;
};
