#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "sim/virtualmoduleserver.h"
#include "tests/support/messagecapture.h"
#include "tests/support/wire.h"
#include "widgets/wdirectmode.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class TestWDirectMode : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void sendAndShowReply_data();
    void sendAndShowReply();
    void twoSends();
    void noReplyKeepsFields();

private:
    int reply(const char* name) { return panel->findChild<QSpinBox*>(name)->value(); }
    void set(const char* name, int value) { panel->findChild<QSpinBox*>(name)->setValue(value); }

    std::unique_ptr<MessageCapture> messages;
    std::unique_ptr<VirtualModuleServer> server;
    std::unique_ptr<SerialUSBCommandHandler> handler;
    std::unique_ptr<WDirectMode> panel;
};

void TestWDirectMode::init()
{
    messages = std::make_unique<MessageCapture>();
    server = std::make_unique<VirtualModuleServer>();
    QVERIFY(server->start());
    handler = std::make_unique<SerialUSBCommandHandler>();
    handler->setDevice(new SerialUSBDevice(QString::fromStdString(server->devicePath())));
    handler->open();
    panel = std::make_unique<WDirectMode>();
    connect(panel.get(), &WDirectMode::doRequest, handler.get(),
            &SerialUSBCommandHandler::doRequest);
    connect(handler.get(), &SerialUSBCommandHandler::requestResult, panel.get(),
            &WDirectMode::requestResult);
}

void TestWDirectMode::cleanup()
{
    panel.reset();
    handler.reset();
    server.reset();
    messages.reset();
}

void TestWDirectMode::form()
{
    QCOMPARE(panel->windowTitle(), QString("Form"));
    // At most the form's 385 x 223, unless the desktop font needs more.
    QCOMPARE(panel->maximumSize(), QSize(385, 223).expandedTo(panel->sizeHint()));
    QCOMPARE(panel->findChild<QGroupBox*>("gbDirectMode")->title(), QString("Direct ZEVA control"));
    QCOMPARE(panel->findChild<QGroupBox*>("gbRequest")->title(), QString("Request"));
    QCOMPARE(panel->findChild<QGroupBox*>("gbReply")->title(), QString("Reply"));
    QCOMPARE(panel->findChild<QPushButton*>("btnSend")->text(), QString("Send"));
    QCOMPARE(panel->findChild<QPushButton*>("btnSend")->maximumWidth(), 60);
    for (const char* side : {"Request", "Reply"}) {
        const QString s = side;
        QCOMPARE(panel->findChild<QLabel*>("lbl" + s + "MotorBank")->text(), QString("Motor/Bank"));
        QCOMPARE(panel->findChild<QLabel*>("lbl" + s + "Type")->alignment(), Qt::AlignCenter);
        for (const char* field : {"Command", "Type", "MotorBank"}) {
            auto* box = panel->findChild<QSpinBox*>("sb" + s + field);
            QCOMPARE(box->minimum(), 0);
            QCOMPARE(box->maximum(), 255);
            QCOMPARE(box->value(), 0);
            QCOMPARE(box->isEnabled(), s == "Request");
        }
        auto* value = panel->findChild<QSpinBox*>("sb" + s + "Value");
        QCOMPARE(value->minimum(), -2147483647);
        QCOMPARE(value->maximum(), 2147483647);
    }
}

void TestWDirectMode::sendAndShowReply_data()
{
    QTest::addColumn<QList<int>>("request"); // command, type, bank, value
    QTest::addColumn<QString>("wire");
    QTest::addColumn<QList<int>>("shown"); // command, status ("Type"), bank, value

    QTest::newRow("all zero") << QList<int>{0, 0, 0, 0} << "01 00 00 00 00 00 00 00 01"
                              << QList<int>{0, 2, 0, 0};
    QTest::newRow("read motor poles")
        << QList<int>{6, 253, 0, 0} << "01 06 FD 00 00 00 00 00 04" << QList<int>{6, 100, 0, 8};
    QTest::newRow("bank 200 echoed")
        << QList<int>{5, 140, 200, -2147483647} << "01 05 8C C8 80 00 00 01 DB"
        << QList<int>{5, 100, 200, -2147483647};
    QTest::newRow("command 200 unknown")
        << QList<int>{200, 1, 0, 1} << "01 C8 01 00 00 00 00 01 CB" << QList<int>{200, 2, 0, 0};
}

void TestWDirectMode::sendAndShowReply()
{
    QFETCH(QList<int>, request);
    QFETCH(QString, wire);
    QFETCH(QList<int>, shown);

    set("sbRequestCommand", request[0]);
    set("sbRequestType", request[1]);
    set("sbRequestMotorBank", request[2]);
    set("sbRequestValue", request[3]);
    QTest::mouseClick(panel->findChild<QPushButton*>("btnSend"), Qt::LeftButton);

    QCOMPARE(server->receivedFrames().size(), std::size_t(1));
    QCOMPARE(hexOf(server->receivedFrames().at(0)), wire);
    QCOMPARE(reply("sbReplyCommand"), shown[0]);
    QCOMPARE(reply("sbReplyType"), shown[1]);
    QCOMPARE(reply("sbReplyMotorBank"), shown[2]);
    QCOMPARE(reply("sbReplyValue"), shown[3]);
}

void TestWDirectMode::twoSends()
{
    set("sbRequestCommand", 6);
    set("sbRequestType", 4);
    panel->findChild<QPushButton*>("btnSend")->click();
    server->module().setParameter(0, 4, 4321);
    panel->findChild<QPushButton*>("btnSend")->click();
    const auto frames = server->receivedFrames();
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(hexOf(frames[0]), hexOf(frames[1]));
    QCOMPARE(reply("sbReplyValue"), 4321);
}

void TestWDirectMode::noReplyKeepsFields()
{
    set("sbRequestCommand", 6);
    set("sbRequestType", 253);
    panel->findChild<QPushButton*>("btnSend")->click();
    QCOMPARE(reply("sbReplyValue"), 8);
    handler->close();
    set("sbRequestType", 4);
    panel->findChild<QPushButton*>("btnSend")->click();
    QCOMPARE(reply("sbReplyValue"), 8);
    QCOMPARE(reply("sbReplyType"), 100);
}

QTEST_MAIN(TestWDirectMode)
#include "tst_wdirectmode.moc"
