#include "monitor/chart.h"
#include "monitor/drawer.h"
#include "monitor/wdrawer.h"
#include "monitor/wgraphcontroller.h"
#include "tests/support/messagecapture.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

class TestWDrawer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void graphControllerForm();
    void scrollRangeFollowsCapacityAndWidth();
    void chartsAndTraceTypes();
    void scaleFeedbackAndManualBounds();
    void resolutionAndClear();
    void drawingFollowsStartStop();

private:
    std::unique_ptr<MessageCapture> messages;
    std::unique_ptr<WDrawer> panel;
};

void TestWDrawer::init()
{
    messages = std::make_unique<MessageCapture>();
    panel = std::make_unique<WDrawer>();
    panel->setCapacity(10000);
    panel->setYAxisCaption("Velocity");
    panel->addChart(0, 3, "actual [rpm]", Qt::blue);
    panel->addChart(0, 13, "target [rpm]", Qt::red);
}

void TestWDrawer::cleanup()
{
    panel.reset();
    messages.reset();
}

void TestWDrawer::graphControllerForm()
{
    WGraphController controls;
    auto* max = controls.findChild<QSpinBox*>("sbMax");
    auto* min = controls.findChild<QSpinBox*>("sbMin");
    auto* resolution = controls.findChild<QSpinBox*>("sbResolution");
    QCOMPARE(max->value(), 4000);
    QCOMPARE(min->value(), 0);
    QCOMPARE(max->singleStep(), 100);
    QCOMPARE(min->minimum(), -2147483647);
    QVERIFY(!max->isEnabled() && !min->isEnabled());
    QCOMPARE(resolution->minimum(), 1);
    QCOMPARE(resolution->maximum(), 100000);
    QCOMPARE(resolution->singleStep(), 10);
    QVERIFY(controls.findChild<QRadioButton*>("btnScaleDynamic")->isChecked());
    QVERIFY(!controls.findChild<QRadioButton*>("btnSysTick")->isEnabled());
    QVERIFY(controls.findChild<QRadioButton*>("btnSamples")->isChecked());
    QCOMPARE(controls.findChild<QPushButton*>("btnClearCharts")->text(), QString("Clear charts"));
}

void TestWDrawer::scrollRangeFollowsCapacityAndWidth()
{
    QScrollBar* scroll = panel->scrollBar();
    QCOMPARE(scroll->minimum(), 0);
    QCOMPARE(scroll->maximum(), 9999);
    QCOMPARE(scroll->value(), 9999);
    panel->canvas()->setFixedSize(620, 200); // the panel's layout keeps it so
    panel->canvas()->grab();
    QCOMPARE(scroll->minimum(), 500);
    QCOMPARE(scroll->maximum(), 9999);
}

void TestWDrawer::chartsAndTraceTypes()
{
    panel->addChart(0, 3, "again", Qt::green);
    QCOMPARE(*panel->traceTypes(), (QList<char>{3, 13}));
    const auto& charts = panel->canvas()->charts();
    QCOMPARE(int(charts.size()), 3);
    QCOMPARE(charts[0]->capacity(), 10000);
    QCOMPARE(charts[1]->color(), QColor(Qt::red));
    panel->requestedTraceValue(0, 3, 77);
    panel->requestedTraceValue(0, 1, 5); // no chart for it
    QCOMPARE(charts[0]->values(), QList<double>{77});
    QCOMPARE(charts[2]->values(), QList<double>{77});
    QVERIFY(charts[1]->values().isEmpty());
}

void TestWDrawer::scaleFeedbackAndManualBounds()
{
    WGraphController* controls = panel->graphController();
    auto* max = controls->findChild<QSpinBox*>("sbMax");
    auto* min = controls->findChild<QSpinBox*>("sbMin");
    panel->requestedTraceValue(0, 3, 1500);
    panel->canvas()->setFixedSize(400, 200);
    panel->canvas()->grab();
    // The boxes show the bounds in use.
    QCOMPARE(max->value(), 1501);
    QCOMPARE(min->value(), 0);

    controls->findChild<QRadioButton*>("btnScaleManually")->click();
    QVERIFY(max->isEnabled() && min->isEnabled());
    QVERIFY(!controls->findChild<QRadioButton*>("btnScaleDynamic")->isChecked());
    max->setValue(500);
    min->setValue(-500);
    QCOMPARE(panel->canvas()->maximum(), 500);
    QCOMPARE(panel->canvas()->minimum(), -500);
    QVERIFY(!panel->canvas()->isDynamic());
    panel->canvas()->grab();
    QCOMPARE(panel->canvas()->maximum(), 500);

    controls->findChild<QRadioButton*>("btnScaleDynamic")->click();
    QVERIFY(!max->isEnabled() && !min->isEnabled());
    panel->canvas()->grab();
    QCOMPARE(panel->canvas()->maximum(), 1501);
    QCOMPARE(min->value(), 0);
}

void TestWDrawer::resolutionAndClear()
{
    for (int i = 0; i < 100; ++i)
        panel->requestedTraceValue(0, 13, i);
    panel->graphController()->findChild<QSpinBox*>("sbResolution")->setValue(10);
    // Resolution 10 plots the 10th, 20th, ... sample back from the newest (99): 90, 80, ... 0;
    // the last lies on the axis and is left out.
    panel->canvas()->setFixedSize(400, 200);
    const QImage image = panel->canvas()->grab().toImage();
    int dots = 0;
    for (int x = 345; x < 395; ++x) { // right of the legend text
        for (int y = 21; y < 185; ++y) {
            if (image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 60) {
                ++dots;
                break;
            }
        }
    }
    QCOMPARE(dots, 9);
    panel->graphController()->findChild<QPushButton*>("btnClearCharts")->click();
    for (const auto& chart : panel->canvas()->charts())
        QVERIFY(chart->values().isEmpty());
}

void TestWDrawer::drawingFollowsStartStop()
{
    panel->startDrawing();
    QVERIFY(panel->canvas()->isDrawing());
    panel->stopDrawing();
    QVERIFY(!panel->canvas()->isDrawing());
    QCOMPARE(messages->lines(), (QStringList{"WDrawer::startDrawing ", "Starting Drawer... ",
                                             "WDrawer::stopDrawing ", "Stopping Drawer... "}));
}

QTEST_MAIN(TestWDrawer)
#include "tst_wdrawer.moc"
