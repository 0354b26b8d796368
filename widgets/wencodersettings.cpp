#include "widgets/wencodersettings.h"

#include "link/formfit.h"
#include "panel/axisparametercatalogue.h"
#include "ui_wencodersettings.h"

namespace {
using C = AxisParameterCatalogue;
constexpr char EncoderSteps = char(C::EncoderSteps);
constexpr char EncoderDirection = char(C::EncoderDirection);
constexpr char SineInitMode = char(C::InitSineMode);
constexpr char CommutationOffset = char(C::CommutationOffset);
} // namespace

WEncoderSettings::WEncoderSettings(QWidget* parent)
    : WValuePanel(parent)
    , ui(std::make_unique<Ui::WEncoderSettings>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
}

WEncoderSettings::~WEncoderSettings() = default;

void WEncoderSettings::updateValues()
{
    readValues(ui->gbEncoderSettings->title(),
               {CommutationOffset, SineInitMode, EncoderSteps, EncoderDirection});
}

void WEncoderSettings::requestedValue(char motorBank, char type, int value)
{
    if (!isOwnBank(motorBank))
        return;
    if (type == EncoderSteps)
        ui->sbEncoderSteps->setValue(value);
    if (type == EncoderDirection)
        ui->sbEncoderDirection->setValue(value);
    if (type == SineInitMode)
        ui->sbSineInitMode->setValue(value);
    if (type == CommutationOffset)
        ui->sbCommutationOffset->setValue(value);
}

void WEncoderSettings::on_sbEncoderSteps_valueChanged(int value)
{
    emit changeValue(motorBank, EncoderSteps, value);
}

void WEncoderSettings::on_sbEncoderDirection_valueChanged(int value)
{
    emit changeValue(motorBank, EncoderDirection, value);
}

void WEncoderSettings::on_sbSineInitMode_valueChanged(int value)
{
    emit changeValue(motorBank, SineInitMode, value);
}

void WEncoderSettings::on_sbCommutationOffset_valueChanged(int value)
{
    emit changeValue(motorBank, CommutationOffset, value);
}
