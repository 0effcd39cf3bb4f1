#include "players/hostlist.h"
#include "connection/linksettings.h"
#include "recording/sessionlines.h"

#include <algorithm>

namespace {

// As the window's four boxes read them: the system's own reading would take "010" as octal,
// and "0x7f.1" or "127.1" as well.
std::optional<QString> playerAddress(const QByteArray &typed)
{
    const bool digitsAndDots = std::all_of(
        typed.cbegin(), typed.cend(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
    const auto numbers = digitsAndDots ? dottedAddress(QString::fromLatin1(typed)) : std::nullopt;
    if (!numbers)
        return std::nullopt;
    return hostText(numbers->at(0), numbers->at(1), numbers->at(2), numbers->at(3));
}

} // namespace

QString HostList::add(const QByteArray &typed)
{
    const auto address = playerAddress(typed);
    if (!address)
        return QStringLiteral("\"%1\" is not a player address: give four numbers 0 to 255 "
                              "separated by dots, such as 192.168.1.20")
            .arg(QString::fromLatin1(SessionLine::escapedAscii(typed.left(80))));
    if (timesListed[*address]++ == 0)
        hosts.append(*address);
    return QString();
}

QString HostList::addLines(const QByteArray &content, const QString &where)
{
    const QList<QByteArray> lines = content.split('\n');
    int addresses = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QString error = add(line);
        if (!error.isEmpty())
            return QStringLiteral("%1, line %2: %3").arg(where).arg(i + 1).arg(error);
        ++addresses;
    }
    return addresses == 0
               ? QStringLiteral("%1 holds no address: give one player address a line").arg(where)
               : QString();
}
