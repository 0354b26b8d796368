#pragma once

#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class WConnection;
}

// Picks a USB virtual serial port and asks for the link to be opened or closed.
class WConnection : public QWidget
{
    Q_OBJECT

public:
    explicit WConnection(QWidget* parent = nullptr);
    ~WConnection() override;

    void updateDeviceList();
    // Where sysfs is mounted; tests point this at a fixture tree.
    void setSysfsRoot(const QString& root) { sysfsRoot = root; }
    // As if the user had chosen name and pressed Connect.
    void connectToPort(const QString& name);

signals:
    void openDevice(const QString& name);
    void closeDevice();

public slots:
    void deviceClosed();

private slots:
    void on_btnConnect_clicked();
    void on_btnDisconnect_clicked();
    void on_btnUpdate_clicked();

private:
    std::unique_ptr<Ui::WConnection> ui;
    QString sysfsRoot = QStringLiteral("/sys");
};
