#include "tests/support/messagecapture.h"
#include "widgets/wcommutationmode.h"
#include "widgets/wcurrentcontrol.h"
#include "widgets/wencodersettings.h"
#include "widgets/wfocstatusflagsv.h"
#include "widgets/wmotorsettings.h"
#include "widgets/wpcontrol.h"
#include "widgets/wpicontrol.h"
#include "widgets/wpositioncontrol.h"
#include "widgets/wvelocitycontrol.h"
#include "widgets/wvelocityrampcontrol.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

// A panel wired to a stand-in for the command handler that confirms every write at once, as
// the module does: the writes it sees are what the panel would put on the wire.
struct Wired
{
    explicit Wired(WValuePanel* panel)
        : panel(panel)
    {
        QObject::connect(panel, &WValuePanel::changeValue, panel, [this](char b, char t, int v) {
            writes << QString("%1:%2=%3").arg(int(b)).arg(quint8(t)).arg(v);
            QMetaObject::invokeMethod(this->panel, "requestedValue", Qt::DirectConnection,
                                      Q_ARG(char, b), Q_ARG(char, t), Q_ARG(int, v));
        });
        QObject::connect(panel, &WValuePanel::requestValue, panel, [this](char b, char t) {
            reads << QString("%1:%2").arg(int(b)).arg(quint8(t));
        });
    }
    void receive(int bank, int type, int value)
    {
        QMetaObject::invokeMethod(panel, "requestedValue", Qt::DirectConnection,
                                  Q_ARG(char, char(bank)), Q_ARG(char, char(type)),
                                  Q_ARG(int, value));
    }
    int spin(const char* name) const { return panel->findChild<QSpinBox*>(name)->value(); }

    WValuePanel* panel;
    QStringList writes;
    QStringList reads;
};

class TestValuePanels : public QObject
{
    Q_OBJECT

private slots:
    void init() { messages = std::make_unique<MessageCapture>(); }
    void cleanup() { messages.reset(); }

    void receivedValues_data();
    void receivedValues();
    void writeOnEdit();
    void refreshOrderAndLine_data();
    void refreshOrderAndLine();
    void rampEnableWritesZeroOrOne();
    void commutationMode();
    void motionButtons();
    void motionDisplays();
    void statusFlags_data();
    void statusFlags();
    void statusFlagsFilterAndType();

private:
    std::unique_ptr<MessageCapture> messages;
};

static std::unique_ptr<WValuePanel> makePanel(const QString& kind)
{
    if (kind == "motor")
        return std::make_unique<WMotorSettings>();
    if (kind == "encoder")
        return std::make_unique<WEncoderSettings>();
    if (kind == "currentPI") {
        auto panel = std::make_unique<WPIControl>("Current PI control");
        panel->setTypes(char(172), char(173));
        return panel;
    }
    if (kind == "positionP") {
        auto panel = std::make_unique<WPControl>("Position P control");
        panel->setType(char(230));
        return panel;
    }
    if (kind == "ramp") {
        auto panel = std::make_unique<WVelocityRampControl>("Velocity ramp control");
        panel->setTypes(4, 11, char(146));
        return panel;
    }
    auto panel = std::make_unique<WPositionControl>();
    panel->setTypes(1, 0, char(161), char(163));
    return panel;
}

void TestValuePanels::receivedValues_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<int>>("received"); // bank, type, value
    QTest::addColumn<QString>("spinBox");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QStringList>("writes");

    QTest::newRow("differing value written back once")
        << "motor" << QList<int>{0, 253, 8} << "sbMotorPoles" << 8 << QStringList{"0:253=8"};
    QTest::newRow("other bank ignored")
        << "motor" << QList<int>{1, 253, 8} << "sbMotorPoles" << 0 << QStringList{};
    QTest::newRow("other type ignored")
        << "motor" << QList<int>{0, 250, 8} << "sbMotorPoles" << 0 << QStringList{};
    QTest::newRow("direction clamped to 1") << "encoder" << QList<int>{0, 251, 5}
                                            << "sbEncoderDirection" << 1 << QStringList{"0:251=1"};
    QTest::newRow("gain clamped") << "currentPI" << QList<int>{0, 172, 600000} << "sbPParameter"
                                  << 500000 << QStringList{"0:172=500000"};
    QTest::newRow("I gain") << "currentPI" << QList<int>{0, 173, 40} << "sbIParameter" << 40
                            << QStringList{"0:173=40"};
    QTest::newRow("velocity I not for current PI")
        << "currentPI" << QList<int>{0, 235, 40} << "sbIParameter" << 0 << QStringList{};
    QTest::newRow("position P") << "positionP" << QList<int>{0, 230, 70} << "sbPParameter" << 70
                                << QStringList{"0:230=70"};
    QTest::newRow("acceleration 0 stays at minimum")
        << "ramp" << QList<int>{0, 11, 0} << "sbAcceleration" << 1 << QStringList{};
    QTest::newRow("max velocity") << "ramp" << QList<int>{0, 4, 3000} << "sbMaxVelocity" << 3000
                                  << QStringList{"0:4=3000"};
    QTest::newRow("target position without write")
        << "position" << QList<int>{0, 0, 1234} << "sbTargetPosition" << 1234 << QStringList{};
}

void TestValuePanels::receivedValues()
{
    QFETCH(QString, kind);
    QFETCH(QList<int>, received);
    QFETCH(QString, spinBox);
    QFETCH(int, shown);
    QFETCH(QStringList, writes);

    auto panel = makePanel(kind);
    Wired wired(panel.get());
    wired.receive(received[0], received[1], received[2]);
    QCOMPARE(wired.spin(qPrintable(spinBox)), shown);
    QCOMPARE(wired.writes, writes);
    // The same value again changes nothing and writes nothing.
    wired.writes.clear();
    wired.receive(received[0], received[1], received[2]);
    QCOMPARE(wired.writes, QStringList{});
}

void TestValuePanels::writeOnEdit()
{
    WEncoderSettings encoder;
    Wired wired(&encoder);
    encoder.findChild<QSpinBox*>("sbEncoderSteps")->setValue(4096);
    encoder.findChild<QSpinBox*>("sbSineInitMode")->stepUp();
    encoder.findChild<QSpinBox*>("sbCommutationOffset")->setValue(17);
    QCOMPARE(wired.writes, (QStringList{"0:250=4096", "0:249=1", "0:165=17"}));

    WPIControl velocityPI("Velocity PI control");
    velocityPI.setTypes(char(234), char(235));
    Wired wiredPI(&velocityPI);
    velocityPI.findChild<QSpinBox*>("sbPParameter")->stepUp();
    QCOMPARE(wiredPI.writes, QStringList{"0:234=10"});
}

void TestValuePanels::refreshOrderAndLine_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("reads");
    QTest::addColumn<QString>("line");
    QTest::newRow("motor") << "motor" << QStringList{"0:253", "0:240", "0:239", "0:6"}
                           << "\"Motor settings\" ::updateValues() ";
    QTest::newRow("encoder") << "encoder" << QStringList{"0:165", "0:249", "0:250", "0:251"}
                             << "\"Encoder settings\" ::updateValues() ";
    QTest::newRow("ramp") << "ramp" << QStringList{"0:4", "0:11", "0:146"}
                          << "\"Velocity ramp control\" ::updateValues() ";
    QTest::newRow("PI") << "currentPI" << QStringList{"0:172", "0:173"}
                        << "\"Current PI control\" ::updateValues() ";
    QTest::newRow("position") << "position" << QStringList{"0:1", "0:0"}
                              << "\"Positioning Control\" ::updateValues() ";
}

void TestValuePanels::refreshOrderAndLine()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, reads);
    QFETCH(QString, line);
    auto panel = makePanel(kind);
    Wired wired(panel.get());
    panel->updateValues();
    QCOMPARE(wired.reads, reads);
    QCOMPARE(messages->lines(), QStringList{line});
}

void TestValuePanels::rampEnableWritesZeroOrOne()
{
    auto panel = makePanel("ramp");
    Wired wired(panel.get());
    auto* enabler = panel->findChild<QGroupBox*>("gbRampEnabler");
    QVERIFY(enabler->isCheckable() && !enabler->isChecked() && enabler->isFlat());
    QVERIFY(!panel->findChild<QSpinBox*>("sbAcceleration")->isEnabled());
    wired.receive(0, 146, 5);
    QVERIFY(enabler->isChecked());
    QVERIFY(panel->findChild<QSpinBox*>("sbAcceleration")->isEnabled());
    enabler->setChecked(false);
    QCOMPARE(wired.writes, (QStringList{"0:146=1", "0:146=0"}));
}

void TestValuePanels::commutationMode()
{
    WCommutationMode panel;
    panel.setType(char(159));
    panel.addMode("FOC (hall sensors)", 6);
    panel.addMode("FOC (encoder)", 7);
    Wired wired(&panel);
    auto* combo = panel.findChild<QComboBox*>("cbCommutationMode");
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->currentText(), QString("FOC (hall sensors)"));

    combo->setCurrentIndex(1);
    QCOMPARE(wired.writes, QStringList{"0:159=7"});
    QCOMPARE(messages->lines(), QStringList{"change commutation mode to:  \"FOC (encoder)\" "});

    messages->clear();
    wired.writes.clear();
    wired.receive(0, 159, 3); // not a mode: selection stays
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(messages->lines(), QStringList{"change commutation mode to:  \"\" "});
    wired.receive(0, 159, 6);
    QCOMPARE(combo->currentText(), QString("FOC (hall sensors)"));
    QCOMPARE(wired.writes, QStringList{"0:159=6"});
    wired.receive(1, 159, 7);
    QCOMPARE(combo->currentIndex(), 0);

    wired.reads.clear();
    messages->clear();
    panel.updateValues();
    QCOMPARE(wired.reads, QStringList{"0:159"});
    QCOMPARE(messages->lines(), QStringList{"WCommutationMode::updateValues() "});
}

void TestValuePanels::motionButtons()
{
    WVelocityControl velocity;
    velocity.setTypes(3, 2);
    Wired v(&velocity);
    auto click = [](QWidget* panel, const char* name) {
        panel->findChild<QPushButton*>(name)->click();
    };
    click(&velocity, "btnLeft"); // target 0
    velocity.findChild<QSpinBox*>("sbTargetVelocity")->setValue(500);
    click(&velocity, "btnRight");
    click(&velocity, "btnLeft");
    click(&velocity, "btnStop");
    QCOMPARE(v.writes, (QStringList{"0:2=0", "0:2=500", "0:2=-500", "0:2=0"}));

    WCurrentControl current;
    Wired c(&current);
    current.findChild<QSpinBox*>("sbTargetCurrent")->setValue(1000);
    click(&current, "btnRight");
    click(&current, "btnLeft");
    click(&current, "btnStop");
    QCOMPARE(c.writes, (QStringList{"0:155=1000", "0:155=-1000", "0:155=0"}));

    auto position = makePanel("position");
    Wired p(position.get());
    QStringList moves;
    connect(static_cast<WPositionControl*>(position.get()), &WPositionControl::doMove, this,
            [&](char b, char cmd, char type, int value) {
                moves << QString("%1:%2:%3=%4").arg(int(b)).arg(int(cmd)).arg(int(type)).arg(value);
            });
    position->findChild<QSpinBox*>("sbActualPosition")->setValue(77);
    click(position.get(), "btnClear");
    QCOMPARE(position->findChild<QSpinBox*>("sbActualPosition")->value(), 0);
    click(position.get(), "btnClearOnNull");
    QCOMPARE(p.writes, (QStringList{"0:1=0", "0:163=1", "0:161=1"}));
    position->findChild<QSpinBox*>("sbTargetPosition")->setValue(-5000);
    click(position.get(), "btnMoveAbsolute");
    position->findChild<QSpinBox*>("sbTargetPosition")->setValue(1000);
    click(position.get(), "btnMoveRelative");
    QCOMPARE(moves, (QStringList{"0:4:0=-5000", "0:4:1=1000"}));
    QCOMPARE(p.writes.size(), 3); // editing the target writes nothing
}

void TestValuePanels::motionDisplays()
{
    WVelocityControl velocity;
    velocity.setTypes(3, 2);
    WCurrentControl current;
    auto position = makePanel("position");
    auto trace = [&](int bank, int type, int value) {
        for (QObject* panel : {static_cast<QObject*>(&velocity), static_cast<QObject*>(&current),
                               static_cast<QObject*>(position.get())})
            QMetaObject::invokeMethod(panel, "requestedTraceValue", Qt::DirectConnection,
                                      Q_ARG(char, char(bank)), Q_ARG(char, char(type)),
                                      Q_ARG(int, value));
    };
    auto shown = [&] {
        return QList<int>{velocity.findChild<QSpinBox*>("sbActualVelocity")->value(),
                          current.findChild<QSpinBox*>("sbActualCurrent")->value(),
                          position->findChild<QSpinBox*>("sbActualPosition")->value(),
                          position->findChild<QSpinBox*>("sbTargetPosition")->value()};
    };
    trace(0, 3, 1500);
    QCOMPARE(shown(), (QList<int>{1500, 0, 0, 0}));
    trace(0, 150, 120000); // clamped by the display
    QCOMPARE(shown(), (QList<int>{1500, 99999, 0, 0}));
    trace(0, 1, -42);
    trace(0, 0, 900); // the target is not a trace value of the panel
    QCOMPARE(shown(), (QList<int>{1500, 99999, -42, 0}));
    trace(1, 3, 7);
    QCOMPARE(shown(), (QList<int>{1500, 99999, -42, 0}));
    QMetaObject::invokeMethod(&velocity, "requestedValue", Qt::DirectConnection, Q_ARG(char, 0),
                              Q_ARG(char, 2), Q_ARG(int, 700));
    QCOMPARE(shown()[0], 1500);
    QCOMPARE(*velocity.traceTypes(), QList<char>{3});
    QCOMPARE(*current.traceTypes(), QList<char>{char(150)});
    QCOMPARE(*position->traceTypes(), QList<char>{1});
}

void TestValuePanels::statusFlags_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<QList<int>>("on");
    QTest::newRow("0") << 0 << QList<int>{};
    QTest::newRow("1") << 1 << QList<int>{0};
    QTest::newRow("64") << 64 << QList<int>{6};
    QTest::newRow("384: bits 7 and 8 have no light") << 384 << QList<int>{};
    QTest::newRow("131072") << 131072 << QList<int>{17};
    QTest::newRow("3584: three modes") << 3584 << QList<int>{9, 10, 11};
    QTest::newRow("-1: all") << -1 << QList<int>{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 14, 15, 17};
}

void TestValuePanels::statusFlags()
{
    QFETCH(int, word);
    QFETCH(QList<int>, on);
    WFOCStatusFlagsV panel;
    panel.setType(char(156));
    // Start from all on, so that lights going off are seen too.
    panel.requestedTraceValue(0, char(156), -1);
    panel.requestedTraceValue(0, char(156), word);
    const QList<int> bits{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 14, 15, 17};
    for (int bit : bits) {
        auto* light = panel.findChild<QRadioButton*>(QString("rbBit%1").arg(bit));
        QVERIFY(!light->isEnabled() && !light->autoExclusive());
        QCOMPARE(light->isChecked(), on.contains(bit));
    }
    QCOMPARE(panel.findChild<QRadioButton*>("rbBit17")->text(), QString::fromUtf8("I²t exceeded"));
}

void TestValuePanels::statusFlagsFilterAndType()
{
    WFOCStatusFlagsV panel;
    panel.setType(char(156));
    QCOMPARE(*panel.traceTypes(), QList<char>{char(156)});
    panel.requestedValue(0, char(150), -1);
    panel.requestedValue(1, char(156), -1);
    QVERIFY(!panel.findChild<QRadioButton*>("rbBit0")->isChecked());
    panel.requestedValue(0, char(156), 1);
    QVERIFY(panel.findChild<QRadioButton*>("rbBit0")->isChecked());
    panel.setType(100);
    QCOMPARE(*panel.traceTypes(), QList<char>{100});
}

QTEST_MAIN(TestValuePanels)
#include "tst_valuepanels.moc"
