#pragma once

#include <QCoreApplication>

// Before the application object: the window scales with the screen, and the icons use their
// @2x images where the screen is dense enough. Qt 6 does both by itself.
inline void enableHighDensityScreens()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}
