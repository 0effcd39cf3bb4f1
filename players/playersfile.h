#pragma once

#include "catalogue/playercatalogue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// A player of a site, saved by name: its model as listed, where its link leads (an IPv4 address
// or a serial device path) and, where they apply, its player ID and baud rate.
struct SavedPlayer
{
    QString name;
    QString model;
    QString address;
    std::optional<int> id;
    std::optional<int> baudRate;

    bool operator==(const SavedPlayer &other) const;
};

// The players read from a file, and what was wrong with the lines left out, one message each;
// those lines as they were, to be written back until mended by hand.
struct SavedPlayers
{
    QVector<SavedPlayer> players;
    QStringList problems;
    QStringList damagedLines;
    // The file was there but could not be read as one: it must not be replaced.
    bool refused = false;
};

// A name that the file can hold: not blank, no tab or line break, not starting with "#".
bool isPlayerName(const QString &name);

// The file holds a site's players: larger than this, it is no players file.
constexpr qint64 maxPlayersFileSize = 1024 * 1024;

// UTF-8 text, one player a line, fields separated by tabs: name, model, address or device path,
// then "id=N" and "baud=N" where they apply; lines starting with "#" are comments. A damaged
// line (an unknown model, an address that does not fit the model, an ID or rate it does not
// take, a name given twice) is reported with its number and left out; the others stay.
SavedPlayers parsePlayers(const QByteArray &content, const PlayerCatalogueList &catalogue);
QByteArray formatPlayers(const SavedPlayers &saved);

// The players file beside the settings file; an absent file holds no players, one that is not a
// small regular file is reported and read as none.
QString playersPath(const QString &configurationFile);
SavedPlayers readPlayersFile(const QString &path, const PlayerCatalogueList &catalogue);
