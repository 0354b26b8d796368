#pragma once

#include "widgets/wvaluepanel.h"

#include <memory>

namespace Ui {
class WPositionControl;
}

// Positioning mode: absolute and relative moves to the target, clearing the position counter,
// and the actual position.
class WPositionControl : public WValuePanel
{
    Q_OBJECT

public:
    explicit WPositionControl(QWidget* parent = nullptr);
    ~WPositionControl() override;

    void setTypes(char actualType, char targetType, char clearOnNullSecond, char clearOnNullFirst);
    void updateValues() override;

signals:
    // type is the command number, moveType the command's type number.
    void doMove(char motorBank, char type, char moveType, int value);

public slots:
    void requestedValue(char motorBank, char type, int value);
    void requestedTraceValue(char motorBank, char type, int value);

private slots:
    void on_btnClear_clicked();
    void on_btnClearOnNull_clicked();
    void on_btnMoveAbsolute_clicked();
    void on_btnMoveRelative_clicked();

private:
    std::unique_ptr<Ui::WPositionControl> ui;
    char actualType = 1;
    char targetType = 2;
    char clearOnNullSecond = 4;
    char clearOnNullFirst = 3;
};
