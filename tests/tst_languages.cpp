#include "app/mainwindow.h"
#include "app/version.h"
#include "consoleidentity.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

enum class LanguageFile
{
    None,
    French,
    // A French file that translates only "Player:", to tell which file was loaded.
    Marker
};

const QString fileName = QStringLiteral("LanguageData_fr.qm");
const QString frenchPlayer = QStringLiteral("Lecteur :");
const QString markerPlayer = QStringLiteral("Marker player:");
const QString frenchAbout = QString::fromUtf8("À &propos de Zoxen Console");
const QString englishAbout = QStringLiteral("&About Zoxen Console");

bool frenchInstalled()
{
    return QFileInfo::exists(
        QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral(ZOXEN_INSTALLED_TRANSLATIONS "/") + fileName));
}

QString textOf(const MainWindow &window, const char *name)
{
    if (auto *label = window.findChild<QLabel *>(QLatin1String(name)))
        return label->text();
    return window.findChild<QAction *>(QLatin1String(name))->text();
}

void trigger(MainWindow &window, const char *action)
{
    window.findChild<QAction *>(QLatin1String(action))->trigger();
}

// A standard button of Qt's own message boxes.
QString cancelButtonText()
{
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
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

Q_DECLARE_METATYPE(LanguageFile)

class tst_Languages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lookUp_data();
    void lookUp();
    void englishAgainWithoutEnglishFile();
    void aboutActionNamesTheConsoleOnce();
    void runtimeTextsFollowTheLanguage();
    void savedLanguageShownAtStart();
    void defaultFollowsSystem();
    void everySourceTextTranslated();

private:
    static QString besideExecutable();
    static QString inWorkingDirectory();
    void place(LanguageFile file, const QString &target);

    QTemporaryDir m_files;
    bool m_besideExecutable = false;
    std::unique_ptr<QTemporaryDir> m_working;
    QString m_markerFile;
};

void tst_Languages::initTestCase()
{
    setConsoleIdentity();
    QVERIFY(m_files.isValid());
    QVERIFY(QFileInfo::exists(QStringLiteral(ZOXEN_FRENCH_QM)));

    const QString markerSource = m_files.filePath(QStringLiteral("marker.ts"));
    QFile source(markerSource);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                 "<TS version=\"2.1\" language=\"fr_FR\"><context><name>MainWindow</name>"
                 "<message><source>Player:</source><translation>" +
                 markerPlayer.toUtf8() + "</translation></message></context></TS>\n");
    source.close();
    m_markerFile = m_files.filePath(QStringLiteral("marker.qm"));
    QVERIFY(
        run(QStringLiteral(ZOXEN_LRELEASE), {markerSource, QStringLiteral("-qm"), m_markerFile}));
}

// Every test starts in an empty working directory of its own.
void tst_Languages::init()
{
    m_working = std::make_unique<QTemporaryDir>();
    QVERIFY(m_working->isValid());
    QVERIFY(QDir::setCurrent(m_working->path()));
}

// Only what this run put beside the executable is removed: ctest may be running it under
// another locale at the same time, which never puts anything there.
void tst_Languages::cleanup()
{
    if (m_besideExecutable)
        QFile::remove(besideExecutable());
    m_besideExecutable = false;
    QDir::setCurrent(QDir::tempPath());
    m_working.reset();
}

QString tst_Languages::besideExecutable()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
}

void tst_Languages::place(LanguageFile file, const QString &target)
{
    if (file == LanguageFile::French)
        QVERIFY(QFile::copy(QStringLiteral(ZOXEN_FRENCH_QM), target));
    else if (file == LanguageFile::Marker)
        QVERIFY(QFile::copy(m_markerFile, target));
}

QString tst_Languages::inWorkingDirectory()
{
    return QDir::current().filePath(fileName);
}

void tst_Languages::lookUp_data()
{
    QTest::addColumn<LanguageFile>("working");
    QTest::addColumn<LanguageFile>("executable");
    QTest::addColumn<QString>("player");

    QTest::newRow("working directory")
        << LanguageFile::French << LanguageFile::None << frenchPlayer;
    QTest::newRow("executable's directory")
        << LanguageFile::None << LanguageFile::French << frenchPlayer;
    QTest::newRow("working directory before executable's")
        << LanguageFile::Marker << LanguageFile::French << markerPlayer;
    QTest::newRow("working directory before executable's, other way round")
        << LanguageFile::French << LanguageFile::Marker << frenchPlayer;
    // Unless an installed console has left its file where every console looks last.
    QTest::newRow("nowhere") << LanguageFile::None << LanguageFile::None
                             << (frenchInstalled() ? frenchPlayer : QStringLiteral("Player:"));
}

void tst_Languages::lookUp()
{
    QFETCH(LanguageFile, working);
    QFETCH(LanguageFile, executable);
    QFETCH(QString, player);

    QVERIFY(!QFileInfo::exists(besideExecutable()));
    place(working, inWorkingDirectory());
    m_besideExecutable = true;
    place(executable, besideExecutable());
    MainWindow window;
    trigger(window, "action_French");
    QCOMPARE(textOf(window, "label_Player"), player);
}

void tst_Languages::englishAgainWithoutEnglishFile()
{
    place(LanguageFile::French, inWorkingDirectory());
    MainWindow window;
    trigger(window, "action_French");
    QCOMPARE(textOf(window, "label_Player"), frenchPlayer);
    QCOMPARE(textOf(window, "label_Data"), QStringLiteral("Données reçues :"));
    QCOMPARE(textOf(window, "action_About"), frenchAbout);
    QCOMPARE(cancelButtonText(), QStringLiteral("Annuler"));

    trigger(window, "action_English");
    QVERIFY(!QFileInfo::exists(QStringLiteral("LanguageData_en.qm")));
    QCOMPARE(textOf(window, "label_Player"), QStringLiteral("Player:"));
    QCOMPARE(textOf(window, "label_Data"), QStringLiteral("Data Received:"));
    QCOMPARE(textOf(window, "action_About"), englishAbout);
    QCOMPARE(cancelButtonText(), QStringLiteral("Cancel"));
    QVERIFY(window.findChild<QAction *>("action_English")->isChecked());
    QVERIFY(!window.findChild<QAction *>("action_French")->isChecked());
    QVERIFY(!window.findChild<QAction *>("action_Default")->isChecked());
}

// Whatever the switches before, the About action names the console once, in the chosen language.
void tst_Languages::aboutActionNamesTheConsoleOnce()
{
    place(LanguageFile::French, inWorkingDirectory());
    MainWindow window;
    const bool frenchSystem = QLocale::system().language() == QLocale::French;
    QCOMPARE(textOf(window, "action_About"), frenchSystem ? frenchAbout : englishAbout);
    for (const char *language :
         {"French", "French", "English", "English", "Default", "French", "Default", "English"}) {
        trigger(window, qPrintable(QStringLiteral("action_") + language));
        const bool french = language == QLatin1String("French") ||
                            (language == QLatin1String("Default") && frenchSystem);
        QCOMPARE(textOf(window, "action_About"), french ? frenchAbout : englishAbout);
    }
}

void tst_Languages::runtimeTextsFollowTheLanguage()
{
    place(LanguageFile::French, inWorkingDirectory());
    MainWindow window;
    trigger(window, "action_French");
    auto *players = window.findChild<QComboBox *>("comboBox_Player");
    const int network = players->findText(QStringLiteral("Showcaster - SC900 (TCP/IP)"));
    players->setCurrentIndex(network);
    emit players->activated(network);
    const QString frenchPort = QString::fromUtf8("( Numéro de port : 65079 )");
    QCOMPARE(textOf(window, "label_IP_Port"), frenchPort);

    // Written while the window runs, rewritten with the form's texts.
    trigger(window, "action_English");
    QCOMPARE(textOf(window, "label_IP"), QStringLiteral("IP address of the player:"));
    QCOMPARE(textOf(window, "label_IP_Port"), QStringLiteral("( Port number: 65079 )"));
}

void tst_Languages::savedLanguageShownAtStart()
{
    QTemporaryDir dataHome;
    QVERIFY(dataHome.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    const auto restore = qScopeGuard([] { setConsoleIdentity(); });
    const QString directory =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QVERIFY(directory.startsWith(dataHome.path()));
    QVERIFY(QDir().mkpath(directory));
    // Its language line says French; the file ends there.
    QVERIFY(QFile::copy(QStringLiteral(ZOXEN_TEST_DATA "/config/short-5-lines.cfg"),
                        QDir(directory).filePath(QStringLiteral("Zoxen Console.cfg"))));
    place(LanguageFile::French, inWorkingDirectory());

    MainWindow window;
    QCOMPARE(textOf(window, "label_Player"), frenchPlayer);
    QCOMPARE(textOf(window, "action_About"), frenchAbout);
    QCOMPARE(window.windowTitle(), QStringLiteral("Zoxen Console " ZOXEN_VERSION));
}

// ctest runs this one again under French and German locales.
void tst_Languages::defaultFollowsSystem()
{
    place(LanguageFile::French, inWorkingDirectory());
    const bool french = QLocale::system().language() == QLocale::French;
    const QString player = french ? frenchPlayer : QStringLiteral("Player:");

    MainWindow window;
    QVERIFY(window.findChild<QAction *>("action_Default")->isChecked());
    QCOMPARE(textOf(window, "label_Player"), player);
    trigger(window, "action_English");
    trigger(window, "action_Default");
    QCOMPARE(textOf(window, "label_Player"), player);
}

// The translation holds every text of the sources, each translated, and nothing else: refreshing
// it from the sources would change nothing.
void tst_Languages::everySourceTextTranslated()
{
    const QString original = QStringLiteral(ZOXEN_SOURCE_DIR "/translations/LanguageData_fr.ts");
    const QString refreshed = m_files.filePath(QStringLiteral("refreshed.ts"));
    QFile::remove(refreshed);
    QVERIFY(QFile::copy(original, refreshed));
    QStringList arguments = {QStringLiteral("-silent"), QStringLiteral("-locations"),
                             QStringLiteral("none"),    QStringLiteral("-no-obsolete"),
                             QStringLiteral("-I"),      QStringLiteral(ZOXEN_SOURCE_DIR)};
    arguments << QStringLiteral("@" ZOXEN_TRANSLATED_FOLDERS_LIST) << QStringLiteral("-ts")
              << refreshed;
    QVERIFY(run(QStringLiteral(ZOXEN_LUPDATE), arguments));

    QFile file(refreshed);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&file);
    QString context;
    QString source;
    QStringList untranslated;
    QStringList contexts;
    // French puts a space before a colon.
    QStringList colonsWithoutSpace;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("name")) {
            context = reader.readElementText();
            contexts << context;
        } else if (reader.name() == QLatin1String("source")) {
            source = reader.readElementText();
        } else if (reader.name() == QLatin1String("translation")) {
            const bool finished = reader.attributes().value(QLatin1String("type")).isEmpty();
            const QString translation = reader.readElementText();
            if (!finished || translation.isEmpty())
                untranslated << context + QLatin1Char('/') + source;
            if (source.trimmed().endsWith(QLatin1Char(':')) &&
                !translation.trimmed().endsWith(QLatin1String(" :")))
                colonsWithoutSpace << translation;
        }
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(contexts, (QStringList{"MainWindow", "ReceivedDataView", "aboutwindow"}));
    QCOMPARE(untranslated, QStringList());
    QCOMPARE(colonsWithoutSpace, QStringList());

    QFile originalFile(original);
    QVERIFY(originalFile.open(QIODevice::ReadOnly));
    file.seek(0);
    QVERIFY2(file.readAll() == originalFile.readAll(),
             "the translation is not what update_translations makes of the sources");
}

QTEST_MAIN(tst_Languages)
#include "tst_languages.moc"
