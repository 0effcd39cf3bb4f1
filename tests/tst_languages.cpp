#include "app/version.h"
#include "consoleidentity.h"
#include "testtable.h"
#include "windowdriver.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

// The French texts: where they are found, that they are complete, and that what the window
// shows and the Help menu hands on follow the language chosen.
namespace {

const QString fileName = QStringLiteral("LanguageData_fr.qm");
const QString frenchPlayer = QStringLiteral("Lecteur :");

void trigger(MainWindow &window, const QString &action)
{
    window.findChild<QAction *>(action)->trigger();
}

QString labelText(const QObject &window, const char *name)
{
    return window.findChild<QLabel *>(QLatin1String(name))->text();
}

} // namespace

class tst_Languages : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the desktop's browser and mail program.
    void open(const QUrl &url) { m_urls << url; }

private slots:
    void initTestCase()
    {
        setConsoleIdentity();
        for (const char *scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
        // A French file that translates only "Player:", to tell which file was loaded.
        QVERIFY(writeFile(m_files.filePath("marker.ts"),
                          "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS "
                          "version=\"2.1\" language=\"fr_FR\"><context><name>MainWindow</name>"
                          "<message><source>Player:</source><translation>Marker player:"
                          "</translation></message></context></TS>\n"));
        QCOMPARE(QProcess::execute(ZOXEN_LRELEASE, {m_files.filePath("marker.ts"), "-qm",
                                                    m_files.filePath("marker.qm")}),
                 0);
    }
    // Every test starts in an empty working directory of its own, with the French file.
    void init()
    {
        m_working = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_working->path()));
        QVERIFY(QFile::copy(ZOXEN_FRENCH_QM, fileName));
        m_urls.clear();
    }
    // Only what this run placed is removed: ctest may be running it under another locale at
    // the same time, which never places anything.
    void cleanup()
    {
        for (const QString &placed : qAsConst(m_placed))
            QFile::remove(placed);
        m_placed.clear();
        QDir::setCurrent(QDir::tempPath());
    }
    void lookUp_data();
    void lookUp();
    void everySourceTextTranslated();
    void defaultFollowsSystem();
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();

private:
    std::unique_ptr<QTemporaryDir> m_working;
    QTemporaryDir m_files;
    QStringList m_placed;
    QList<QUrl> m_urls;
};

void tst_Languages::lookUp_data()
{
    // Where the French file and the marker are put, beside the executable or where an installed
    // console keeps them; the working directory holds French unless French is put elsewhere.
    QTest::addColumn<QString>("french");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("player");
    const auto row = [](const char *name, const char *french, const char *marker,
                        const QString &player) {
        QTest::newRow(name) << french << marker << player;
    };
    row("working directory first", "working", "beside", frenchPlayer);
    row("then beside the executable", "installed", "beside", "Marker player:");
    row("then the installed directory", "", "installed", "Marker player:");
}

void tst_Languages::lookUp()
{
    QFETCH(QString, french);
    QFETCH(QString, marker);
    QFETCH(QString, player);
    if (french != "working")
        QVERIFY(QFile::remove(fileName));
    const QString executable = QCoreApplication::applicationDirPath() + '/';
    const QMap<QString, QString> places{
        {"beside", executable + fileName},
        {"installed", executable + ZOXEN_INSTALLED_TRANSLATIONS "/" + fileName}};
    for (const auto &[place, file] : {std::pair(french, QString(ZOXEN_FRENCH_QM)),
                                      std::pair(marker, m_files.filePath("marker.qm"))}) {
        if (!places.contains(place))
            continue;
        QVERIFY(!QFileInfo::exists(places[place]));
        QVERIFY(QDir().mkpath(QFileInfo(places[place]).path()));
        m_placed << places[place];
        QVERIFY(QFile::copy(file, places[place]));
    }
    MainWindow window;
    trigger(window, "action_French");
    QCOMPARE(labelText(window, "label_Player"), player);
}

// Every text of the sources is translated, and refreshing the translation changes nothing.
void tst_Languages::everySourceTextTranslated()
{
    const QString original = QStringLiteral(ZOXEN_SOURCE_DIR "/translations/LanguageData_fr.ts");
    const QString refreshed = m_files.filePath("refreshed.ts");
    QFile::remove(refreshed);
    QVERIFY(QFile::copy(original, refreshed));
    QCOMPARE(
        QProcess::execute(ZOXEN_LUPDATE,
                          {"-silent", "-locations", "none", "-no-obsolete", "-I", ZOXEN_SOURCE_DIR,
                           "@" ZOXEN_TRANSLATED_FOLDERS_LIST, "-ts", refreshed}),
        0);
    const QByteArray translation = fileContent(refreshed);
    QVERIFY(!translation.contains("type=\"unfinished\"") &&
            !translation.contains("></translation>"));
    QVERIFY2(translation == fileContent(original),
             "the translation is not what update_translations makes of the sources");
}

// ctest runs this one again under French and German locales.
void tst_Languages::defaultFollowsSystem()
{
    const QString player =
        QLocale::system().language() == QLocale::French ? frenchPlayer : QString("Player:");
    MainWindow window;
    QVERIFY(window.findChild<QAction *>("action_Default")->isChecked());
    QCOMPARE(labelText(window, "label_Player"), player);
    trigger(window, "action_English");
    trigger(window, "action_Default");
    QCOMPARE(labelText(window, "label_Player"), player);
}

void tst_Languages::textsFollowTheLanguage_data()
{
    QTest::addColumn<QStringList>("chosen");
    // The port label, written while the window runs, the support mail's subject and body, and
    // the about box's title.
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("French") << QStringList{"action_French"}
                            << QString::fromUtf8("( Numéro de port : 65079 )|Demande d’assistance "
                                                 "Brevane Systems / Tessik (envoyée depuis : Zoxen "
                                                 "Console - " ZOXEN_VERSION ")|( écrivez votre "
                                                 "question ici... )|À propos de Zoxen Console")
                                   .split('|');
    QTest::newRow("English after French")
        << QStringList{"action_French", "action_English"}
        << QString("( Port number: 65079 )|Brevane Systems / Tessik support request (from: Zoxen "
                   "Console - " ZOXEN_VERSION ")|( write here your question... )|About Zoxen "
                   "Console")
               .split('|');
}

void tst_Languages::textsFollowTheLanguage()
{
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, texts);
    MainWindow window;
    chooseModel(window, modelIndex("Showcaster - SC900 (TCP/IP)"));
    for (const QString &action : qAsConst(chosen))
        trigger(window, action);
    QCOMPARE(labelText(window, "label_IP_Port"), texts.at(0));
    // The menu entry names the console once, as the box's title does.
    QCOMPARE(window.findChild<QAction *>("action_About")->text().remove('&'), texts.at(3));

    trigger(window, "action_Tessik_Home_Page");
    trigger(window, "action_Contact_Technical_Support");
    QCOMPARE(m_urls.size(), 2);
    QCOMPARE(m_urls.at(0), QUrl("https://www.tessik.example"));
    // What the mail program receives: spaces and letters outside ASCII percent-encoded.
    QVERIFY2(!m_urls.at(1).toEncoded().contains(' '), m_urls.at(1).toEncoded().constData());
    QCOMPARE(m_urls.at(1).toString(QUrl::RemoveQuery), "mailto:support@tessik.example");
    const QList<QPair<QString, QString>> query{{"subject", texts.at(1)}, {"body", texts.at(2)}};
    QCOMPARE(QUrlQuery(m_urls.at(1)).queryItems(QUrl::FullyDecoded), query);

    trigger(window, "action_About");
    QPointer<QDialog> about = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), texts.at(3));
    QVERIFY(labelText(*about, "label_Infos").startsWith("<p>Zoxen Console " ZOXEN_VERSION "</p>"));
    about->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY(about.isNull());
}

QTEST_MAIN(tst_Languages)
#include "tst_languages.moc"
