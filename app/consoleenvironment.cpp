#include "app/consoleenvironment.h"
#include "connection/linksettings.h"
#include "timeline/localclock.h"
#include "transmission/clock.h"

#include <QFileDialog>
#include <QInputDialog>

ConsoleEnvironment systemEnvironment()
{
    ConsoleEnvironment environment;
    environment.catalogue = buildCatalogueModels();
    environment.clock = readClock;
    environment.sessionClock = localClock();
    // A file appended to is not replaced: asking whether to replace it would only mislead.
    environment.chooseSavePath = [](QWidget *parent, const QString &title,
                                    const QString &proposedPath, ExistingFile existing) {
        QFileDialog dialog(parent, title, proposedPath);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, existing == ExistingFile::AppendedTo);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    environment.chooseOpenPath = [](QWidget *parent, const QString &title,
                                    const QString &directory) {
        return QFileDialog::getOpenFileName(parent, title, directory);
    };
    environment.askText = [](QWidget *parent, const QString &title, const QString &label,
                             const QString &proposed) {
        return QInputDialog::getText(parent, title, label, QLineEdit::Normal, proposed);
    };
    environment.connectTimeoutMs = connectTimeoutMs;
    return environment;
}
