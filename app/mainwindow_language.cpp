#include "app/mainwindow.h"
#include "app/widgetgroups.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Where Qt keeps its own texts' translations.
QString qtTranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

const QString languageFilePrefix = QStringLiteral("LanguageData_");
const QLocale localeEnglish(QLocale::English, QLocale::AnyCountry);
const QLocale localeFrench(QLocale::French, QLocale::AnyCountry);

// The translators belong to the application object, which installs them for every window:
// made on first use, found again by name.
QTranslator &applicationTranslator(const QString &name)
{
    auto *translator =
        QCoreApplication::instance()->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly);
    if (!translator) {
        translator = new QTranslator(QCoreApplication::instance());
        translator->setObjectName(name);
    }
    return *translator;
}

QTranslator &translator()
{
    return applicationTranslator(QStringLiteral("consoleTexts"));
}

// Qt's own texts, such as the standard buttons of message boxes.
QTranslator &qtTranslator()
{
    return applicationTranslator(QStringLiteral("qtTexts"));
}

// The working directory first, so that a file put there wins; then beside the executable and
// where an installed console keeps its translations, so that a console started from a desktop
// menu finds them too.
bool loadTranslation(QTranslator &target, const QString &fileName)
{
    const QDir executable(QCoreApplication::applicationDirPath());
    const QString directories[] = {
        QDir::currentPath(), executable.path(),
        executable.filePath(QStringLiteral(ZOXEN_INSTALLED_TRANSLATIONS))};
    for (const QString &directory : directories) {
        if (target.load(fileName, directory))
            return true;
    }
    return false;
}

} // namespace

void MainWindow::on_action_French_triggered()
{
    setAllChecked({ui->action_Default, ui->action_English, ui->action_French}, false);
    ui->action_French->setChecked(true);
    applyLanguage();
}

void MainWindow::on_action_English_triggered()
{
    setAllChecked({ui->action_Default, ui->action_English, ui->action_French}, false);
    ui->action_English->setChecked(true);
    applyLanguage();
}

void MainWindow::on_action_Default_triggered()
{
    setAllChecked({ui->action_Default, ui->action_English, ui->action_French}, false);
    ui->action_Default->setChecked(true);
    applyLanguage();
}

void MainWindow::applyLanguage()
{
    QString localeName = QLocale::system().name();
    if (ui->action_English->isChecked())
        localeName = localeEnglish.name();
    if (ui->action_French->isChecked())
        localeName = localeFrench.name();
    const QString language = localeName.section(QLatin1Char('_'), 0, 0);

    QCoreApplication::removeTranslator(&translator());
    QCoreApplication::removeTranslator(&qtTranslator());
    // Qt's texts follow only when ours are found, so that a window never mixes two languages.
    if (loadTranslation(translator(), languageFilePrefix + language)) {
        QCoreApplication::installTranslator(&translator());
        if (qtTranslator().load(QStringLiteral("qtbase_") + language, qtTranslationsPath()))
            QCoreApplication::installTranslator(&qtTranslator());
    }

    ui->retranslateUi(this);
    // Retranslated first, so the name is never appended twice.
    ui->action_About->setText(ui->action_About->text() + QLatin1Char(' ') +
                              QCoreApplication::applicationName());
    // Written while the window runs: the retranslation put the form's texts back.
    const PlayerModel *model = selectedModel();
    if (model && model->isTcp())
        controls.showTcpPort(*model);
    controls.showVolumeValue();
    explainLinkButtons();
    showSendState();
}
