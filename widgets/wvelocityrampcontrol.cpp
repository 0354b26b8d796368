#include "widgets/wvelocityrampcontrol.h"

#include "link/formfit.h"
#include "ui_wvelocityrampcontrol.h"

WVelocityRampControl::WVelocityRampControl(const QString& title)
    : ui(std::make_unique<Ui::WVelocityRampControl>())
{
    ui->setupUi(this);
    ui->gbVelocityRampControl->setTitle(title);
    FormFit::allowContents(this);
}

WVelocityRampControl::~WVelocityRampControl() = default;

void WVelocityRampControl::setTypes(char maxVelocityType, char accelerationType,
                                    char rampEnableType)
{
    this->maxVelocityType = maxVelocityType;
    this->accelerationType = accelerationType;
    this->rampEnableType = rampEnableType;
}

void WVelocityRampControl::setMaxVelocityLabel(const QString& text)
{
    ui->lblMaxVelocity->setText(text);
    FormFit::allowContents(this);
}

void WVelocityRampControl::setAccelerationLabel(const QString& text)
{
    ui->lblAcceleration->setText(text);
    FormFit::allowContents(this);
}

void WVelocityRampControl::updateValues()
{
    readValues(ui->gbVelocityRampControl->title(),
               {maxVelocityType, accelerationType, rampEnableType});
}

void WVelocityRampControl::requestedValue(char motorBank, char type, int value)
{
    if (!isOwnBank(motorBank))
        return;
    if (type == maxVelocityType)
        ui->sbMaxVelocity->setValue(value);
    if (type == accelerationType)
        ui->sbAcceleration->setValue(value);
    if (type == rampEnableType)
        ui->gbRampEnabler->setChecked(value != 0);
}

void WVelocityRampControl::on_sbMaxVelocity_valueChanged(int value)
{
    emit changeValue(motorBank, maxVelocityType, value);
}

void WVelocityRampControl::on_sbAcceleration_valueChanged(int value)
{
    emit changeValue(motorBank, accelerationType, value);
}

void WVelocityRampControl::on_gbRampEnabler_toggled(bool toggle)
{
    emit changeValue(motorBank, rampEnableType, toggle ? 1 : 0);
}
