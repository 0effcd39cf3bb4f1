#include "app/consoleenvironment.h"
#include "connection/linksettings.h"
#include "transmission/clock.h"

#include <QFileDialog>

ConsoleEnvironment systemEnvironment()
{
    ConsoleEnvironment environment;
    environment.catalogue = buildCatalogueModels();
    environment.clock = readClock;
    environment.sessionClock = QDateTime::currentDateTime;
    environment.chooseSavePath = [](QWidget *parent, const QString &title,
                                    const QString &proposedPath) {
        return QFileDialog::getSaveFileName(parent, title, proposedPath);
    };
    environment.connectTimeoutMs = connectTimeoutMs;
    return environment;
}
