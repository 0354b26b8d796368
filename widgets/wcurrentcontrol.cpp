#include "widgets/wcurrentcontrol.h"

#include "link/formfit.h"
#include "panel/axisparametercatalogue.h"
#include "ui_wcurrentcontrol.h"

namespace {
constexpr char ActualCurrent = char(AxisParameterCatalogue::ActualCurrent);
constexpr char TargetCurrent = char(AxisParameterCatalogue::TargetCurrent);
} // namespace

WCurrentControl::WCurrentControl(QWidget* parent)
    : WValuePanel(parent)
    , ui(std::make_unique<Ui::WCurrentControl>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
    traceList.append(ActualCurrent);
}

WCurrentControl::~WCurrentControl() = default;

void WCurrentControl::updateValues()
{
    readValues(ui->gbCurrentControl->title(), {ActualCurrent});
}

void WCurrentControl::requestedValue(char motorBank, char type, int value)
{
    if (isOwnBank(motorBank) && type == ActualCurrent)
        ui->sbActualCurrent->setValue(value);
}

void WCurrentControl::requestedTraceValue(char motorBank, char type, int value)
{
    if (type == ActualCurrent)
        requestedValue(motorBank, type, value);
}

void WCurrentControl::on_btnRight_clicked()
{
    emit changeValue(motorBank, TargetCurrent, ui->sbTargetCurrent->value());
}

void WCurrentControl::on_btnLeft_clicked()
{
    emit changeValue(motorBank, TargetCurrent, -ui->sbTargetCurrent->value());
}

void WCurrentControl::on_btnStop_clicked()
{
    emit changeValue(motorBank, TargetCurrent, 0);
}
