#pragma once

#include "widgets/wvaluepanel.h"

#include <memory>

namespace Ui {
class WCurrentControl;
}

// Torque mode: sets the target current with the arrow buttons and shows the actual current.
class WCurrentControl : public WValuePanel
{
    Q_OBJECT

public:
    explicit WCurrentControl(QWidget* parent = nullptr);
    ~WCurrentControl() override;

    void updateValues() override;

public slots:
    void requestedValue(char motorBank, char type, int value);
    void requestedTraceValue(char motorBank, char type, int value);

private slots:
    void on_btnRight_clicked();
    void on_btnLeft_clicked();
    void on_btnStop_clicked();

private:
    std::unique_ptr<Ui::WCurrentControl> ui;
};
