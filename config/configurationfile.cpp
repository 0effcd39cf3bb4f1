#include "config/configurationfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString configFileSuffix = QStringLiteral(".cfg");

} // namespace

QString configurationFileName()
{
    return QCoreApplication::applicationName() + configFileSuffix;
}

QString userConfigurationPath(bool makeFolders)
{
    // The organisation name holds a slash: the directory is one level deeper than it reads.
    const QString directory =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (directory.isEmpty())
        return QString();
    if (makeFolders)
        QDir().mkpath(directory);
    return QDir(directory).absoluteFilePath(configurationFileName());
}

QString configurationPath(const QString &path)
{
    if (!path.isEmpty())
        return path;
    return QDir(QCoreApplication::applicationDirPath()).filePath(configurationFileName());
}

std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxSize)
{
    // Only a small regular file can be ours: a FIFO would block the start, a device or a huge
    // file would be read without end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.read(maxSize + 1);
    if (content.size() > maxSize)
        return std::nullopt;
    return content;
}

// Anything but a small regular file reads as damaged, and the defaults stand.
ParsedConfiguration readConfigurationFile(const QString &path)
{
    const std::optional<QByteArray> content = readSmallFile(path);
    return content ? parseConfiguration(*content) : ParsedConfiguration();
}

QString besideConfiguration(const QString &configurationFile, const QString &suffix)
{
    const QFileInfo settings(configurationFile);
    return settings.dir().filePath(settings.completeBaseName() + suffix);
}

bool writeConfigurationFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    return writeConfiguration(file, content);
}

bool writeConfiguration(QSaveFile &file, const QByteArray &content)
{
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile (Qt 5.15) still commits when the last flush of its buffer fails, replacing the
    // old file with a cut one: the buffer is flushed here, where a failure can stop the commit.
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
