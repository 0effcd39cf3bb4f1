#pragma once

#include "catalogue/playercatalogue.h"
#include "connection/serialports.h"
#include "transmission/frames.h"

#include <QDateTime>
#include <QString>

#include <functional>

class QWidget;

// What becomes of a file chosen in the save dialog that exists already.
enum class ExistingFile
{
    Replaced,
    AppendedTo,
};

// What a window is handed when it is made rather than finding for itself: the devices it
// knows, where serial devices are, the clocks, how it asks for a file's path. Each window
// holds its own, so that several live side by side; tests hand theirs.
struct ConsoleEnvironment
{
    PlayerCatalogueList catalogue;
    SerialDirectories serialDirectories;
    // The instant that clock commands carry.
    std::function<ClockReading()> clock;
    // The time written on each recorded line.
    std::function<QDateTime()> sessionClock;
    // Where the window asks for the path of a file it is about to write; an empty path
    // cancels.
    std::function<QString(QWidget *parent, const QString &title, const QString &proposedPath,
                          ExistingFile existing)>
        chooseSavePath;
    // Where the window asks for a file to read; an empty path cancels.
    std::function<QString(QWidget *parent, const QString &title, const QString &directory)>
        chooseOpenPath;
    // Where the window asks for a short text, such as a name, proposing one; empty cancels.
    std::function<QString(QWidget *parent, const QString &title, const QString &label,
                          const QString &proposed)>
        askText;
    // How much of a recording may wait in memory for a medium that does not keep up.
    qint64 recordingBufferBytes = 4 * 1024 * 1024;
    // How long a device may take to accept a connection.
    int connectTimeoutMs = 0;
    // How long a sequence waits for an expected answer.
    int answerTimeoutMs = 5000;
    // A site check: how long a player may take to accept a connection, and to answer.
    int checkConnectTimeoutMs = 2000;
    int checkAnswerWaitMs = 1000;
};

// The machine's own: the whole catalogue, the system's clocks and a file dialog.
ConsoleEnvironment systemEnvironment();
