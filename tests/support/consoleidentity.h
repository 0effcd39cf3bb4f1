#pragma once

#include <QCoreApplication>
#include <QStandardPaths>

// What main() sets before the window exists; test mode keeps the user's own files untouched.
inline void setConsoleIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Zoxen Console"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.7.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brevane Systems / Tessik"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("https://www.tessik.example"));
    QStandardPaths::setTestModeEnabled(true);
}
