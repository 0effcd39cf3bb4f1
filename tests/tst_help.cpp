#include "app/mainwindow.h"
#include "app/version.h"
#include "consoleidentity.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

// Stands in for the desktop's browser and mail program.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

namespace {

void trigger(MainWindow &window, const char *action)
{
    window.findChild<QAction *>(QLatin1String(action))->trigger();
}

QDialog *shownAboutDialog()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->objectName() == QLatin1String("aboutwindow") && window->isVisible())
            return qobject_cast<QDialog *>(window);
    }
    return nullptr;
}

} // namespace

class tst_Help : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void homePage();
    void supportMail_data();
    void supportMail();
    void aboutDialog_data();
    void aboutDialog();

private:
    // The French file sits in the working directory, for the rows that choose French.
    QTemporaryDir m_working;
    UrlCatcher m_desktop;
};

void tst_Help::initTestCase()
{
    setConsoleIdentity();
    QVERIFY(m_working.isValid());
    QVERIFY(QFile::copy(QStringLiteral(ZOXEN_FRENCH_QM), m_working.filePath("LanguageData_fr.qm")));
    QVERIFY(QDir::setCurrent(m_working.path()));
    for (const char *scheme : {"https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_desktop, "open");
}

void tst_Help::cleanupTestCase()
{
    for (const char *scheme : {"https", "mailto"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    QDir::setCurrent(QDir::tempPath());
}

void tst_Help::init()
{
    m_desktop.urls.clear();
}

void tst_Help::homePage()
{
    MainWindow window;
    trigger(window, "action_Tessik_Home_Page");
    QCOMPARE(m_desktop.urls, QList<QUrl>{QUrl(QStringLiteral("https://www.tessik.example"))});
}

void tst_Help::supportMail_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");

    QTest::newRow("English")
        << QByteArray("action_English")
        << "Brevane Systems / Tessik support request (from: Zoxen Console - " ZOXEN_VERSION ")"
        << "( write here your question... )";
    QTest::newRow("French") << QByteArray("action_French")
                            << QString::fromUtf8("Demande d’assistance Brevane Systems / Tessik "
                                                 "(envoyée depuis : Zoxen Console - " ZOXEN_VERSION
                                                 ")")
                            << QString::fromUtf8("( écrivez votre question ici... )");
}

void tst_Help::supportMail()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, subject);
    QFETCH(QString, body);

    MainWindow window;
    trigger(window, language.constData());
    trigger(window, "action_Contact_Technical_Support");
    QCOMPARE(m_desktop.urls.size(), 1);
    const QUrl url = m_desktop.urls.first();
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(), QStringLiteral("support@tessik.example"));
    // What the mail program receives: spaces and letters outside ASCII percent-encoded.
    const QByteArray encoded = url.toEncoded();
    QVERIFY2(!encoded.contains(' '), encoded.constData());
    const QList<QPair<QString, QString>> items = {{"subject", subject}, {"body", body}};
    QCOMPARE(QUrlQuery(url).queryItems(QUrl::FullyDecoded), items);
}

void tst_Help::aboutDialog_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("title");

    QTest::newRow("English") << QByteArray("action_English") << "About Zoxen Console";
    QTest::newRow("French") << QByteArray("action_French")
                            << QString::fromUtf8("À propos de Zoxen Console");
}

void tst_Help::aboutDialog()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, title);

    MainWindow window;
    trigger(window, language.constData());
    trigger(window, "action_About");
    QPointer<QDialog> dialog = shownAboutDialog();
    QVERIFY(dialog);
    QVERIFY(!dialog->parent());
    QCOMPARE(dialog->windowTitle(), title);
    // Qt adds the window type and the title bar that a close button needs, and nothing else.
    QCOMPARE(dialog->windowFlags(), Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowCloseButtonHint);
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), dialog.data());

    auto *information = dialog->findChild<QLabel *>("label_Infos");
    QVERIFY(information);
    QCOMPARE(information->text(),
             QString::fromUtf8("<p>Zoxen Console " ZOXEN_VERSION "</p>"
                               "<p>Copyright © 2026 Brevane Systems / Tessik</p>"
                               "<p>Brevane Systems / Tessik</p>"
                               "<p><a href=\"https://www.tessik.example\">"
                               "https://www.tessik.example</a></p><p>") +
                 QSysInfo::productType() + QLatin1Char(' ') + QSysInfo::productVersion() +
                 QStringLiteral("</p>"));
    QVERIFY(information->openExternalLinks());
    const QPixmap logo = dialog->findChild<QLabel *>("label")->pixmap(Qt::ReturnByValue);
    QCOMPARE(logo.size() / logo.devicePixelRatio(), QSize(96, 96));

    dialog->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY(dialog.isNull());
}

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
