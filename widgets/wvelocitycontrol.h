#pragma once

#include "widgets/wvaluepanel.h"

#include <memory>

namespace Ui {
class WVelocityControl;
}

// Velocity mode: sets the target velocity with the arrow buttons and shows the actual velocity.
class WVelocityControl : public WValuePanel
{
    Q_OBJECT

public:
    explicit WVelocityControl(QWidget* parent = nullptr);
    ~WVelocityControl() override;

    void setTypes(char actualType, char targetType);
    void updateValues() override;

public slots:
    void requestedValue(char motorBank, char type, int value);
    void requestedTraceValue(char motorBank, char type, int value);

private slots:
    void on_btnRight_clicked();
    void on_btnLeft_clicked();
    void on_btnStop_clicked();

private:
    std::unique_ptr<Ui::WVelocityControl> ui;
    char actualType = 1;
    char targetType = 2;
};
