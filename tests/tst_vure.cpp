#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "link/wconnection.h"
#include "link/wserialconnection.h"
#include "monitor/chart.h"
#include "monitor/drawer.h"
#include "monitor/valuecheckerthread.h"
#include "monitor/wdrawer.h"
#include "monitor/wgraphcontroller.h"
#include "monitor/wtracecontroller.h"
#include "panel/vure.h"
#include "sim/virtualmodule.h"
#include "sim/virtualmoduleserver.h"
#include "tests/support/messagecapture.h"
#include "tests/support/stdoutcapture.h"
#include "tests/support/wire.h"
#include "widgets/wdirectmode.h"
#include "widgets/wfocstatusflagsv.h"
#include "widgets/wpositioncontrol.h"
#include "widgets/wvelocityrampcontrol.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

// The central panel assembled, against a virtual module on a pseudo-terminal.
class TestVURE : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void constructionWritesTraceListAndSendsNothing();
    void tabs();
    void emptyNameIgnored();
    void serialOpenLineAndAddressOne();
    void usbConnectionStatesFollowLink();
    void directCommandThroughPanel();
    void connectReadsEveryPanel();
    void rampPanelsKeepInStep();
    void motionButtonsOnTheWire();
    void pollingFeedsPanelsAndCharts();
    void clearChartsOfOnePanelOnly();
    void closingWhilePolling();
    void restoreShowsRestoredValues();
    void fileDialogs_data();
    void fileDialogs();

private:
    QString port() const { return QString::fromStdString(server->devicePath()); }
    std::unique_ptr<VirtualModuleServer> server;
    QByteArray startupOutput;
    std::unique_ptr<VURE> vure;
    std::unique_ptr<MessageCapture> messages;
};

void TestVURE::init()
{
    server = std::make_unique<VirtualModuleServer>();
    QVERIFY(server->start());
    {
        StdoutCapture out;
        vure = std::make_unique<VURE>();
        startupOutput = out.text();
    }
    // The panel installed the real handler; collect the lines instead from here on.
    messages = std::make_unique<MessageCapture>();
}

void TestVURE::cleanup()
{
    messages.reset();
    vure.reset();
    server.reset();
}

void TestVURE::constructionWritesTraceListAndSendsNothing()
{
    QCOMPARE(startupOutput, QByteArray("TraceCommand->size(): 7\n"
                                       "TraceCommand: 3\n"
                                       "TraceCommand: 13\n"
                                       "TraceCommand: 1\n"
                                       "TraceCommand: 0\n"
                                       "TraceCommand: 155\n"
                                       "TraceCommand: 150\n"
                                       "TraceCommand: 156\n"));
    QVERIFY(server->receivedFrames().empty());
    QVERIFY(!vure->commandHandler()->isDeviceOpen());
    QVERIFY(!vure->commandHandler()->currentDevice());
}

void TestVURE::tabs()
{
    const QList<QTabWidget*> tabWidgets = vure->findChildren<QTabWidget*>();
    QTabWidget* main = nullptr;
    QTabWidget* connection = nullptr;
    for (QTabWidget* tabs : tabWidgets)
        (tabs->count() == 6 ? main : connection) = tabs;
    QVERIFY(main && connection);
    QStringList titles;
    for (int i = 0; i < main->count(); ++i)
        titles << main->tabText(i);
    QCOMPARE(titles, (QStringList{"Connection", "Settings", "Torque mode", "Velocity mode",
                                  "Positioning mode", "ZEVA"}));
    QCOMPARE(connection->tabText(0), QString("USB"));
    QCOMPARE(connection->tabText(1), QString("Serial"));
    QCOMPARE(main->minimumWidth(), 500);
    QCOMPARE(main->maximumWidth(), 900);
    QCOMPARE(main->maximumHeight(), 300);
    QCOMPARE(connection->maximumHeight(), 200);
    QVERIFY(main->widget(0)->isAncestorOf(connection));
    QVERIFY(main->widget(5)->isAncestorOf(vure->findChild<WDirectMode*>()));
}

void TestVURE::emptyNameIgnored()
{
    vure->openHandler("");
    vure->openSerialHandler("", 9600, 1);
    QVERIFY(!vure->commandHandler()->currentDevice());
    QVERIFY(messages->lines().isEmpty());
}

void TestVURE::serialOpenLineAndAddressOne()
{
    vure->openSerialHandler(port(), 9600, 5);
    QCOMPARE(messages->lines().value(0), QString("baudrate:  9600    address:  5 "));
    QCOMPARE(messages->lines().value(1), "opening usb device:  \"" + port() + "\" ");
    QVERIFY(vure->commandHandler()->isDeviceOpen());
    vure->commandHandler()->requestValue(0, 4);
    const auto frames = server->receivedFrames();
    QVERIFY(!frames.empty());
    for (const auto& frame : frames)
        QCOMPARE(int(frame[0]), 1);
}

void TestVURE::usbConnectionStatesFollowLink()
{
    WConnection* usb = vure->usbConnection();
    auto* connectButton = usb->findChild<QPushButton*>("btnConnect");
    auto* disconnectButton = usb->findChild<QPushButton*>("btnDisconnect");
    usb->connectToPort(port());
    QVERIFY(vure->commandHandler()->isDeviceOpen());
    QVERIFY(!connectButton->isEnabled());

    disconnectButton->click();
    QVERIFY(!vure->commandHandler()->isDeviceOpen());
    QVERIFY(connectButton->isEnabled());
    QVERIFY(messages->contains("closing usb device:"));

    // A module that stops answering closes the link and resets the buttons.
    connectButton->click();
    QVERIFY(!connectButton->isEnabled());
    VirtualModuleServer::Faults silent;
    silent.silent = true;
    server->setFaults(silent);
    vure->commandHandler()->requestValue(0, 3);
    QVERIFY(connectButton->isEnabled());
    QVERIFY(!disconnectButton->isEnabled());

    // Closing either way is the same close.
    connectButton->click();
    vure->closeSerialHandler();
    QVERIFY(!vure->commandHandler()->isDeviceOpen());
}

void TestVURE::directCommandThroughPanel()
{
    vure->usbConnection()->connectToPort(port());
    server->clearReceivedFrames();
    auto* direct = vure->findChild<WDirectMode*>();
    direct->findChild<QSpinBox*>("sbRequestCommand")->setValue(6);
    direct->findChild<QSpinBox*>("sbRequestType")->setValue(253);
    direct->findChild<QPushButton*>("btnSend")->click();
    QCOMPARE(hexOf(server->receivedFrames().at(0)), QString("01 06 FD 00 00 00 00 00 04"));
    QCOMPARE(direct->findChild<QSpinBox*>("sbReplyValue")->value(), 8);
    QCOMPARE(direct->findChild<QSpinBox*>("sbReplyType")->value(), 100);
}

static QStringList framesOfCommand(const std::vector<zeva::Frame>& frames, int command)
{
    QStringList result;
    for (const auto& frame : frames)
        if (frame[1] == command)
            result
                << QString("%1:%2=%3").arg(frame[3]).arg(frame[2]).arg(zeva::valueOf(frame.data()));
    return result;
}

void TestVURE::connectReadsEveryPanel()
{
    vure->usbConnection()->connectToPort(port());
    QStringList reads;
    for (const QString& read : framesOfCommand(server->receivedFrames(), 6))
        reads << read.section('=', 0, 0);
    QCOMPARE(reads,
             (QStringList{"0:4",   "0:11",  "0:146", "0:4",   "0:11",  "0:146", "0:3",   "0:1",
                          "0:0",   "0:253", "0:240", "0:239", "0:6",   "0:165", "0:249", "0:250",
                          "0:251", "0:159", "0:150", "0:234", "0:235", "0:172", "0:173", "0:230"}));
    // The only other frames are write-backs of values that differed from the fresh panels,
    // each with the module's own value.
    const QStringList writes = framesOfCommand(server->receivedFrames(), 5);
    QVERIFY(!writes.isEmpty());
    for (const QString& write : writes) {
        const int type = write.section(':', 1).section('=', 0, 0).toInt();
        QCOMPARE(write.section('=', 1).toInt(), VirtualModule::defaultValue(type));
        QVERIFY2(VirtualModule::defaultValue(type) != 0 || type == 146, qPrintable(write));
    }
    QCOMPARE(int(server->receivedFrames().size()), 24 + int(writes.size()));

    // Connected again, the panels already show the module's values: reads only.
    vure->usbConnection()->findChild<QPushButton*>("btnDisconnect")->click();
    server->clearReceivedFrames();
    vure->usbConnection()->findChild<QPushButton*>("btnConnect")->click();
    QCOMPARE(framesOfCommand(server->receivedFrames(), 6).size(), 24);
    QCOMPARE(framesOfCommand(server->receivedFrames(), 5), QStringList{});
}

void TestVURE::rampPanelsKeepInStep()
{
    vure->usbConnection()->connectToPort(port());
    server->clearReceivedFrames();
    const auto ramps = vure->findChildren<WVelocityRampControl*>();
    QCOMPARE(ramps.size(), 2);
    ramps[0]->findChild<QSpinBox*>("sbMaxVelocity")->setValue(3000);
    QCOMPARE(framesOfCommand(server->receivedFrames(), 5), (QStringList{"0:4=3000", "0:4=3000"}));
    QCOMPARE(ramps[1]->findChild<QSpinBox*>("sbMaxVelocity")->value(), 3000);
    QCOMPARE(server->module().parameter(0, 4), 3000);

    server->clearReceivedFrames();
    ramps[1]->findChild<QGroupBox*>("gbRampEnabler")->setChecked(false);
    QCOMPARE(framesOfCommand(server->receivedFrames(), 5), (QStringList{"0:146=0", "0:146=0"}));
    QVERIFY(!ramps[0]->findChild<QGroupBox*>("gbRampEnabler")->isChecked());
}

void TestVURE::motionButtonsOnTheWire()
{
    vure->usbConnection()->connectToPort(port());
    server->clearReceivedFrames();
    auto* position = vure->findChild<WPositionControl*>();
    position->findChild<QPushButton*>("btnClearOnNull")->click();
    position->findChild<QSpinBox*>("sbTargetPosition")->setValue(-5000);
    position->findChild<QPushButton*>("btnMoveAbsolute")->click();
    const auto frames = server->receivedFrames();
    QCOMPARE(frames.size(), std::size_t(3));
    QCOMPARE(hexOf(frames[0]), QString("01 05 A3 00 00 00 00 01 AA"));
    QCOMPARE(hexOf(frames[1]), QString("01 05 A1 00 00 00 00 01 A8"));
    QCOMPARE(hexOf(frames[2]), QString("01 04 00 00 FF FF EC 78 67"));
    QCOMPARE(messages->lines().last(), QString("reply:  \"-5000\" "));
    QCOMPARE(server->module().parameter(0, 0), -5000);
}

void TestVURE::pollingFeedsPanelsAndCharts()
{
    vure->usbConnection()->connectToPort(port());
    server->module().setParameter(0, 1, 4321);
    server->clearReceivedFrames();
    auto* trace = vure->findChild<WTraceController*>();
    trace->findChild<QPushButton*>("btnStart")->click();
    for (WDrawer* chartPanel : vure->charts())
        QVERIFY(chartPanel->canvas()->isDrawing());
    QTRY_VERIFY_WITH_TIMEOUT(vure->charts()[1]->canvas()->charts()[0]->values().size() >= 2, 5000);
    trace->findChild<QPushButton*>("btnStop")->click();
    QTRY_VERIFY(trace->ticker()->isFinished());
    QCoreApplication::processEvents();
    for (WDrawer* chartPanel : vure->charts())
        QVERIFY(!chartPanel->canvas()->isDrawing());

    // Every tick reads the seven traced parameters, in order.
    QStringList reads;
    for (const QString& read : framesOfCommand(server->receivedFrames(), 6))
        reads << read.section('=', 0, 0);
    QVERIFY(reads.size() >= 14 && reads.size() % 7 == 0);
    QCOMPARE(reads.mid(0, 7),
             (QStringList{"0:3", "0:13", "0:1", "0:0", "0:155", "0:150", "0:156"}));
    QCOMPARE(framesOfCommand(server->receivedFrames(), 5), QStringList{});
    QCOMPARE(vure->charts()[1]->canvas()->charts()[0]->values().first(), 4321.0);
    QCOMPARE(
        vure->findChild<WPositionControl*>()->findChild<QSpinBox*>("sbActualPosition")->value(),
        4321);
    auto* flags = vure->findChild<WFOCStatusFlagsV*>();
    QVERIFY(flags->findChild<QRadioButton*>("rbBit15")->isChecked());
    QVERIFY(flags->findChild<QRadioButton*>("rbBit9")->isChecked());
}

void TestVURE::clearChartsOfOnePanelOnly()
{
    for (WDrawer* chartPanel : vure->charts())
        for (char type : *chartPanel->traceTypes())
            chartPanel->requestedTraceValue(0, type, 5);
    vure->charts()[0]->graphController()->findChild<QPushButton*>("btnClearCharts")->click();
    for (const auto& chart : vure->charts()[0]->canvas()->charts())
        QVERIFY(chart->values().isEmpty());
    for (int i = 1; i < 3; ++i)
        for (const auto& chart : vure->charts()[i]->canvas()->charts())
            QCOMPARE(chart->values().size(), 1);
    QCOMPARE(vure->charts()[0]->scrollBar()->maximum(), 9999);
}

void TestVURE::closingWhilePolling()
{
    vure->usbConnection()->connectToPort(port());
    auto* trace = vure->findChild<WTraceController*>();
    trace->findChild<QPushButton*>("btnStart")->click();
    QTRY_VERIFY(trace->ticker()->isRunning());
    vure.reset(); // the ticker is stopped and waited for: no abort
    QVERIFY(true);
}

void TestVURE::restoreShowsRestoredValues()
{
    vure->usbConnection()->connectToPort(port());
    server->module().setParameter(0, 253, 14);
    vure->storeActualValues(); // the module keeps 14 as its stored motor poles
    server->module().setParameter(0, 253, 8);
    vure->commandHandler()->requestValue(0, char(253));
    auto* poles = vure->findChild<QSpinBox*>("sbMotorPoles");
    QCOMPARE(poles->value(), 8);
    server->clearReceivedFrames();
    vure->restoreActualValues();
    QCOMPARE(poles->value(), 14);
    QCOMPARE(server->module().parameter(0, 253), 14);
    QCOMPARE(framesOfCommand(server->receivedFrames(), 8).size(), 256);
}

void TestVURE::fileDialogs_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("proposedSuffix");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("export ini") << "exportSettings"
                                << "Export settings"
                                << "Settings files (*.ini)"
                                << "_Settings.ini"
                                << QStringList{"export settings ", "export to:  \"\" "};
    QTest::newRow("import ini") << "importSettings"
                                << "Import settings"
                                << "Setting files (*.ini)"
                                << ""
                                << QStringList{"import settings ", "importFileName is empty! "};
    QTest::newRow("script") << "exportSettingsToZEVA"
                            << "Export settings to ZEVA"
                            << "ZEVA Files (*.zev)"
                            << "_ZEVA_Settings.zev"
                            << QStringList{"exporting settings... ", "export to:  \"\" "};
}

void TestVURE::fileDialogs()
{
    QFETCH(QString, slot);
    QFETCH(QString, caption);
    QFETCH(QString, filter);
    QFETCH(QString, proposedSuffix);
    QFETCH(QStringList, lines);
    vure->usbConnection()->connectToPort(port());
    messages->clear();
    server->clearReceivedFrames();
    QString seenCaption, seenFilter, seenName;
    QTimer::singleShot(0, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
                seenCaption = dialog->windowTitle();
                seenFilter = dialog->selectedNameFilter();
                seenName = dialog->selectedFiles().value(0);
                dialog->reject(); // cancelled
            }
        }
    });
    QMetaObject::invokeMethod(vure.get(), qPrintable(slot));
    QCOMPARE(seenCaption, caption);
    QCOMPARE(seenFilter, filter);
    if (!proposedSuffix.isEmpty()) {
        // ./yyyyMMdd_hh.mm.ss_ in the working directory
        QVERIFY2(QRegularExpression("/\\d{8}_\\d\\d\\.\\d\\d\\.\\d\\d" +
                                    QRegularExpression::escape(proposedSuffix) + "$")
                     .match(seenName)
                     .hasMatch(),
                 qPrintable(seenName));
    }
    QCOMPARE(messages->lines(QtDebugMsg), lines);
    QVERIFY(server->receivedFrames().empty());
}

QTEST_MAIN(TestVURE)
#include "tst_vure.moc"
