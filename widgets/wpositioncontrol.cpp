#include "widgets/wpositioncontrol.h"

#include "link/formfit.h"
#include "panel/axisparametercatalogue.h"
#include "ui_wpositioncontrol.h"

namespace {
constexpr char CommandMove = 4;
constexpr char MoveAbsolute = 0;
constexpr char MoveRelative = 1;
} // namespace

WPositionControl::WPositionControl(QWidget* parent)
    : WValuePanel(parent)
    , ui(std::make_unique<Ui::WPositionControl>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
    traceList.append(char(AxisParameterCatalogue::ActualPosition));
}

WPositionControl::~WPositionControl() = default;

void WPositionControl::setTypes(char actualType, char targetType, char clearOnNullSecond,
                                char clearOnNullFirst)
{
    this->actualType = actualType;
    this->targetType = targetType;
    this->clearOnNullSecond = clearOnNullSecond;
    this->clearOnNullFirst = clearOnNullFirst;
}

void WPositionControl::updateValues()
{
    readValues(ui->gbPositionControl->title(), {actualType, targetType});
}

void WPositionControl::requestedValue(char motorBank, char type, int value)
{
    if (!isOwnBank(motorBank))
        return;
    if (type == actualType)
        ui->sbActualPosition->setValue(value);
    if (type == targetType)
        ui->sbTargetPosition->setValue(value);
}

void WPositionControl::requestedTraceValue(char motorBank, char type, int value)
{
    if (type == actualType)
        requestedValue(motorBank, type, value);
}

void WPositionControl::on_btnClear_clicked()
{
    emit changeValue(motorBank, actualType, 0);
}

void WPositionControl::on_btnClearOnNull_clicked()
{
    emit changeValue(motorBank, clearOnNullFirst, 1);
    emit changeValue(motorBank, clearOnNullSecond, 1);
}

void WPositionControl::on_btnMoveAbsolute_clicked()
{
    emit doMove(motorBank, CommandMove, MoveAbsolute, ui->sbTargetPosition->value());
}

void WPositionControl::on_btnMoveRelative_clicked()
{
    emit doMove(motorBank, CommandMove, MoveRelative, ui->sbTargetPosition->value());
}
