#include "connection/linksettings.h"
#include "connection/serialports.h"

#include <QMetaEnum>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

class tst_LinkSettings : public QObject
{
    Q_OBJECT

private slots:
    void serialErrorTexts();
    void baudRatesRefused();
    void host() { QCOMPARE(hostText(10, 20, 30, 4), QString("10.20.30.4")); }
    void portList_data();
    void portList();
    void stableNames();
    void reopenedPort_data();
    void reopenedPort();
    void reconnectDelays();
};

using Ports = QVector<DetectedPort>;
using StableNames = QVector<StableName>;
Q_DECLARE_METATYPE(Ports)
Q_DECLARE_METATYPE(StableNames)

// Each text spells out the name of its error value: "DeviceNotFoundError", "Device not found
// error.". A value missed or moved in the table shifts every text after it.
void tst_LinkSettings::serialErrorTexts()
{
    const QMetaEnum errors = QMetaEnum::fromType<QSerialPort::SerialPortError>();
    for (int i = 0; i < errors.keyCount(); ++i) {
        const QString key = QString::fromLatin1(errors.key(i));
        QString words;
        for (const QChar c : key)
            words += c.isUpper() && !words.isEmpty() ? QString(' ') + c.toLower() : QString(c);
        QCOMPARE(QString::fromLatin1(serialErrorSource(errors.value(i))), words + '.');
    }
    // Past the table, the console keeps its long-standing spelling.
    QCOMPARE(QString::fromLatin1(serialErrorSource(errors.keyCount())), QString("Unkown error."));
    QCOMPARE(QString::fromLatin1(serialErrorSource(-1)), QString("Unkown error."));
}

// Every rate that a model offers is accepted: tst_catalogue.
void tst_LinkSettings::baudRatesRefused()
{
    for (int rate : {0, -1, 300, 14400, 230400, 115201})
        QCOMPARE(acceptedBaudRate(rate), -1);
}

void tst_LinkSettings::portList_data()
{
    QTest::addColumn<Ports>("ports");
    QTest::addColumn<StableNames>("stableNames");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("details");

    const DetectedPort adapter{"ttyUSB0", "/dev/ttyUSB0", "FT232R", "FTDI", "A50285BI"};
    const DetectedPort builtIn{"ttyS0", "/dev/ttyS0", {}, {}, {}};
    const StableName byId{"/dev/serial/by-id/usb-FTDI_A50285BI", "/dev/ttyUSB0"};
    const StableName pty{"/tmp/ports/device", "/dev/pts/3"};
    QTest::newRow("adapter and its stable name")
        << Ports{builtIn, adapter} << StableNames{byId} << QStringList()
        << QStringList{"ttyS0", "ttyUSB0", byId.path}
        << QStringList{
               "", "FT232R\nManufacturer: FTDI\nSerial number: A50285BI\nStable name: " + byId.path,
               "Stable name of ttyUSB0\nFT232R\nManufacturer: FTDI\nSerial number: "
               "A50285BI"};
    QTest::newRow("link to a device not enumerated")
        << Ports{builtIn} << StableNames{pty} << QStringList() << QStringList{"ttyS0", pty.path}
        << QStringList{"", "Stable name of /dev/pts/3"};
    QTest::newRow("typed path kept last")
        << Ports{builtIn} << StableNames() << QStringList{"/dev/pts/7"}
        << QStringList{"ttyS0", "/dev/pts/7"} << QStringList{"", ""};
    QTest::newRow("kept entry listed once")
        << Ports{adapter} << StableNames{byId} << QStringList{byId.path}
        << QStringList{"ttyUSB0", byId.path}
        << QStringList{"FT232R\nManufacturer: FTDI\nSerial number: A50285BI\nStable name: " +
                           byId.path,
                       "Stable name of ttyUSB0\nFT232R\nManufacturer: FTDI\nSerial number: "
                       "A50285BI"};
    QTest::newRow("empty field keeps nothing")
        << Ports() << StableNames() << QStringList{""} << QStringList() << QStringList();
}

void tst_LinkSettings::portList()
{
    QFETCH(Ports, ports);
    QFETCH(StableNames, stableNames);
    QFETCH(QStringList, kept);
    QFETCH(QStringList, names);
    QFETCH(QStringList, details);

    QStringList listedNames;
    QStringList listedDetails;
    for (const PortEntry &entry : portEntries(ports, stableNames, kept)) {
        listedNames << entry.name;
        listedDetails << entry.details;
    }
    QCOMPARE(listedNames, names);
    QCOMPARE(listedDetails, details);
}

// Only links to a device that is there name one; the link itself names its device too.
void tst_LinkSettings::stableNames()
{
    QTemporaryDir directory;
    QVERIFY(QFile::link("/dev/null", directory.filePath("adapter")));
    QVERIFY(QFile::link(directory.filePath("gone"), directory.filePath("dangling")));
    QVERIFY(QFile(directory.filePath("plain")).open(QIODevice::WriteOnly));

    const StableNames names = readStableNames(directory.path());
    QCOMPARE(names, StableNames({{directory.filePath("adapter"), "/dev/null"}}));
    QCOMPARE(stableNameOf("/dev/null", names), directory.filePath("adapter"));
    QCOMPARE(stableNameOf(directory.filePath("adapter"), names), directory.filePath("adapter"));
    QCOMPARE(stableNameOf("/dev/zero", names), QString());
}

void tst_LinkSettings::reopenedPort_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("stableName");
    QTest::addColumn<StableNames>("stableNames");
    QTest::addColumn<bool>("portPresent");
    QTest::addColumn<QString>("reopened");

    const QString byId = "/dev/serial/by-id/usb-FTDI_A50285BI";
    QTest::newRow("plain port back") << "ttyS0"
                                     << "" << StableNames() << true << "ttyS0";
    QTest::newRow("plain port still gone") << "ttyS0"
                                           << "" << StableNames() << false << "";
    QTest::newRow("adapter back at its name")
        << "ttyUSB0" << byId << StableNames{{byId, "/dev/ttyUSB0"}} << true << "ttyUSB0";
    QTest::newRow("adapter back at another name")
        << "ttyUSB0" << byId << StableNames{{byId, "/dev/ttyUSB1"}} << false << "ttyUSB1";
    QTest::newRow("chosen by its stable name")
        << byId << byId << StableNames{{byId, "/dev/ttyUSB1"}} << true << byId;
    QTest::newRow("another adapter took its name")
        << "ttyUSB0" << byId << StableNames{{"/dev/serial/by-id/other", "/dev/ttyUSB0"}} << true
        << "";
    QTest::newRow("link re-pointed at a pseudo-terminal")
        << "/tmp/ports/device"
        << "/tmp/ports/device" << StableNames{{"/tmp/ports/device", "/dev/pts/9"}} << true
        << "/tmp/ports/device";
}

void tst_LinkSettings::reopenedPort()
{
    QFETCH(QString, port);
    QFETCH(QString, stableName);
    QFETCH(StableNames, stableNames);
    QFETCH(bool, portPresent);
    QFETCH(QString, reopened);
    QCOMPARE(reconnectPort(port, stableName, stableNames, portPresent), reopened);
}

// Soon after the loss, then steady and never more than a few seconds apart.
void tst_LinkSettings::reconnectDelays()
{
    QList<int> delays;
    for (int attempt = 0; attempt < 6; ++attempt)
        delays << reconnectDelayMs(attempt);
    QCOMPARE(delays, QList<int>({250, 500, 1000, 2000, 2000, 2000}));
}

QTEST_APPLESS_MAIN(tst_LinkSettings)
#include "tst_linksettings.moc"
