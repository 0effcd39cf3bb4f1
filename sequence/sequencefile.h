#pragma once

#include "catalogue/playercatalogue.h"
#include "transmission/controlframe.h"

#include <QByteArray>
#include <QString>

#include <vector>

// One step of a sequence: a command sent as its button sends it, a pause, or a wait for the
// player's answer to hold a text.
struct SequenceStep
{
    enum class Kind
    {
        Command,
        Wait,
        Expect,
    };
    Kind kind = Kind::Command;
    // The line of the file it was read from, counted from 1.
    int line = 0;
    // Command: the control it presses and its name as written in the file, tidied.
    Control control;
    QString name;
    // Wait: how long.
    int waitMs = 0;
    // Expect: what the player must have sent since the previous frame, as ASCII.
    QByteArray expected;
};

// A sequence read and checked for a model: its steps, or the one reason it is refused (the line
// and what is allowed there), in which case no step is given.
struct Sequence
{
    std::vector<SequenceStep> steps;
    QString error;
};

// The longest pause a step may ask for: a longer one is taken for a slip of the keyboard.
constexpr int longestSequenceWaitMs = 3600 * 1000;

// A file read whole before anything is sent: the bound keeps a wrong file (a log, a disk image)
// from filling the memory and still leaves room for some 60,000 lines.
constexpr qint64 textFileLimit = 1024 * 1024;

// The UTF-8 text of a regular file, or of standard input for "-", line ends made LF; or why
// there is none (`what` says what the file should have been).
std::pair<QByteArray, QString> readTextFile(const QString &path, const QString &what);

// UTF-8 text, one step a line: a command as zoxen-send names it ("Play", "Folder 130"),
// "wait N ms" or "wait N s", "expect TEXT", and as the first step, "model NAME". Blank lines and
// lines starting with "#" are skipped; spaces around a line do not matter; words are read in any
// case.
Sequence readSequence(const QByteArray &content, const PlayerModel &model);
