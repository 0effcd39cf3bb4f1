#include "connection/linksettings.h"

#include <QMetaEnum>
#include <QSerialPort>
#include <QtTest>

class tst_LinkSettings : public QObject
{
    Q_OBJECT

private slots:
    void serialErrorTexts();
    void baudRatesRefused();
    void host() { QCOMPARE(hostText(10, 20, 30, 4), QString("10.20.30.4")); }
};

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

QTEST_APPLESS_MAIN(tst_LinkSettings)
#include "tst_linksettings.moc"
