#include "monitor/wgraphcontroller.h"

#include "link/formfit.h"
#include "ui_wgraphcontroller.h"

WGraphController::WGraphController(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::WGraphController>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
    ui->sbMax->setEnabled(false);
    ui->sbMin->setEnabled(false);
}

WGraphController::~WGraphController() = default;

void WGraphController::changedScaleValues(int minValue, int maxValue)
{
    ui->sbMin->setValue(minValue);
    ui->sbMax->setValue(maxValue);
}

void WGraphController::on_btnClearCharts_clicked()
{
    emit clear();
}

void WGraphController::on_sbMin_valueChanged(int value)
{
    emit minValueChanged(value);
}

void WGraphController::on_sbMax_valueChanged(int value)
{
    emit maxValueChanged(value);
}

void WGraphController::on_btnScaleManually_clicked(bool)
{
    ui->btnScaleDynamic->setChecked(false);
    ui->sbMax->setEnabled(true);
    ui->sbMin->setEnabled(true);
    emit scaleManually();
}

void WGraphController::on_btnScaleDynamic_clicked(bool)
{
    ui->btnScaleManually->setChecked(false);
    ui->sbMax->setEnabled(false);
    ui->sbMin->setEnabled(false);
    emit scaleDynamic();
}

void WGraphController::on_sbResolution_valueChanged(int value)
{
    emit changeResolution(value);
}
