#include "connection/serialports.h"
#include "connection/linksettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace {

// The lines that are known, one a line.
QString lines(QStringList texts)
{
    texts.removeAll(QString());
    return texts.join(QLatin1Char('\n'));
}

QString portDetails(const DetectedPort &port)
{
    return lines(
        {port.description,
         port.manufacturer.isEmpty()
             ? QString()
             : QCoreApplication::translate("MainWindow", "Manufacturer: %1").arg(port.manufacturer),
         port.serialNumber.isEmpty()
             ? QString()
             : QCoreApplication::translate("MainWindow", "Serial number: %1")
                   .arg(port.serialNumber)});
}

// A device directly in /dev is listed by its name, any other by its path.
QString listedName(const QString &devicePath)
{
    const QString directory = QStringLiteral("/dev/");
    if (devicePath.startsWith(directory) && devicePath.indexOf(QLatin1Char('/'), 5) < 0)
        return devicePath.mid(directory.size());
    return devicePath;
}

} // namespace

QVector<StableName> readStableNames(const QString &directory)
{
    QVector<StableName> names;
    const QFileInfoList links = QDir(directory).entryInfoList(
        QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &link : links) {
        // A link whose device is gone names nothing to open.
        if (link.isSymLink() && link.exists())
            names.append({link.absoluteFilePath(), link.symLinkTarget()});
    }
    return names;
}

QVector<PortEntry> portEntries(const QVector<DetectedPort> &ports,
                               const QVector<StableName> &stableNames, const QStringList &kept)
{
    QVector<PortEntry> entries;
    QVector<StableName> unmatched = stableNames;
    for (const DetectedPort &port : ports) {
        QVector<PortEntry> stable;
        QStringList portLines{portDetails(port)};
        for (const StableName &name : stableNames) {
            if (name.target != port.systemLocation)
                continue;
            unmatched.removeAll(name);
            portLines
                << QCoreApplication::translate("MainWindow", "Stable name: %1").arg(name.path);
            stable.append(
                {name.path,
                 lines(
                     {QCoreApplication::translate("MainWindow", "Stable name of %1").arg(port.name),
                      portDetails(port)})});
        }
        entries.append({port.name, lines(portLines)});
        entries += stable;
    }
    for (const StableName &name : unmatched)
        entries.append({name.path, QCoreApplication::translate("MainWindow", "Stable name of %1")
                                       .arg(listedName(name.target))});
    for (const QString &name : kept) {
        const bool listed =
            std::any_of(entries.cbegin(), entries.cend(),
                        [&name](const PortEntry &entry) { return entry.name == name; });
        if (!name.isEmpty() && !listed)
            entries.append({name, QString()});
    }
    return entries;
}

QString stableNameOf(const QString &devicePath, const QVector<StableName> &stableNames)
{
    const QString device = QFileInfo(devicePath).canonicalFilePath();
    for (const StableName &name : stableNames) {
        if (name.path == devicePath || (!device.isEmpty() && name.target == device))
            return name.path;
    }
    return QString();
}

QString reconnectPort(const QString &port, const QString &stableName,
                      const QVector<StableName> &stableNames, bool portPresent)
{
    if (stableName.isEmpty())
        return portPresent ? port : QString();
    for (const StableName &name : stableNames) {
        if (name.path != stableName)
            continue;
        if (port == stableName || name.target == serialDevicePath(port))
            return port;
        return listedName(name.target);
    }
    return QString();
}

int reconnectDelayMs(int attempt)
{
    static const int delays[] = {250, 500, 1000, 2000};
    const int last = int(std::size(delays)) - 1;
    return delays[qBound(0, attempt, last)];
}
