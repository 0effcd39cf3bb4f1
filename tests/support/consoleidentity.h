#pragma once

#include "startup/applicationidentity.h"

#include <QStandardPaths>

// What main() sets before the window exists. The data directory is put under /dev/null, where it
// can never be created: the window finds no configuration and cannot save one, so that every
// window of a test starts as on a first start, whatever the windows before it chose, and the
// user's own files stay untouched. Tests of the configuration point XDG_DATA_HOME elsewhere.
inline void setConsoleIdentity()
{
    setApplicationIdentity();
    // Test mode would ignore XDG_DATA_HOME.
    QStandardPaths::setTestModeEnabled(false);
    qputenv("XDG_DATA_HOME", "/dev/null");
}
