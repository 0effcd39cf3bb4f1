#pragma once

#include "config/configuration.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QSaveFile;

// The application name followed by ".cfg".
QString configurationFileName();

// The settings file in the per-user data directory, whose folders are made so that it can be
// written unless `makeFolders` is false; empty when there is no data directory at all.
QString userConfigurationPath(bool makeFolders = true);

// The path itself, or for an empty one the configuration file beside the executable.
QString configurationPath(const QString &path);

// The file holds 24 short lines; a larger one is damaged.
constexpr qint64 maxConfigurationFileSize = 64 * 1024;

// The content of a regular file of at most `maxSize` bytes; none for anything else (missing,
// unreadable, a FIFO, a device, larger).
std::optional<QByteArray> readSmallFile(const QString &path,
                                        qint64 maxSize = maxConfigurationFileSize);

// A file that is missing, cannot be read, is not a regular file or is larger than the bound is
// not accepted.
ParsedConfiguration readConfigurationFile(const QString &path);

// A file of the console's own beside the settings file, named as it but for its suffix
// (".preferences": what other versions do not read in the settings file; ".players").
QString besideConfiguration(const QString &configurationFile, const QString &suffix);

// The previous file is replaced only once the new content is completely written, so that a
// failed write (full disk, crash, no permission) leaves it exactly as it was.
bool writeConfigurationFile(const QString &path, const QByteArray &content);

// The same through a given save file, whose writes a test can make fail.
bool writeConfiguration(QSaveFile &file, const QByteArray &content);
