#include "players/playersfile.h"
#include "config/configurationfile.h"
#include "connection/linksettings.h"

#include <QFileInfo>

bool SavedPlayer::operator==(const SavedPlayer &other) const
{
    return name == other.name && model == other.model && address == other.address &&
           id == other.id && baudRate == other.baudRate;
}

namespace {

const PlayerModel *modelNamed(const PlayerCatalogueList &catalogue, const QString &name)
{
    for (const PlayerModel &model : catalogue) {
        if (model.name == name)
            return &model;
    }
    return nullptr;
}

std::optional<int> numberAfter(const QString &field, const QString &prefix)
{
    bool ok = false;
    const int value = field.mid(prefix.size()).toInt(&ok, 10);
    return field.startsWith(prefix) && ok && value >= 0 ? std::optional<int>(value) : std::nullopt;
}

// What is wrong with the player's fields, or nothing.
QString problemOf(const QStringList &fields, const PlayerCatalogueList &catalogue,
                  SavedPlayer &player)
{
    if (fields.size() < 3)
        return QStringLiteral("give a name, a model and an address, separated by tabs");
    player.name = fields.at(0).trimmed();
    player.model = fields.at(1).trimmed();
    player.address = fields.at(2).trimmed();
    const PlayerModel *model = modelNamed(catalogue, player.model);
    if (player.name.isEmpty())
        return QStringLiteral("the player has no name");
    if (!model)
        return QStringLiteral("\"%1\" is not a model").arg(player.model);
    if (model->isTcp() && !dottedAddress(player.address))
        return QStringLiteral("\"%1\" is not an IPv4 address").arg(player.address);
    if (!model->isTcp() && player.address.isEmpty())
        return QStringLiteral("give the serial device's path");
    for (const QString &field : fields.mid(3)) {
        const QString option = field.trimmed();
        if (const auto id = numberAfter(option, QStringLiteral("id=")))
            player.id = id;
        else if (const auto baud = numberAfter(option, QStringLiteral("baud=")))
            player.baudRate = baud;
        else
            return QStringLiteral("\"%1\" is neither id=N nor baud=N").arg(option);
    }
    if (player.id && (*player.id < model->minId || *player.id > model->maxId))
        return QStringLiteral("%1 takes the player IDs %2 to %3")
            .arg(model->name)
            .arg(model->minId)
            .arg(model->maxId);
    if (player.baudRate && (model->isTcp() || !model->baudRates.contains(*player.baudRate)))
        return QStringLiteral("%1 takes no baud rate %2").arg(model->name).arg(*player.baudRate);
    return QString();
}

} // namespace

bool isPlayerName(const QString &name)
{
    const QString trimmed = name.trimmed();
    return !trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')) &&
           !name.contains(QLatin1Char('\t')) && !name.contains(QLatin1Char('\n')) &&
           !name.contains(QLatin1Char('\r'));
}

SavedPlayers parsePlayers(const QByteArray &content, const PlayerCatalogueList &catalogue)
{
    SavedPlayers saved;
    const QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        QString line = lines.at(index);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        SavedPlayer player;
        QString problem = problemOf(line.split(QLatin1Char('\t')), catalogue, player);
        for (int other = 0; problem.isEmpty() && other < saved.players.size(); ++other) {
            if (saved.players.at(other).name == player.name)
                problem = QStringLiteral("\"%1\" is the name of another player").arg(player.name);
        }
        if (problem.isEmpty()) {
            saved.players.append(player);
            continue;
        }
        saved.problems.append(QStringLiteral("line %1: %2").arg(index + 1).arg(problem));
        saved.damagedLines.append(line);
    }
    return saved;
}

QByteArray formatPlayers(const SavedPlayers &saved)
{
    QByteArray content = "# name\tmodel\taddress or device\tid=N\tbaud=N\n";
    for (const SavedPlayer &player : saved.players) {
        QStringList fields{player.name, player.model, player.address};
        if (player.id)
            fields << QStringLiteral("id=%1").arg(*player.id);
        if (player.baudRate)
            fields << QStringLiteral("baud=%1").arg(*player.baudRate);
        content += fields.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    for (const QString &line : saved.damagedLines)
        content += line.toUtf8() + '\n';
    return content;
}

QString playersPath(const QString &configurationFile)
{
    return besideConfiguration(configurationFile, QStringLiteral(".players"));
}

SavedPlayers readPlayersFile(const QString &path, const PlayerCatalogueList &catalogue)
{
    if (!QFileInfo::exists(path))
        return {};
    const std::optional<QByteArray> content = readSmallFile(path, maxPlayersFileSize);
    if (!content) {
        SavedPlayers refused;
        refused.problems.append(
            QStringLiteral("%1 is not a players file: give a text file of at most 1 MiB")
                .arg(path));
        refused.refused = true;
        return refused;
    }
    return parsePlayers(*content, catalogue);
}
