#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class SerialUSBCommandHandler;
class WConnection;
class WDirectMode;
class WSerialConnection;
class WTraceController;

// The hub of the window: owns the command handler, creates every panel, lays them out in tabs
// and the chart column, and wires each panel to the handler. Panels never see each other.
class VURE : public QWidget
{
    Q_OBJECT

public:
    explicit VURE(QWidget* parent = nullptr);
    ~VURE() override;

    SerialUSBCommandHandler* commandHandler() const { return handler; }
    WConnection* usbConnection() const { return usbConnectionPanel; }
    WSerialConnection* serialConnection() const { return serialConnectionPanel; }

public slots:
    void openHandler(const QString& name);
    void closeHandler();
    void openSerialHandler(const QString& name, int baudrate, int address);
    void closeSerialHandler();
    void exportSettingsToZEVA();
    void exportSettings();
    void importSettings();
    void storeActualValues();
    void restoreActualValues();

private:
    void updateAllValues();
    void writeTraceList();

    SerialUSBCommandHandler* handler = nullptr;
    WTraceController* traceController = nullptr;
    WDirectMode* directMode = nullptr;
    WConnection* usbConnectionPanel = nullptr;
    WSerialConnection* serialConnectionPanel = nullptr;
};
