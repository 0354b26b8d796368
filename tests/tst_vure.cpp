#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "link/wconnection.h"
#include "link/wserialconnection.h"
#include "panel/vure.h"
#include "sim/virtualmoduleserver.h"
#include "tests/support/messagecapture.h"
#include "tests/support/stdoutcapture.h"
#include "tests/support/wire.h"
#include "widgets/wdirectmode.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

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

private:
    QString port() const { return QString::fromStdString(server->devicePath()); }
    std::unique_ptr<VirtualModuleServer> server;
    std::unique_ptr<StdoutCapture> out;
    std::unique_ptr<VURE> vure;
    std::unique_ptr<MessageCapture> messages;
};

void TestVURE::init()
{
    server = std::make_unique<VirtualModuleServer>();
    QVERIFY(server->start());
    out = std::make_unique<StdoutCapture>();
    vure = std::make_unique<VURE>();
    // The panel installed the real handler; collect the lines instead from here on.
    messages = std::make_unique<MessageCapture>();
}

void TestVURE::cleanup()
{
    messages.reset();
    vure.reset();
    out.reset();
    server.reset();
}

void TestVURE::constructionWritesTraceListAndSendsNothing()
{
    const QList<QByteArray> lines = out->text().split('\n');
    QVERIFY(lines.size() >= 2);
    QVERIFY2(lines[0].startsWith("TraceCommand->size(): "), lines[0]);
    const int size = lines[0].mid(int(strlen("TraceCommand->size(): "))).toInt();
    for (int i = 1; i <= size; ++i)
        QVERIFY(lines[i].startsWith("TraceCommand: "));
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

QTEST_MAIN(TestVURE)
#include "tst_vure.moc"
