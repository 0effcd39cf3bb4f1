# The About box's title does not name the console.
# file: help/aboutwindow.cpp
s/setWindowTitle(tr("About") + QLatin1Char(' ') + QCoreApplication::applicationName());/setWindowTitle(tr("About"));/
