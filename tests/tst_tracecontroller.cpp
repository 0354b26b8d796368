#include "monitor/valuecheckerthread.h"
#include "monitor/wtracecontroller.h"
#include "tests/support/messagecapture.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

class TestTraceController : public QObject
{
    Q_OBJECT

private slots:
    void init() { messages = std::make_unique<MessageCapture>(); }
    void cleanup() { messages.reset(); }

    void traceListStaysUniqueInOrder();
    void delayAfterMinimum();
    void startAndStop();
    void ticksFollowTheDelay();
    void startAfterStopPollsAgain();
    void shutdownWhilePolling();

private:
    static QPushButton* button(WTraceController& c, const char* name)
    {
        return c.findChild<QPushButton*>(name);
    }
    std::unique_ptr<MessageCapture> messages;
};

void TestTraceController::traceListStaysUniqueInOrder()
{
    WTraceController controller;
    QList<char> velocity{3, 13}, position{1, 0}, current{char(155), char(150)},
        more{1, char(150), 3, char(156)};
    for (QList<char>* list : {&velocity, &position, &current, &more})
        controller.addTraceTypes(list);
    QCOMPARE(*controller.traceTypes(), (QList<char>{3, 13, 1, 0, char(155), char(150), char(156)}));
}

void TestTraceController::delayAfterMinimum()
{
    WTraceController controller;
    auto* delay = controller.findChild<QSpinBox*>("sbDelay");
    QCOMPARE(delay->value(), 20);
    QCOMPARE(controller.ticker()->currentDelay(), 100);
    controller.setMinimumDelay(200);
    QCOMPARE(delay->value(), 200);
    QCOMPARE(delay->minimum(), 200);
    QCOMPARE(delay->maximum(), 100000);
    QCOMPARE(controller.ticker()->currentDelay(), 200);
    delay->setValue(1234);
    QCOMPARE(controller.ticker()->currentDelay(), 1234);
}

void TestTraceController::startAndStop()
{
    WTraceController controller;
    controller.setMinimumDelay(100000); // one tick per run: the one at once
    QSignalSpy start(&controller, &WTraceController::start);
    QSignalSpy stop(&controller, &WTraceController::stop);
    QSignalSpy requests(&controller,
                        qOverload<char, QList<char>*>(&WTraceController::requestTraceValues));
    QVERIFY(button(controller, "btnStart")->isEnabled());
    QVERIFY(!button(controller, "btnStop")->isEnabled());

    button(controller, "btnStart")->click();
    QCOMPARE(start.size(), 1);
    QVERIFY(!button(controller, "btnStart")->isEnabled());
    QVERIFY(button(controller, "btnStop")->isEnabled());
    // The first request comes at once, with the controller's own (empty) list.
    QTRY_COMPARE_WITH_TIMEOUT(requests.size(), 1, 5000);
    QCOMPARE(requests.at(0).at(0).value<char>(), char(0));
    QCOMPARE(requests.at(0).at(1).value<QList<char>*>(), controller.traceTypes());

    button(controller, "btnStop")->click();
    QCOMPARE(stop.size(), 1);
    QVERIFY(button(controller, "btnStart")->isEnabled());
    QVERIFY(!button(controller, "btnStop")->isEnabled());
    QTRY_VERIFY(controller.ticker()->isFinished());
    QTest::qWait(50);
    QCOMPARE(requests.size(), 1);
    QVERIFY(messages->count("ValueCheckerThread::start ") == 1);
    QVERIFY(messages->count("ValueCheckerThread::stop ") == 1);
}

void TestTraceController::ticksFollowTheDelay()
{
    WTraceController controller;
    controller.findChild<QSpinBox*>("sbDelay")->setValue(30);
    QSignalSpy requests(&controller,
                        qOverload<char, QList<char>*>(&WTraceController::requestTraceValues));
    button(controller, "btnStart")->click();
    QTRY_VERIFY_WITH_TIMEOUT(requests.size() >= 4, 5000);
    button(controller, "btnStop")->click();
    QTRY_VERIFY(controller.ticker()->isFinished());
    QCoreApplication::processEvents(); // a tick queued before Stop still arrives
    const int after = int(requests.size());
    QTest::qWait(100);
    QCOMPARE(int(requests.size()), after); // no tick after Stop
}

void TestTraceController::startAfterStopPollsAgain()
{
    WTraceController controller;
    controller.setMinimumDelay(100000);
    QSignalSpy requests(&controller,
                        qOverload<char, QList<char>*>(&WTraceController::requestTraceValues));
    button(controller, "btnStart")->click();
    QTRY_COMPARE_WITH_TIMEOUT(requests.size(), 1, 5000);
    // Stop and Start again while the ticker's 100 s sleep has just begun.
    QElapsedTimer timer;
    timer.start();
    button(controller, "btnStop")->click();
    button(controller, "btnStart")->click();
    QTRY_COMPARE_WITH_TIMEOUT(requests.size(), 2, 5000);
    QVERIFY(timer.elapsed() < 5000);
    QVERIFY(controller.ticker()->isRunning());
    button(controller, "btnStop")->click();
}

void TestTraceController::shutdownWhilePolling()
{
    auto controller = std::make_unique<WTraceController>();
    controller->setMinimumDelay(100000);
    button(*controller, "btnStart")->click();
    QTRY_VERIFY(controller->ticker()->isRunning());
    QElapsedTimer timer;
    timer.start();
    controller.reset(); // stops and waits for the ticker instead of leaving it running
    QVERIFY(timer.elapsed() < 5000);
}

QTEST_MAIN(TestTraceController)
#include "tst_tracecontroller.moc"
