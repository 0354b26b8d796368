#include "link/serialusbdevice.h"
#include "link/usbserialportlist.h"
#include "link/wconnection.h"
#include "link/wserialconnection.h"
#include "sim/virtualmoduleserver.h"
#include "tests/support/messagecapture.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class TestConnectionPanels : public QObject
{
    Q_OBJECT

private slots:
    void usbListFromSysfs();
    void usbListWithoutDriver();
    void portNameOf_data();
    void portNameOf();
    void usbConnectAndStates();
    void serialDefaults();
    void serialConnectEmitsRateAndAddress();
    void serialProbeSkipsPortInUse();
};

void TestConnectionPanels::usbListFromSysfs()
{
    const QString root = QFINDTESTDATA("data/sysfs");
    QVERIFY(!root.isEmpty());
    // A one-word product, an empty one (manufacturer instead), none at all ("USB"), and a data
    // interface without a tty, which lists nothing.
    QCOMPARE(UsbSerialPortList::entries(root),
             (QStringList{"ttyACM0   [ORBI Motor Controller]", "ttyACM1   [Controller]",
                          "ttyACM2   [USB]", "ttyACM10   [Acme]"}));

    WConnection panel;
    panel.setSysfsRoot(root);
    panel.updateDeviceList();
    auto* devices = panel.findChild<QComboBox*>("cmbDevices");
    QCOMPARE(devices->count(), 4);
    QSignalSpy open(&panel, &WConnection::openDevice);
    devices->setCurrentIndex(1);
    panel.findChild<QPushButton*>("btnConnect")->click();
    QCOMPARE(open.size(), 1);
    QCOMPARE(open.at(0).at(0).toString(), QString("ttyACM1"));
}

void TestConnectionPanels::usbListWithoutDriver()
{
    QTemporaryDir empty;
    QVERIFY(UsbSerialPortList::entries(empty.path()).isEmpty());
}

void TestConnectionPanels::portNameOf_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::newRow("entry") << "ttyACM0   [ORBI Motor Controller]"
                           << "ttyACM0";
    QTest::newRow("no bracket") << "ttyUSB3"
                                << "ttyUSB3";
    QTest::newRow("typed path") << "/dev/serial/by-id/usb-ORBI_1234-if00"
                                << "/dev/serial/by-id/usb-ORBI_1234-if00";
    QTest::newRow("typed with spaces") << "  /dev/pts/4  "
                                       << "/dev/pts/4";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("bracket without space") << "COM5[x]"
                                           << "COM5[x]";
}

void TestConnectionPanels::portNameOf()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QCOMPARE(UsbSerialPortList::portNameOf(entry), name);
}

void TestConnectionPanels::usbConnectAndStates()
{
    WConnection panel;
    auto* connectButton = panel.findChild<QPushButton*>("btnConnect");
    auto* disconnectButton = panel.findChild<QPushButton*>("btnDisconnect");
    QVERIFY(connectButton->isEnabled());
    QVERIFY(!disconnectButton->isEnabled());
    QCOMPARE(connectButton->text(), QString("Connect"));

    QSignalSpy open(&panel, &WConnection::openDevice);
    QSignalSpy close(&panel, &WConnection::closeDevice);
    // Typed into the editable list.
    panel.findChild<QComboBox*>("cmbDevices")->setEditText("/dev/pts/9");
    connectButton->click();
    QCOMPARE(open.size(), 1);
    QCOMPARE(open.at(0).at(0).toString(), QString("/dev/pts/9"));
    QVERIFY(!connectButton->isEnabled());
    QVERIFY(disconnectButton->isEnabled());

    panel.deviceClosed();
    QVERIFY(connectButton->isEnabled());
    QVERIFY(!disconnectButton->isEnabled());
    QCOMPARE(close.size(), 0);

    connectButton->click();
    disconnectButton->click();
    QCOMPARE(close.size(), 1);
    QVERIFY(connectButton->isEnabled());
    QVERIFY(!disconnectButton->isEnabled());
}

void TestConnectionPanels::serialDefaults()
{
    WSerialConnection panel;
    auto* rates = panel.findChild<QComboBox*>("cmbBaudrates");
    QStringList items;
    for (int i = 0; i < rates->count(); ++i)
        items << rates->itemText(i);
    QCOMPARE(items, (QStringList{"4800", "9600", "14400", "19200", "38400", "57600", "115200"}));
    QCOMPARE(rates->currentText(), QString("9600"));
    auto* address = panel.findChild<QSpinBox*>("sbAddress");
    QCOMPARE(address->value(), 1);
    QCOMPARE(address->minimum(), 0);
    QCOMPARE(address->maximum(), 255);
    QVERIFY(panel.findChild<QPushButton*>("btnConnect")->isEnabled());
    QVERIFY(!panel.findChild<QPushButton*>("btnDisconnect")->isEnabled());
}

void TestConnectionPanels::serialConnectEmitsRateAndAddress()
{
    WSerialConnection panel;
    QSignalSpy open(&panel, &WSerialConnection::openDevice);
    QSignalSpy close(&panel, &WSerialConnection::closeDevice);
    panel.findChild<QComboBox*>("cmbDevices")->setEditText("ttyUSB0");
    panel.findChild<QComboBox*>("cmbBaudrates")->setCurrentText("115200");
    panel.findChild<QSpinBox*>("sbAddress")->setValue(255);
    panel.findChild<QPushButton*>("btnConnect")->click();
    QCOMPARE(open.size(), 1);
    QCOMPARE(open.at(0), (QVariantList{"ttyUSB0", 115200, 255}));
    QVERIFY(!panel.findChild<QPushButton*>("btnConnect")->isEnabled());
    panel.findChild<QPushButton*>("btnDisconnect")->click();
    QCOMPARE(close.size(), 1);

    panel.connectToPort("/dev/pts/7", 230400);
    QCOMPARE(open.size(), 2);
    QCOMPARE(open.at(1), (QVariantList{"/dev/pts/7", 230400, 255}));
}

void TestConnectionPanels::serialProbeSkipsPortInUse()
{
    VirtualModuleServer first, second;
    QVERIFY(first.start() && second.start());
    QTemporaryDir dir;
    QVERIFY(QFile::link(QString::fromStdString(first.devicePath()), dir.filePath("ttyUSB0")));
    QVERIFY(QFile::link(QString::fromStdString(second.devicePath()), dir.filePath("ttyS3")));
    QCOMPARE(WSerialConnection::probePorts(dir.path()),
             (QStringList{dir.filePath("ttyS3"), dir.filePath("ttyUSB0")}));

    MessageCapture quiet;
    SerialUSBDevice inUse(dir.filePath("ttyUSB0"));
    QVERIFY(inUse.open(QIODevice::ReadWrite));
    WSerialConnection panel;
    panel.setDeviceDirectory(dir.path());
    panel.updateDeviceList();
    auto* devices = panel.findChild<QComboBox*>("cmbDevices");
    QCOMPARE(devices->count(), 1);
    QCOMPARE(devices->itemText(0), dir.filePath("ttyS3"));
}

QTEST_MAIN(TestConnectionPanels)
#include "tst_connectionpanels.moc"
