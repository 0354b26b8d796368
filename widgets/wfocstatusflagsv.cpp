#include "widgets/wfocstatusflagsv.h"

#include "link/formfit.h"
#include "ui_wfocstatusflagsv.h"

WFOCStatusFlagsV::WFOCStatusFlagsV(QWidget* parent)
    : WValuePanel(parent)
    , ui(std::make_unique<Ui::WFOCStatusFlagsV>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
    indicators = {{0, ui->rbBit0},   {1, ui->rbBit1},   {2, ui->rbBit2},   {3, ui->rbBit3},
                  {4, ui->rbBit4},   {5, ui->rbBit5},   {6, ui->rbBit6},   {9, ui->rbBit9},
                  {10, ui->rbBit10}, {11, ui->rbBit11}, {14, ui->rbBit14}, {15, ui->rbBit15},
                  {17, ui->rbBit17}};
}

WFOCStatusFlagsV::~WFOCStatusFlagsV() = default;

void WFOCStatusFlagsV::setType(char type)
{
    this->type = type;
    traceList.clear();
    traceList.append(type);
}

void WFOCStatusFlagsV::requestedValue(char motorBank, char type, int value)
{
    if (!isOwnBank(motorBank) || type != this->type)
        return;
    const auto word = quint32(value);
    for (const auto& indicator : indicators)
        indicator.second->setChecked((word >> indicator.first) & 1u);
}

void WFOCStatusFlagsV::requestedTraceValue(char motorBank, char type, int value)
{
    if (type == this->type)
        requestedValue(motorBank, type, value);
}
