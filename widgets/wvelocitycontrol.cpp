#include "widgets/wvelocitycontrol.h"

#include "link/formfit.h"
#include "panel/axisparametercatalogue.h"
#include "ui_wvelocitycontrol.h"

WVelocityControl::WVelocityControl(QWidget* parent)
    : WValuePanel(parent)
    , ui(std::make_unique<Ui::WVelocityControl>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
    // Fixed here: the poll list does not follow later changes of the numbers.
    traceList.append(char(AxisParameterCatalogue::ActualVelocity));
}

WVelocityControl::~WVelocityControl() = default;

void WVelocityControl::setTypes(char actualType, char targetType)
{
    this->actualType = actualType;
    this->targetType = targetType;
}

void WVelocityControl::updateValues()
{
    readValues(ui->gbVelocityControl->title(), {actualType});
}

void WVelocityControl::requestedValue(char motorBank, char type, int value)
{
    if (isOwnBank(motorBank) && type == actualType)
        ui->sbActualVelocity->setValue(value);
}

void WVelocityControl::requestedTraceValue(char motorBank, char type, int value)
{
    if (type == actualType)
        requestedValue(motorBank, type, value);
}

void WVelocityControl::on_btnRight_clicked()
{
    emit changeValue(motorBank, targetType, ui->sbTargetVelocity->value());
}

void WVelocityControl::on_btnLeft_clicked()
{
    emit changeValue(motorBank, targetType, -ui->sbTargetVelocity->value());
}

void WVelocityControl::on_btnStop_clicked()
{
    emit changeValue(motorBank, targetType, 0);
}
