#include "panel/vure.h"

#include "link/diagnostic.h"
#include "link/messagehandler.h"
#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "link/wconnection.h"
#include "link/wserialconnection.h"
#include "monitor/wtracecontroller.h"
#include "widgets/wdirectmode.h"

#include <QBoxLayout>
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
    qInstallMessageHandler(messageHandler);

    handler = new SerialUSBCommandHandler;

    auto* mainLayout = new QVBoxLayout;
    auto* topRow = new QHBoxLayout;
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
    auto* settingsColumn = new QVBoxLayout;
    auto* traceRow = new QHBoxLayout;
    traceController = new WTraceController;
    traceController->setMinimumDelay(200);
    settingsLayout->addLayout(settingsColumn);
    traceRow->addItem(spacer());
    traceRow->addWidget(traceController);
    traceRow->addItem(spacer());
    settingsColumn->addLayout(traceRow);

    // "Torque mode"
    QHBoxLayout* torqueLayout;
    mainTabs->addTab(page(torqueLayout), QStringLiteral("Torque mode"));

    // "Velocity mode"
    QHBoxLayout* velocityLayout;
    mainTabs->addTab(page(velocityLayout), QStringLiteral("Velocity mode"));

    // "Positioning mode"
    QHBoxLayout* positioningLayout;
    mainTabs->addTab(page(positioningLayout), QStringLiteral("Positioning mode"));

    // "ZEVA"
    QHBoxLayout* directLayout;
    mainTabs->addTab(page(directLayout), QStringLiteral("ZEVA"));
    directMode = new WDirectMode;
    directLayout->addWidget(directMode);

    topRow->addWidget(mainTabs);
    topRow->addItem(spacer());
    mainLayout->addLayout(topRow);

    // Connections, in the order the link relies on.
    connect(usbConnectionPanel, &WConnection::openDevice, this, &VURE::openHandler);
    connect(usbConnectionPanel, &WConnection::closeDevice, this, &VURE::closeHandler);
    connect(handler, &SerialUSBCommandHandler::deviceClosed, usbConnectionPanel,
            &WConnection::deviceClosed);
    connect(serialConnectionPanel, &WSerialConnection::openDevice, this, &VURE::openSerialHandler);
    connect(serialConnectionPanel, &WSerialConnection::closeDevice, this,
            &VURE::closeSerialHandler);
    connect(directMode, &WDirectMode::doRequest, handler, &SerialUSBCommandHandler::doRequest);
    connect(handler, &SerialUSBCommandHandler::requestResult, directMode,
            &WDirectMode::requestResult);
    connect(traceController, qOverload<char, QList<char>*>(&WTraceController::requestTraceValues),
            handler, &SerialUSBCommandHandler::requestTraceValues);

    mainLayout->addLayout(chartColumn);
    setLayout(mainLayout);

    writeTraceList();
}

VURE::~VURE()
{
    delete handler;
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

void VURE::updateAllValues() {}

void VURE::exportSettingsToZEVA() {}

void VURE::exportSettings() {}

void VURE::importSettings() {}

void VURE::storeActualValues() {}

void VURE::restoreActualValues() {}
