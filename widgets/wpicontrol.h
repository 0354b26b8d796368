#pragma once

#include "widgets/wvaluepanel.h"

#include <memory>

namespace Ui {
class WPIControl;
}

// Proportional and integral gain of one control loop; the creator says which.
class WPIControl : public WValuePanel
{
    Q_OBJECT

public:
    explicit WPIControl(const QString& title);
    ~WPIControl() override;

    void setTypes(char pType, char iType);
    void updateValues() override;

public slots:
    void requestedValue(char motorBank, char type, int value);

private slots:
    void on_sbPParameter_valueChanged(int value);
    void on_sbIParameter_valueChanged(int value);

private:
    std::unique_ptr<Ui::WPIControl> ui;
    char pType = 1;
    char iType = 2;
};
