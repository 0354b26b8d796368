#include "widgets/wpcontrol.h"

#include "link/formfit.h"
#include "ui_wpcontrol.h"

WPControl::WPControl(const QString& title)
    : ui(std::make_unique<Ui::WPControl>())
{
    ui->setupUi(this);
    ui->gbPControl->setTitle(title);
    FormFit::allowContents(this);
}

WPControl::~WPControl() = default;

void WPControl::updateValues()
{
    readValues(ui->gbPControl->title(), {pType});
}

void WPControl::requestedValue(char motorBank, char type, int value)
{
    if (isOwnBank(motorBank) && type == pType)
        ui->sbPParameter->setValue(value);
}

void WPControl::on_sbPParameter_valueChanged(int value)
{
    emit changeValue(motorBank, pType, value);
}
