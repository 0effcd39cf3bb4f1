#pragma once

#include <QString>

// Sets the name, version and maker that QCoreApplication carries; the console calls it before
// its application object exists. They make the window's title, the About box, the title lines
// of the settings file and its path. A companion program passes its own name and keeps the
// project's version and maker.
void setApplicationIdentity(const QString &programName = QStringLiteral("Zoxen Console"));
