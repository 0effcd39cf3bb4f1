#include "help/helptexts.h"

#include <QtTest>

class tst_HelpTexts : public QObject
{
    Q_OBJECT

private slots:
    void supportMail_data();
    void supportMail();
    void aboutInformation();
    void operatingSystem_data();
    void operatingSystem();
};

void tst_HelpTexts::supportMail_data()
{
    QTest::addColumn<QString>("subjectStart");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("expected");

    QTest::newRow("mail/English")
        << "Brevane Systems / Tessik support request (from:"
        << "( write here your question... )"
        << "mailto:support@tessik.example?subject=Brevane Systems / Tessik support request "
           "(from: Zoxen Console - 1.2.7.0)&body=( write here your question... )";
    QTest::newRow("mail/French")
        << QString::fromUtf8("Demande d’assistance (depuis :")
        << QString::fromUtf8("( écrivez votre question ici... )")
        << QString::fromUtf8("mailto:support@tessik.example?subject=Demande d’assistance "
                             "(depuis : Zoxen Console - 1.2.7.0)&body=( écrivez votre question "
                             "ici... )");
}

void tst_HelpTexts::supportMail()
{
    QFETCH(QString, subjectStart);
    QFETCH(QString, body);
    QFETCH(QString, expected);
    QCOMPARE(
        supportMailText("support@tessik.example", subjectStart, "Zoxen Console", "1.2.7.0", body),
        expected);
}

void tst_HelpTexts::aboutInformation()
{
    AboutInformation information;
    information.applicationName = "Zoxen Console";
    information.applicationVersion = "1.2.7.0";
    information.copyright = QString::fromUtf8("Copyright © 2026 Brevane Systems / Tessik");
    information.organisationName = "Brevane Systems / Tessik";
    information.organisationDomain = "https://www.tessik.example";
    information.operatingSystem = "debian 12";
    QCOMPARE(aboutInformationText(information),
             QString::fromUtf8("<p>Zoxen Console 1.2.7.0</p>"
                               "<p>Copyright © 2026 Brevane Systems / Tessik</p>"
                               "<p>Brevane Systems / Tessik</p>"
                               "<p><a href=\"https://www.tessik.example\">"
                               "https://www.tessik.example</a></p>"
                               "<p>debian 12</p>"));
}

void tst_HelpTexts::operatingSystem_data()
{
    QTest::addColumn<QString>("maker");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");

    QTest::newRow("system/windows 10") << "Microsoft"
                                       << "windows"
                                       << "10"
                                       << "Microsoft windows 10";
    QTest::newRow("system/debian 12, no maker") << ""
                                                << "debian"
                                                << "12"
                                                << "debian 12";
    QTest::newRow("system/macos 14.5, no maker") << ""
                                                 << "macos"
                                                 << "14.5"
                                                 << "macos 14.5";
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
