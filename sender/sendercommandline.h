#pragma once

#include "catalogue/playercatalogue.h"
#include "sequence/sequencefile.h"
#include "transmission/controlframe.h"

#include <QHash>
#include <QStringList>

#include <optional>

// One command to send to one or more players of a model.
struct SendRequest
{
    int modelIndex = -1;
    Control control;
    // TCP/IP models: the players' addresses, each once, in the order first given, as four
    // decimal numbers without padding; how many times each was given; the port they listen on.
    QStringList hosts;
    QHash<QString, int> timesListed;
    quint16 port = 0;
    // Serial models: the device and its baud rate.
    QString device;
    int baudRate = 0;
    quint8 idByte = 0x80;
    // How long to collect each player's answer once the frame is written.
    int waitMs = 0;
    bool decimal = false;
    // Instead of the command: a sequence's steps, each checked for the model; `waitMs` bounds
    // each wait for an expected answer.
    std::optional<std::vector<SequenceStep>> sequence;
};

// The exit statuses of zoxen-send: a sequence that fails on a player counts as a link that failed.
namespace SendStatus {
constexpr int sent = 0;
constexpr int linkFailed = 1;
constexpr int usageError = 2;
} // namespace SendStatus

// The request read from the command line, or the answer already given: `output` for stdout
// (help, version, lists) with status 0, or `error` for stderr with status 2.
struct SenderCommandLine
{
    std::optional<SendRequest> request;
    int exitStatus = SendStatus::sent;
    QString output;
    QString error;
};

// Reads every --hosts-file as well. The control's clock is left for the sender to read at sending.
SenderCommandLine readSenderCommandLine(const QStringList &arguments,
                                        const PlayerCatalogueList &catalogue);
