#include "monitor/wtracecontroller.h"

#include "link/formfit.h"
#include "monitor/valuecheckerthread.h"
#include "ui_wtracecontroller.h"

WTraceController::WTraceController(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::WTraceController>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
    motorBank = 0;
    ui->btnStop->setEnabled(false);
    checker = std::make_unique<ValueCheckerThread>(100);
    ui->sbDelay->setValue(20);
    ui->sbDelay->setSingleStep(1);

    connect(this, &WTraceController::start, checker.get(), &ValueCheckerThread::start);
    connect(this, &WTraceController::stop, checker.get(), &ValueCheckerThread::stop);
    connect(this, &WTraceController::delayChanged, checker.get(), &ValueCheckerThread::changeDelay);
    connect(checker.get(), &ValueCheckerThread::checkRequested, this,
            qOverload<>(&WTraceController::requestTraceValues));
}

// The ticker is stopped and waited for by its destructor, so closing the window while
// polling ends cleanly.
WTraceController::~WTraceController() = default;

void WTraceController::setMinimumDelay(int delay)
{
    ui->sbDelay->setMinimum(delay);
}

void WTraceController::addTraceTypes(QList<char>* typeNumbers)
{
    for (char type : *typeNumbers)
        if (!traceList.contains(type))
            traceList.append(type);
}

void WTraceController::on_btnStart_clicked()
{
    ui->btnStart->setEnabled(false);
    ui->btnStop->setEnabled(true);
    emit start();
}

void WTraceController::on_btnStop_clicked()
{
    ui->btnStart->setEnabled(true);
    ui->btnStop->setEnabled(false);
    emit stop();
}

void WTraceController::on_sbDelay_valueChanged(int value)
{
    emit delayChanged(value);
}

void WTraceController::requestTraceValues()
{
    emit requestTraceValues(motorBank, &traceList);
}
