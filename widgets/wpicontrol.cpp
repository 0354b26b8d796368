#include "widgets/wpicontrol.h"

#include "link/formfit.h"
#include "ui_wpicontrol.h"

WPIControl::WPIControl(const QString& title)
    : ui(std::make_unique<Ui::WPIControl>())
{
    ui->setupUi(this);
    ui->gbPiControl->setTitle(title);
    FormFit::allowContents(this);
}

WPIControl::~WPIControl() = default;

void WPIControl::setTypes(char pType, char iType)
{
    this->pType = pType;
    this->iType = iType;
}

void WPIControl::updateValues()
{
    readValues(ui->gbPiControl->title(), {pType, iType});
}

void WPIControl::requestedValue(char motorBank, char type, int value)
{
    if (!isOwnBank(motorBank))
        return;
    if (type == pType)
        ui->sbPParameter->setValue(value);
    if (type == iType)
        ui->sbIParameter->setValue(value);
}

void WPIControl::on_sbPParameter_valueChanged(int value)
{
    emit changeValue(motorBank, pType, value);
}

void WPIControl::on_sbIParameter_valueChanged(int value)
{
    emit changeValue(motorBank, iType, value);
}
