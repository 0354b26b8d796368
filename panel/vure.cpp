#include "panel/vure.h"

#include "link/diagnostic.h"
#include "link/messagehandler.h"
#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "link/wconnection.h"
#include "link/wserialconnection.h"
#include "monitor/wdrawer.h"
#include "monitor/wtracecontroller.h"
#include "panel/axisparametercatalogue.h"
#include "panel/scriptexport.h"
#include "panel/settingsfile.h"
#include "widgets/wcommutationmode.h"
#include "widgets/wcurrentcontrol.h"
#include "widgets/wdirectmode.h"
#include "widgets/wencodersettings.h"
#include "widgets/wfocstatusflagsv.h"
#include "widgets/wmotorsettings.h"
#include "widgets/wpcontrol.h"
#include "widgets/wpicontrol.h"
#include "widgets/wpositioncontrol.h"
#include "widgets/wvelocitycontrol.h"
#include "widgets/wvelocityrampcontrol.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QProgressDialog>
#include <QScrollArea>
#include <QSpacerItem>
#include <QTabWidget>

#include <cstdio>

namespace {

QSpacerItem* spacer()
{
    return new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Fixed);
}

// A tab page whose layout holds the given widgets, left to right or top to bottom.
template <typename Layout>
QWidget* page(Layout*& layout)
{
    auto* widget = new QWidget;
    layout = new Layout(widget);
    return widget;
}

} // namespace

VURE::VURE(QWidget* parent)
    : QWidget(parent)
{
    using C = AxisParameterCatalogue;
    using H = SerialUSBCommandHandler;

    qInstallMessageHandler(messageHandler);

    handler = new SerialUSBCommandHandler;

    auto* mainLayout = new QVBoxLayout;
    auto* topRow = new QHBoxLayout;
    topRowLayout = topRow;
    auto* chartColumn = new QVBoxLayout;

    usbConnectionPanel = new WConnection;
    usbConnectionPanel->updateDeviceList();
    serialConnectionPanel = new WSerialConnection;
    serialConnectionPanel->updateDeviceList();

    auto* mainTabs = new QTabWidget;
    mainTabs->setMinimumWidth(500);
    mainTabs->setMaximumWidth(900);
    mainTabs->setMaximumHeight(300);
    auto* connectionTabs = new QTabWidget;
    connectionTabs->setMaximumHeight(200);

    // "Connection"
    QHBoxLayout* connectionLayout;
    mainTabs->addTab(page(connectionLayout), QStringLiteral("Connection"));
    connectionLayout->addItem(spacer());
    connectionLayout->addWidget(connectionTabs);
    connectionLayout->addItem(spacer());
    QVBoxLayout* usbLayout;
    connectionTabs->addTab(page(usbLayout), QStringLiteral("USB"));
    usbLayout->addWidget(usbConnectionPanel);
    QVBoxLayout* serialLayout;
    connectionTabs->addTab(page(serialLayout), QStringLiteral("Serial"));
    serialLayout->addWidget(serialConnectionPanel);

    // "Settings"
    QHBoxLayout* settingsLayout;
    mainTabs->addTab(page(settingsLayout), QStringLiteral("Settings"));
    motorSettings = new WMotorSettings;
    commutationMode = new WCommutationMode;
    commutationMode->setMotorBank(0);
    commutationMode->setType(char(C::CommutationMode));
    commutationMode->addMode(QStringLiteral("FOC (hall sensors)"), 6);
    commutationMode->addMode(QStringLiteral("FOC (encoder)"), 7);
    encoderSettings = new WEncoderSettings;
    traceController = new WTraceController;
    traceController->setMinimumDelay(200);
    auto* settingsColumn = new QVBoxLayout;
    auto* traceRow = new QHBoxLayout;
    settingsLayout->addWidget(motorSettings);
    settingsLayout->addWidget(encoderSettings);
    settingsLayout->addLayout(settingsColumn);
    settingsColumn->addWidget(commutationMode);
    traceRow->addItem(spacer());
    traceRow->addWidget(traceController);
    traceRow->addItem(spacer());
    settingsColumn->addLayout(traceRow);

    // "Torque mode"
    QHBoxLayout* torqueLayout;
    mainTabs->addTab(page(torqueLayout), QStringLiteral("Torque mode"));
    currentControl = new WCurrentControl;
    currentControl->setMotorBank(0);
    currentPIControl = new WPIControl(QStringLiteral("Current PI control"));
    currentPIControl->setMotorBank(0);
    currentPIControl->setTypes(char(C::CurrentP), char(C::CurrentI));
    torqueLayout->addWidget(currentControl);
    torqueLayout->addWidget(currentPIControl);

    // "Velocity mode"
    QHBoxLayout* velocityLayout;
    mainTabs->addTab(page(velocityLayout), QStringLiteral("Velocity mode"));
    velocityRampControl = createRampControl();
    velocityControl = new WVelocityControl;
    velocityControl->setMotorBank(0);
    velocityControl->setTypes(char(C::ActualVelocity), char(C::TargetVelocity));
    velocityPIControl = new WPIControl(QStringLiteral("Velocity PI control"));
    velocityPIControl->setMotorBank(0);
    velocityPIControl->setTypes(char(C::VelocityP), char(C::VelocityI));
    velocityLayout->addWidget(velocityRampControl);
    velocityLayout->addWidget(velocityControl);
    velocityLayout->addWidget(velocityPIControl);

    // "Positioning mode"
    QHBoxLayout* positioningLayout;
    mainTabs->addTab(page(positioningLayout), QStringLiteral("Positioning mode"));
    positionRampControl = createRampControl();
    positionControl = new WPositionControl;
    positionControl->setMotorBank(0);
    positionControl->setTypes(char(C::ActualPosition), char(C::TargetPosition),
                              char(C::ClearOnNullSecond), char(C::ClearOnNullFirst));
    positionPControl = new WPControl(QStringLiteral("Position P control"));
    positionPControl->setMotorBank(0);
    positionPControl->setType(char(C::PositionP));
    positioningLayout->addWidget(positionRampControl);
    positioningLayout->addWidget(positionControl);
    positioningLayout->addWidget(positionPControl);

    // "ZEVA"
    QHBoxLayout* directLayout;
    mainTabs->addTab(page(directLayout), QStringLiteral("ZEVA"));
    directMode = new WDirectMode;
    directLayout->addWidget(directMode);

    statusFlags = new WFOCStatusFlagsV;
    statusFlags->setMotorBank(0);
    statusFlags->setType(char(C::StatusFlags));

    topRow->addWidget(mainTabs);
    topRow->addWidget(statusFlags);
    topRow->addItem(spacer());
    mainLayout->addLayout(topRow);

    // The blue chart comes first; in "Current" that is the target.
    chartPanels << createChartPanel(QStringLiteral("Velocity"), char(C::ActualVelocity),
                                    QStringLiteral("actual [rpm]"), char(C::RampVelocity),
                                    QStringLiteral("target [rpm]"));
    chartPanels << createChartPanel(QStringLiteral("Position"), char(C::ActualPosition),
                                    QStringLiteral("actual"), char(C::TargetPosition),
                                    QStringLiteral("target"));
    chartPanels << createChartPanel(QStringLiteral("Current"), char(C::TargetCurrent),
                                    QStringLiteral("target"), char(C::ActualCurrent),
                                    QStringLiteral("actual"));

    // Connections, in the order in which the handler's answers reach the panels.
    connect(usbConnectionPanel, &WConnection::openDevice, this, &VURE::openHandler);
    connect(usbConnectionPanel, &WConnection::closeDevice, this, &VURE::closeHandler);
    connect(handler, &H::deviceClosed, usbConnectionPanel, &WConnection::deviceClosed);
    connect(serialConnectionPanel, &WSerialConnection::openDevice, this, &VURE::openSerialHandler);
    connect(serialConnectionPanel, &WSerialConnection::closeDevice, this,
            &VURE::closeSerialHandler);
    for (WVelocityRampControl* ramp : {velocityRampControl, positionRampControl}) {
        connect(ramp, &WValuePanel::requestValue, handler, &H::requestValue);
        connect(ramp, &WValuePanel::changeValue, handler, &H::changeValue);
        connect(handler, &H::requestedValue, ramp, &WVelocityRampControl::requestedValue);
    }
    connect(velocityControl, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(velocityControl, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(handler, &H::requestedValue, velocityControl, &WVelocityControl::requestedValue);
    connect(handler, &H::requestedTraceValue, velocityControl,
            &WVelocityControl::requestedTraceValue);
    connect(positionControl, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(positionControl, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(positionControl, &WPositionControl::doMove, handler, &H::doMove);
    connect(handler, &H::requestedValue, positionControl, &WPositionControl::requestedValue);
    connect(handler, &H::requestedTraceValue, positionControl,
            &WPositionControl::requestedTraceValue);
    connect(currentControl, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(currentControl, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(handler, &H::requestedValue, currentControl, &WCurrentControl::requestedValue);
    connect(handler, &H::requestedTraceValue, currentControl,
            &WCurrentControl::requestedTraceValue);
    connect(motorSettings, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(motorSettings, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(handler, &H::requestedValue, motorSettings, &WMotorSettings::requestedValue);
    connect(encoderSettings, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(encoderSettings, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(handler, &H::requestedValue, encoderSettings, &WEncoderSettings::requestedValue);
    connect(commutationMode, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(commutationMode, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(handler, &H::requestedValue, commutationMode, &WCommutationMode::requestedValue);
    connect(velocityPIControl, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(handler, &H::requestedValue, velocityPIControl, &WPIControl::requestedValue);
    connect(velocityPIControl, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(currentPIControl, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(handler, &H::requestedValue, currentPIControl, &WPIControl::requestedValue);
    connect(currentPIControl, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(positionPControl, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(handler, &H::requestedValue, positionPControl, &WPControl::requestedValue);
    connect(positionPControl, &WValuePanel::changeValue, handler, &H::changeValue);
    connect(directMode, &WDirectMode::doRequest, handler, &H::doRequest);
    connect(handler, &H::requestResult, directMode, &WDirectMode::requestResult);
    connect(traceController, qOverload<char, QList<char>*>(&WTraceController::requestTraceValues),
            handler, &H::requestTraceValues);

    for (WDrawer* chartPanel : chartPanels) {
        connect(handler, &H::requestedTraceValue, chartPanel, &WDrawer::requestedTraceValue);
        connect(traceController, &WTraceController::start, chartPanel, &WDrawer::startDrawing);
        connect(traceController, &WTraceController::stop, chartPanel, &WDrawer::stopDrawing);
        traceController->addTraceTypes(chartPanel->traceTypes());
        chartColumn->addWidget(chartPanel);
    }

    connect(statusFlags, &WValuePanel::requestValue, handler, &H::requestValue);
    connect(handler, &H::requestedValue, statusFlags, &WFOCStatusFlagsV::requestedValue);
    connect(handler, &H::requestedTraceValue, statusFlags, &WFOCStatusFlagsV::requestedTraceValue);

    for (WValuePanel* panel :
         {static_cast<WValuePanel*>(positionControl), static_cast<WValuePanel*>(currentControl),
          static_cast<WValuePanel*>(velocityControl), static_cast<WValuePanel*>(statusFlags)})
        traceController->addTraceTypes(panel->traceTypes());

    // The charts scroll when the screen is too small for all three at a readable height.
    auto* chartArea = new QScrollArea;
    chartArea->setWidgetResizable(true);
    chartArea->setFrameShape(QFrame::NoFrame);
    chartWidget = new QWidget;
    chartWidget->setLayout(chartColumn);
    chartArea->setWidget(chartWidget);
    mainLayout->addWidget(chartArea);
    setLayout(mainLayout);

    refreshOrder = {velocityRampControl, positionRampControl, velocityControl, positionControl,
                    motorSettings,       encoderSettings,     commutationMode, currentControl,
                    velocityPIControl,   currentPIControl,    positionPControl};

    writeTraceList();
}

WDrawer* VURE::createChartPanel(const QString& caption, char firstType, const QString& firstName,
                                char secondType, const QString& secondName)
{
    auto* chartPanel = new WDrawer;
    chartPanel->setCapacity(10000);
    chartPanel->setYAxisCaption(caption);
    chartPanel->addChart(0, firstType, firstName, Qt::blue);
    chartPanel->addChart(0, secondType, secondName, Qt::red);
    return chartPanel;
}

WVelocityRampControl* VURE::createRampControl()
{
    auto* ramp = new WVelocityRampControl(QStringLiteral("Velocity ramp control"));
    ramp->setMotorBank(0);
    ramp->setMaxVelocityLabel(QStringLiteral("Max. velocity [rpm]"));
    ramp->setAccelerationLabel(QStringLiteral("Accel.[rpm/s]"));
    ramp->setTypes(char(AxisParameterCatalogue::MaxRampVelocity),
                   char(AxisParameterCatalogue::Acceleration),
                   char(AxisParameterCatalogue::EnableVelocityRamp));
    return ramp;
}

VURE::~VURE()
{
    delete handler;
}

int VURE::fullHeight() const
{
    const QMargins margins = layout()->contentsMargins();
    return margins.top() + topRowLayout->sizeHint().height() + layout()->spacing() +
           chartWidget->sizeHint().height() + margins.bottom();
}

void VURE::writeTraceList()
{
    // Straight to standard output, not through the message channel.
    const QList<char>& list = *traceController->traceTypes();
    std::printf("TraceCommand->size(): %d\n", int(list.size()));
    std::fflush(stdout);
    for (char type : list) {
        std::printf("TraceCommand: %d\n", int(quint8(type)));
        std::fflush(stdout);
    }
}

void VURE::openHandler(const QString& name)
{
    if (name.isEmpty())
        return;
    handler->setDevice(new SerialUSBDevice(name));
    handler->open();
    updateAllValues();
}

void VURE::closeHandler()
{
    handler->close();
}

void VURE::openSerialHandler(const QString& name, int baudrate, int address)
{
    if (name.isEmpty())
        return;
    Diagnostic() << "baudrate: " << baudrate << "   address: " << address;
    auto* device = new SerialUSBDevice(name);
    device->setBaudRate(baudrate);
    handler->setDevice(device);
    handler->open();
    updateAllValues();
}

void VURE::closeSerialHandler()
{
    handler->close();
}

void VURE::updateAllValues()
{
    for (WValuePanel* panel : refreshOrder)
        panel->updateValues();
}

QString VURE::proposedFileName(const char* suffix)
{
    return QDateTime::currentDateTime().toString(QStringLiteral("./yyyyMMdd_hh.mm.ss_")) +
           QLatin1String(suffix);
}

void VURE::exportSettingsToZEVA()
{
    Diagnostic() << "exporting settings...";
    const QString proposed = proposedFileName("ZEVA_Settings.zev");
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Export settings to ZEVA"),
                                                          proposed, tr("ZEVA Files (*.zev)"));
    Diagnostic() << "export to: " << fileName;
    if (fileName.isEmpty())
        return;
    ScriptExport::exportTo(*handler, fileName);
}

void VURE::exportSettings()
{
    Diagnostic() << "export settings";
    const QString proposed = proposedFileName("Settings.ini");
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Export settings"), proposed,
                                                          tr("Settings files (*.ini)"));
    Diagnostic() << "export to: " << fileName;
    if (fileName.isEmpty())
        return;
    SettingsFile::exportTo(*handler, fileName);
}

void VURE::importSettings()
{
    Diagnostic() << "import settings";
    const QString fileName = QFileDialog::getOpenFileName(
        this, tr("Import settings"), QStringLiteral("./"), tr("Setting files (*.ini)"));
    if (fileName.isEmpty()) {
        Diagnostic() << "importFileName is empty!";
        return;
    }
    Diagnostic() << "importFileName: " << fileName;
    SettingsFile::importFrom(*handler, fileName);
}

StoreRestore::Progress VURE::progressDialog(const QString& text, QProgressDialog& dialog)
{
    dialog.setLabelText(text);
    dialog.setRange(0, StoreRestore::Steps);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setValue(0);
    // Events are handled here, between two steps, never while an exchange is under way.
    return [&dialog](int done) {
        dialog.setValue(done);
        QCoreApplication::processEvents();
        return !dialog.wasCanceled();
    };
}

void VURE::storeActualValues()
{
    QProgressDialog dialog(this);
    StoreRestore::store(*handler,
                        progressDialog(tr("Storing all parameters on the module..."), dialog));
}

void VURE::restoreActualValues()
{
    QProgressDialog dialog(this);
    StoreRestore::restore(*handler,
                          progressDialog(tr("Restoring all parameters on the module..."), dialog));
}
