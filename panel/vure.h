#pragma once

#include "panel/storerestore.h"

#include <QList>
#include <QString>
#include <QWidget>

class QProgressDialog;
class SerialUSBCommandHandler;
class WCommutationMode;
class WConnection;
class WDrawer;
class WCurrentControl;
class WDirectMode;
class WEncoderSettings;
class WFOCStatusFlagsV;
class WMotorSettings;
class WPControl;
class WPIControl;
class WPositionControl;
class WSerialConnection;
class WTraceController;
class WValuePanel;
class WVelocityControl;
class WVelocityRampControl;

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
    const QList<WDrawer*>& charts() const { return chartPanels; }
    // The height that shows every chart without scrolling.
    int fullHeight() const;

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
    // "./yyyyMMdd_hh.mm.ss_" and the suffix, from the time of the call.
    static QString proposedFileName(const char* suffix);
    static StoreRestore::Progress progressDialog(const QString& text, QProgressDialog& dialog);
    WVelocityRampControl* createRampControl();
    static WDrawer* createChartPanel(const QString& caption, char firstType,
                                     const QString& firstName, char secondType,
                                     const QString& secondName);
    void writeTraceList();

    SerialUSBCommandHandler* handler = nullptr;
    WVelocityRampControl* velocityRampControl = nullptr;
    WVelocityRampControl* positionRampControl = nullptr;
    WVelocityControl* velocityControl = nullptr;
    WPositionControl* positionControl = nullptr;
    WCurrentControl* currentControl = nullptr;
    WMotorSettings* motorSettings = nullptr;
    WEncoderSettings* encoderSettings = nullptr;
    WCommutationMode* commutationMode = nullptr;
    WTraceController* traceController = nullptr;
    WPIControl* velocityPIControl = nullptr;
    WPIControl* currentPIControl = nullptr;
    WPControl* positionPControl = nullptr;
    WDirectMode* directMode = nullptr;
    WFOCStatusFlagsV* statusFlags = nullptr;
    QList<WDrawer*> chartPanels; // "Velocity", "Position", "Current"
    QWidget* chartWidget = nullptr;
    QLayout* topRowLayout = nullptr;
    // The panels the refresh-all reads, in its order.
    QList<WValuePanel*> refreshOrder;
    WConnection* usbConnectionPanel = nullptr;
    WSerialConnection* serialConnectionPanel = nullptr;
};
