#include "help/helptexts.h"

#include <QtTest>

// The mail and the about dialog's texts are checked through the window in tst_help; only the
// maker's name, shown on Windows alone, cannot be reached there.
class tst_HelpTexts : public QObject
{
    Q_OBJECT

private slots:
    void operatingSystem_data();
    void operatingSystem();
};

void tst_HelpTexts::operatingSystem_data()
{
    QTest::addColumn<QString>("maker");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *name, const char *maker, const char *type, const char *version,
                        const char *expected) {
        QTest::newRow(name) << QString(maker) << QString(type) << QString(version)
                            << QString(expected);
    };
    row("system/windows 10", "Microsoft", "windows", "10", "Microsoft windows 10");
    row("system/debian 12, no maker", "", "debian", "12", "debian 12");
    row("system/macos 14.5, no maker", "", "macos", "14.5", "macos 14.5");
}

void tst_HelpTexts::operatingSystem()
{
    QFETCH(QString, maker);
    QFETCH(QString, type);
    QFETCH(QString, version);
    QFETCH(QString, expected);
    QCOMPARE(operatingSystemText(maker, type, version), expected);
}

QTEST_GUILESS_MAIN(tst_HelpTexts)
#include "tst_helptexts.moc"
