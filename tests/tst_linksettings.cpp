#include "connection/linksettings.h"

#include <QtTest>

class tst_LinkSettings : public QObject
{
    Q_OBJECT

private slots:
    void baudRates_data();
    void baudRates();
    void serialErrorTexts_data();
    void serialErrorTexts();
    void host();
};

void tst_LinkSettings::baudRates_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("accepted");

    for (int rate : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        QTest::addRow("%d accepted", rate) << rate << rate;
    for (int rate : {0, -1, 300, 14400, 230400, 115201})
        QTest::addRow("%d refused", rate) << rate << -1;
}

void tst_LinkSettings::baudRates()
{
    QFETCH(int, rate);
    QFETCH(int, accepted);
    QCOMPARE(acceptedBaudRate(rate), accepted);
}

void tst_LinkSettings::serialErrorTexts_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");

    QTest::newRow("no error") << 0 << "No error.";
    QTest::newRow("device not found") << 1 << "Device not found error.";
    QTest::newRow("permission") << 2 << "Permission error.";
    QTest::newRow("open") << 3 << "Open error.";
    QTest::newRow("read") << 8 << "Read error.";
    QTest::newRow("resource") << 9 << "Resource error.";
    QTest::newRow("unknown") << 11 << "Unknown error.";
    QTest::newRow("not open") << 13 << "Not open error.";
    QTest::newRow("past the table") << 14 << "Unkown error.";
    QTest::newRow("negative") << -1 << "Unkown error.";
}

void tst_LinkSettings::serialErrorTexts()
{
    QFETCH(int, error);
    QFETCH(QString, text);
    QCOMPARE(QString::fromLatin1(serialErrorSource(error)), text);
}

void tst_LinkSettings::host()
{
    QCOMPARE(hostText(10, 0, 0, 5), QString("10.0.0.5"));
    QCOMPARE(hostText(192, 168, 1, 20), QString("192.168.1.20"));
    QCOMPARE(hostText(0, 0, 0, 0), QString("0.0.0.0"));
}

QTEST_APPLESS_MAIN(tst_LinkSettings)
#include "tst_linksettings.moc"
