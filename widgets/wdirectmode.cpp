#include "widgets/wdirectmode.h"

#include "link/formfit.h"
#include "ui_wdirectmode.h"

WDirectMode::WDirectMode(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::WDirectMode>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
}

WDirectMode::~WDirectMode() = default;

void WDirectMode::on_btnSend_clicked()
{
    emit doRequest(char(ui->sbRequestCommand->value()), char(ui->sbRequestType->value()),
                   char(ui->sbRequestMotorBank->value()), ui->sbRequestValue->value());
}

void WDirectMode::requestResult(char motorBank, char command, char status, int value)
{
    // The 8-bit fields are shown as 0 to 255, whatever sign the char carries.
    ui->sbReplyMotorBank->setValue(quint8(motorBank));
    ui->sbReplyCommand->setValue(quint8(command));
    ui->sbReplyType->setValue(quint8(status));
    ui->sbReplyValue->setValue(value);
}
