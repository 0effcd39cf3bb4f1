#pragma once

#include <QByteArray>
#include <QtGlobal>

// Before the application object. No window of the console draws with OpenGL, yet on X11 Qt 5
// loads the GL drivers as it starts, to offer it: with a software renderer that is more than
// half of a bare window's start-up. Qt 6 waits until a window asks for it, which none does
// here. A user who chose an integration keeps it.
inline void skipOpenGlDrivers()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", QByteArrayLiteral("none"));
}
