#pragma once

#include <QCoreApplication>

// Before the application object: the window scales with the screen, and the icons use their
// @2x images where the screen is dense enough.
inline void enableHighDensityScreens()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
}
