#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

// Where the window asks for the path of a file it is about to write; an empty path cancels.
// A file dialog waits for a user: tests put a function of their own here.
using SavePathChooser = QString (*)(QWidget *parent, const QString &title,
                                    const QString &proposedPath);
void setSavePathChooser(SavePathChooser chooser);

// The time written on each recorded line; tests fix it.
using SessionClock = QDateTime (*)();
void setSessionClock(SessionClock clock);
