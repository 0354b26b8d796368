#include "link/wserialconnection.h"

#include "link/formfit.h"
#include "link/serialusbdevice.h"
#include "link/usbserialportlist.h"
#include "ui_wserialconnection.h"

WSerialConnection::WSerialConnection(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::WSerialConnection>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
}

WSerialConnection::~WSerialConnection() = default;

QStringList WSerialConnection::probePorts(const QString& directory)
{
    const bool inDev = directory == QLatin1String("/dev");
    QStringList ports;
    for (const char* family : {"ttyS", "ttyUSB"}) {
        for (int n = 0; n < 32; ++n) {
            const QString name = QLatin1String(family) + QString::number(n);
            const QString path = directory + QLatin1Char('/') + name;
            // The same open as a connection, so a port in use (exclusive) is left out.
            if (SerialUSBDevice::canOpen(path))
                ports << (inDev ? name : path);
        }
    }
    return ports;
}

void WSerialConnection::updateDeviceList()
{
    ui->cmbDevices->clear();
    ui->cmbDevices->addItems(probePorts(deviceDirectory));
}

void WSerialConnection::connectToPort(const QString& name, int baudrate)
{
    ui->cmbDevices->setEditText(name);
    const QString rate = QString::number(baudrate);
    if (ui->cmbBaudrates->findText(rate) < 0)
        ui->cmbBaudrates->addItem(rate);
    ui->cmbBaudrates->setCurrentIndex(ui->cmbBaudrates->findText(rate));
    on_btnConnect_clicked();
}

void WSerialConnection::on_btnConnect_clicked()
{
    ui->btnConnect->setEnabled(false);
    ui->btnDisconnect->setEnabled(true);
    emit openDevice(UsbSerialPortList::portNameOf(ui->cmbDevices->currentText()),
                    ui->cmbBaudrates->currentText().toInt(), ui->sbAddress->value());
}

void WSerialConnection::on_btnDisconnect_clicked()
{
    ui->btnConnect->setEnabled(true);
    ui->btnDisconnect->setEnabled(false);
    emit closeDevice();
}

void WSerialConnection::on_btnUpdate_clicked()
{
    updateDeviceList();
}
