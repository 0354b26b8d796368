#include "link/wconnection.h"

#include "link/formfit.h"
#include "link/usbserialportlist.h"
#include "ui_wconnection.h"

WConnection::WConnection(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::WConnection>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
}

WConnection::~WConnection() = default;

void WConnection::updateDeviceList()
{
    ui->cmbDevices->clear();
    ui->cmbDevices->addItems(UsbSerialPortList::entries(sysfsRoot));
}

void WConnection::connectToPort(const QString& name)
{
    ui->cmbDevices->setEditText(name);
    on_btnConnect_clicked();
}

void WConnection::deviceClosed()
{
    ui->btnConnect->setEnabled(true);
    ui->btnDisconnect->setEnabled(false);
}

void WConnection::on_btnConnect_clicked()
{
    ui->btnConnect->setEnabled(false);
    ui->btnDisconnect->setEnabled(true);
    emit openDevice(UsbSerialPortList::portNameOf(ui->cmbDevices->currentText()));
}

void WConnection::on_btnDisconnect_clicked()
{
    ui->btnConnect->setEnabled(true);
    ui->btnDisconnect->setEnabled(false);
    emit closeDevice();
}

void WConnection::on_btnUpdate_clicked()
{
    updateDeviceList();
}
