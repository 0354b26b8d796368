#pragma once

#include "widgets/wvaluepanel.h"

#include <memory>

namespace Ui {
class WPControl;
}

// Proportional gain of one control loop; the creator says which.
class WPControl : public WValuePanel
{
    Q_OBJECT

public:
    explicit WPControl(const QString& title);
    ~WPControl() override;

    void setType(char pType) { this->pType = pType; }
    void updateValues() override;

public slots:
    void requestedValue(char motorBank, char type, int value);

private slots:
    void on_sbPParameter_valueChanged(int value);

private:
    std::unique_ptr<Ui::WPControl> ui;
    char pType = 1;
};
