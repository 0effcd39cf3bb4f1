#include "app/mainwindow.h"
#include "app/version.h"
#include "consoleidentity.h"
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
#include <QXmlStreamReader>
#include <QtTest>

// The French texts: where they are found, that they are complete, and that what the window
// shows and the Help menu hands on follow the language chosen.
namespace {

const QString fileName = QStringLiteral("LanguageData_fr.qm");
const QString frenchPlayer = QStringLiteral("Lecteur :");
const QString markerPlayer = QStringLiteral("Marker player:");

QString besideExecutable(const QString &subdirectory = QString())
{
    return QDir(QCoreApplication::applicationDirPath() + subdirectory).filePath(fileName);
}
// Where an installed console keeps its language files, relative to its executable.
QString installed()
{
    return besideExecutable(QStringLiteral("/" ZOXEN_INSTALLED_TRANSLATIONS));
}

void trigger(MainWindow &window, const QString &action)
{
    window.findChild<QAction *>(action)->trigger();
}

QString labelText(const MainWindow &window, const char *name)
{
    return window.findChild<QLabel *>(QLatin1String(name))->text();
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

class tst_Languages : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the desktop's browser and mail program.
    void open(const QUrl &url) { m_urls << url; }

private slots:
    void initTestCase();
    // Every test starts in an empty working directory of its own, with the French file.
    void init()
    {
        m_working = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_working->path()));
        QVERIFY(QFile::copy(ZOXEN_FRENCH_QM, QDir::current().filePath(fileName)));
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

void tst_Languages::initTestCase()
{
    setConsoleIdentity();
    for (const char *scheme : {"https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    // A French file that translates only "Player:", to tell which file was loaded.
    QFile source(m_files.filePath("marker.ts"));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                 "<TS version=\"2.1\" language=\"fr_FR\"><context><name>MainWindow</name>"
                 "<message><source>Player:</source><translation>" +
                 markerPlayer.toUtf8() + "</translation></message></context></TS>\n");
    source.close();
    QVERIFY(run(ZOXEN_LRELEASE, {source.fileName(), "-qm", m_files.filePath("marker.qm")}));
}

void tst_Languages::lookUp_data()
{
    // Where the French file and the marker are put; the working directory holds French unless
    // the marker is put there.
    QTest::addColumn<QString>("french");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("player");
    QTest::newRow("working directory first") << "working"
                                             << "beside" << frenchPlayer;
    QTest::newRow("then beside the executable") << "installed"
                                                << "beside" << markerPlayer;
    QTest::newRow("then the installed directory") << ""
                                                  << "installed" << markerPlayer;
}

void tst_Languages::lookUp()
{
    QFETCH(QString, french);
    QFETCH(QString, marker);
    QFETCH(QString, player);
    if (french != "working")
        QVERIFY(QFile::remove(QDir::current().filePath(fileName)));
    const QMap<QString, QString> places{{"beside", besideExecutable()}, {"installed", installed()}};
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

// Refreshing the translation from the sources changes nothing, and every text is translated.
void tst_Languages::everySourceTextTranslated()
{
    const QString original = QStringLiteral(ZOXEN_SOURCE_DIR "/translations/LanguageData_fr.ts");
    const QString refreshed = m_files.filePath("refreshed.ts");
    QFile::remove(refreshed);
    QVERIFY(QFile::copy(original, refreshed));
    QVERIFY(
        run(ZOXEN_LUPDATE, {"-silent", "-locations", "none", "-no-obsolete", "-I", ZOXEN_SOURCE_DIR,
                            "@" ZOXEN_TRANSLATED_FOLDERS_LIST, "-ts", refreshed}));
    QFile file(refreshed);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&file);
    QString source;
    QStringList untranslated;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("source"))
            source = reader.readElementText();
        else if (reader.name() == QLatin1String("translation") &&
                 (!reader.attributes().value("type").isEmpty() ||
                  reader.readElementText().isEmpty()))
            untranslated << source;
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(untranslated, QStringList());
    QFile originalFile(original);
    QVERIFY(originalFile.open(QIODevice::ReadOnly));
    file.seek(0);
    QVERIFY2(file.readAll() == originalFile.readAll(),
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
                            << QStringList{
                                   QString::fromUtf8("( Numéro de port : 65079 )"),
                                   QString::fromUtf8("Demande d’assistance Brevane Systems / "
                                                     "Tessik (envoyée depuis : Zoxen Console - "
                                                     "" ZOXEN_VERSION ")"),
                                   QString::fromUtf8("( écrivez votre question ici... )"),
                                   QString::fromUtf8("À propos de Zoxen Console")};
    QTest::newRow("English after French")
        << QStringList{"action_French", "action_English"}
        << QStringList{"( Port number: 65079 )",
                       "Brevane Systems / Tessik support request (from: Zoxen Console - "
                       "" ZOXEN_VERSION ")",
                       "( write here your question... )", "About Zoxen Console"};
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

    trigger(window, "action_Tessik_Home_Page");
    trigger(window, "action_Contact_Technical_Support");
    QCOMPARE(m_urls.size(), 2);
    QCOMPARE(m_urls.at(0), QUrl("https://www.tessik.example"));
    const QUrl mail = m_urls.at(1);
    QCOMPARE(mail.toString(QUrl::RemoveQuery), "mailto:support@tessik.example");
    // What the mail program receives: spaces and letters outside ASCII percent-encoded.
    QVERIFY2(!mail.toEncoded().contains(' '), mail.toEncoded().constData());
    const QList<QPair<QString, QString>> query{{"subject", texts.at(1)}, {"body", texts.at(2)}};
    QCOMPARE(QUrlQuery(mail).queryItems(QUrl::FullyDecoded), query);

    trigger(window, "action_About");
    QPointer<QDialog> about = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), texts.at(3));
    QVERIFY(about->findChild<QLabel *>("label_Infos")
                ->text()
                .startsWith("<p>Zoxen Console " ZOXEN_VERSION "</p>"));
    about->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY(about.isNull());
}

QTEST_MAIN(tst_Languages)
#include "tst_languages.moc"
