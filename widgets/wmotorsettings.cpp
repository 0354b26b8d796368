#include "widgets/wmotorsettings.h"

#include "link/formfit.h"
#include "panel/axisparametercatalogue.h"
#include "ui_wmotorsettings.h"

namespace {
using C = AxisParameterCatalogue;
constexpr char MotorPoles = char(C::MotorPoles);
constexpr char CoilResistance = char(C::CoilResistance);
constexpr char BEMFConstant = char(C::BEMFConstant);
constexpr char MaxCurrent = char(C::MaxCurrent);
} // namespace

WMotorSettings::WMotorSettings(QWidget* parent)
    : WValuePanel(parent)
    , ui(std::make_unique<Ui::WMotorSettings>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
}

WMotorSettings::~WMotorSettings() = default;

void WMotorSettings::updateValues()
{
    readValues(ui->gbMotorSettings->title(),
               {MotorPoles, CoilResistance, BEMFConstant, MaxCurrent});
}

void WMotorSettings::requestedValue(char motorBank, char type, int value)
{
    if (!isOwnBank(motorBank))
        return;
    if (type == MotorPoles)
        ui->sbMotorPoles->setValue(value);
    if (type == CoilResistance)
        ui->sbCoilResistance->setValue(value);
    if (type == BEMFConstant)
        ui->sbBEMFConstant->setValue(value);
    if (type == MaxCurrent)
        ui->sbMaxCurrent->setValue(value);
}

void WMotorSettings::on_sbMotorPoles_valueChanged(int value)
{
    emit changeValue(motorBank, MotorPoles, value);
}

void WMotorSettings::on_sbCoilResistance_valueChanged(int value)
{
    emit changeValue(motorBank, CoilResistance, value);
}

void WMotorSettings::on_sbBEMFConstant_valueChanged(int value)
{
    emit changeValue(motorBank, BEMFConstant, value);
}

void WMotorSettings::on_sbMaxCurrent_valueChanged(int value)
{
    emit changeValue(motorBank, MaxCurrent, value);
}
