#include "panel/axisparametercatalogue.h"
#include "widgets/wcurrentcontrol.h"
#include "widgets/wencodersettings.h"
#include "widgets/wmotorsettings.h"
#include "widgets/wpicontrol.h"
#include "widgets/wpositioncontrol.h"
#include "widgets/wvelocitycontrol.h"
#include "widgets/wvelocityrampcontrol.h"

#include <QSet>
#include <QSpinBox>
#include <QTest>

using C = AxisParameterCatalogue;

class TestAxisParameterCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void settingsFileOrder();
    void scriptOrder();
    void namesAndNumbersUnique();
    void formsUseCatalogueRanges_data();
    void formsUseCatalogueRanges();
};

void TestAxisParameterCatalogue::settingsFileOrder()
{
    QStringList rows;
    for (const C::Entry* e : C::settingsFileOrder())
        rows << QString("%1 %2/%3").arg(e->number).arg(e->group, e->key);
    QCOMPARE(rows, (QStringList{
                       "253 motor_and_module_settings/MotorPoles",
                       "6 motor_and_module_settings/MaxCurrent",
                       "177 motor_and_module_settings/StartCurrent",
                       "240 motor_and_module_settings/MotorCoilResistance",
                       "239 motor_and_module_settings/BEMFConstant",
                       "250 encoder_settings/EncoderSteps",
                       "251 encoder_settings/EncoderDirection",
                       "249 encoder_settings/InitSineMode",
                       "165 encoder_settings/EncoderCommutationOffset",
                       "254 encoder_settings/HallSensorInvert",
                       "4 motion_settings/MaxRampVelocity",
                       "11 motion_settings/Acceleration",
                       "146 motion_settings/EnableVelocityRamp",
                       "7 motion_settings/TargetReachedVelocity",
                       "10 motion_settings/TargetReachedDistance",
                       "172 current_PID_values/P",
                       "173 current_PID_values/I",
                       "234 velocity_PID_values/P",
                       "235 velocity_PID_values/I",
                       "230 position_PID_values/P",
                   }));
}

void TestAxisParameterCatalogue::scriptOrder()
{
    const auto script = C::scriptOrder();
    const auto file = C::settingsFileOrder();
    QCOMPARE(script.size(), file.size() + 1);
    for (std::size_t i = 0; i < file.size(); ++i)
        QCOMPARE(script[i], file[i]);
    QCOMPARE(script.back()->number, 159);
    QCOMPARE(QString(script.back()->comment), QString("\t// commutation mode"));
    QVERIFY(!script.back()->key); // never in the settings file
    QCOMPARE(QString(C::find(253)->comment), QString("\t// motor poles"));
    QCOMPARE(QString(C::find(249)->comment), QString("\t// init encoder mode"));
}

void TestAxisParameterCatalogue::namesAndNumbersUnique()
{
    QSet<int> numbers;
    QSet<QString> names;
    for (const C::Entry& e : C::entries()) {
        QVERIFY(!numbers.contains(e.number));
        QVERIFY(!names.contains(e.name));
        numbers.insert(e.number);
        names.insert(e.name);
        QCOMPARE(C::find(e.number), &e);
        QCOMPARE(C::findByName(e.name), &e);
    }
    QVERIFY(!C::find(5));
    QVERIFY(!C::findByName("P"));
    // 13 is only ever traced.
    QCOMPARE(int(C::find(13)->role), int(C::Role::Live));
    QVERIFY(!C::find(13)->key && !C::find(13)->comment);
}

void TestAxisParameterCatalogue::formsUseCatalogueRanges_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("spinBox");
    QTest::addColumn<int>("number");
    QTest::newRow("motor poles") << "motor"
                                 << "sbMotorPoles" << 253;
    QTest::newRow("max current") << "motor"
                                 << "sbMaxCurrent" << 6;
    QTest::newRow("coil resistance") << "motor"
                                     << "sbCoilResistance" << 240;
    QTest::newRow("BEMF") << "motor"
                          << "sbBEMFConstant" << 239;
    QTest::newRow("encoder steps") << "encoder"
                                   << "sbEncoderSteps" << 250;
    QTest::newRow("encoder direction") << "encoder"
                                       << "sbEncoderDirection" << 251;
    QTest::newRow("sine init") << "encoder"
                               << "sbSineInitMode" << 249;
    QTest::newRow("comm offset") << "encoder"
                                 << "sbCommutationOffset" << 165;
    QTest::newRow("P gain") << "pi"
                            << "sbPParameter" << 172;
    QTest::newRow("I gain") << "pi"
                            << "sbIParameter" << 173;
    QTest::newRow("max velocity") << "ramp"
                                  << "sbMaxVelocity" << 4;
    QTest::newRow("acceleration") << "ramp"
                                  << "sbAcceleration" << 11;
    QTest::newRow("target velocity") << "velocity"
                                     << "sbTargetVelocity" << 2;
    QTest::newRow("actual velocity") << "velocity"
                                     << "sbActualVelocity" << 3;
    QTest::newRow("target current") << "current"
                                    << "sbTargetCurrent" << 155;
    QTest::newRow("actual current") << "current"
                                    << "sbActualCurrent" << 150;
    QTest::newRow("target position") << "position"
                                     << "sbTargetPosition" << 0;
    QTest::newRow("actual position") << "position"
                                     << "sbActualPosition" << 1;
}

void TestAxisParameterCatalogue::formsUseCatalogueRanges()
{
    QFETCH(QString, panel);
    QFETCH(QString, spinBox);
    QFETCH(int, number);

    std::unique_ptr<QWidget> widget;
    if (panel == "motor")
        widget = std::make_unique<WMotorSettings>();
    else if (panel == "encoder")
        widget = std::make_unique<WEncoderSettings>();
    else if (panel == "pi")
        widget = std::make_unique<WPIControl>("x");
    else if (panel == "ramp")
        widget = std::make_unique<WVelocityRampControl>("x");
    else if (panel == "velocity")
        widget = std::make_unique<WVelocityControl>();
    else if (panel == "current")
        widget = std::make_unique<WCurrentControl>();
    else
        widget = std::make_unique<WPositionControl>();
    auto* box = widget->findChild<QSpinBox*>(spinBox);
    QVERIFY(box);
    const C::Entry* entry = C::find(number);
    QVERIFY(entry && entry->hasRange);
    QCOMPARE(box->minimum(), entry->minimum);
    QCOMPARE(box->maximum(), entry->maximum);
    if (entry->step > 0) {
        QCOMPARE(box->singleStep(), entry->step);
        QVERIFY(!box->testAttribute(Qt::WA_ForceDisabled));
    } else {
        QVERIFY(box->testAttribute(Qt::WA_ForceDisabled)); // display only
    }
}

QTEST_MAIN(TestAxisParameterCatalogue)
#include "tst_axisparametercatalogue.moc"
