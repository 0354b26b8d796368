#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class WSerialConnection;
}

// Picks a serial line, its baud rate and a module address, and asks for the link to be opened
// or closed.
class WSerialConnection : public QWidget
{
    Q_OBJECT

public:
    explicit WSerialConnection(QWidget* parent = nullptr);
    ~WSerialConnection() override;

    void updateDeviceList();
    // Where the serial device nodes live; tests point this at a directory of their own.
    void setDeviceDirectory(const QString& directory) { deviceDirectory = directory; }
    // As if the user had chosen name and baudrate and pressed Connect.
    void connectToPort(const QString& name, int baudrate);

    // The ports of directory that can be opened now: ttyS0..31, then ttyUSB0..31.
    static QStringList probePorts(const QString& directory);

signals:
    void openDevice(const QString& port, int baudrate, int address);
    void closeDevice();

private slots:
    void on_btnConnect_clicked();
    void on_btnDisconnect_clicked();
    void on_btnUpdate_clicked();

private:
    std::unique_ptr<Ui::WSerialConnection> ui;
    QString deviceDirectory = QStringLiteral("/dev");
};
