#include "startup/applicationidentity.h"
#include "app/version.h"

#include <QCoreApplication>

void setApplicationIdentity(const QString &programName)
{
    QCoreApplication::setApplicationName(programName);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZOXEN_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Brevane Systems / Tessik"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("https://www.tessik.example"));
}
