#pragma once

#include "catalogue/playercatalogue.h"
#include "players/hostlist.h"
#include "players/playerlink.h"
#include "sequence/sequencefile.h"
#include "transmission/controlframe.h"

#include <QHash>
#include <QStringList>

#include <optional>

// A saved player named on the command line, reached as it was saved.
struct RequestedPlayer
{
    QString name;
    PlayerLink link;
};

// One command to send to one or more players of a model, or to saved players of any models.
struct SendRequest
{
    // The model of --model; -1 for saved players.
    int modelIndex = -1;
    // Saved players instead of the model's hosts or device.
    QVector<RequestedPlayer> players;
    // Each model's control, or sequence, by its index in the catalogue; the sequence's steps
    // are checked for each model.
    QHash<int, Control> controlOf;
    QHash<int, std::vector<SequenceStep>> sequenceOf;
    // TCP/IP models: the players' addresses, and the port they listen on.
    HostList hosts;
    quint16 port = 0;
    // Serial models: the device and its baud rate.
    QString device;
    int baudRate = 0;
    quint8 idByte = 0x80;
    // How long to collect each player's answer once the frame is written.
    int waitMs = 0;
    bool decimal = false;
    // A sequence instead of a command: `waitMs` bounds each wait for an expected answer.
    bool sequence = false;
    // Instead of a command: each player's model asked how it is (its status request).
    bool check = false;
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
    // For stderr, the request standing: the players file's lines left out.
    QStringList warnings;
};

// Reads every --hosts-file and the players file as well; `savedPlayers` is the file read when
// --players is not given. The control's clock is left for the sender to read at sending.
SenderCommandLine readSenderCommandLine(const QStringList &arguments,
                                        const PlayerCatalogueList &catalogue,
                                        const QString &savedPlayers = QString());
