#pragma once

#include "widgets/wvaluepanel.h"

#include <memory>

namespace Ui {
class WMotorSettings;
}

// Motor poles, maximum current, coil resistance and back-EMF constant.
class WMotorSettings : public WValuePanel
{
    Q_OBJECT

public:
    explicit WMotorSettings(QWidget* parent = nullptr);
    ~WMotorSettings() override;

    void updateValues() override;

public slots:
    void requestedValue(char motorBank, char type, int value);

private slots:
    void on_sbMotorPoles_valueChanged(int value);
    void on_sbCoilResistance_valueChanged(int value);
    void on_sbBEMFConstant_valueChanged(int value);
    void on_sbMaxCurrent_valueChanged(int value);

private:
    std::unique_ptr<Ui::WMotorSettings> ui;
};
