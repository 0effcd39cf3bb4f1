#pragma once

#include "connection/serialports.h"

#include <QObject>

class QComboBox;
class QFileSystemWatcher;
class QTimer;

// Keeps the port list as the machine is: read again when its popup opens and when a device
// directory changes, so that an adapter plugged in or pulled out shows without a restart. The
// field also takes any typed path. Watching costs nothing while nothing changes.
class SerialPortList : public QObject
{
    Q_OBJECT

public:
    SerialPortList(QComboBox *list, const SerialDirectories &directories,
                   QObject *parent = nullptr);

    void refresh();

signals:
    // Devices came or went: the list has been read again.
    void devicesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchDirectories();

    QComboBox *m_list;
    SerialDirectories m_directories;
    QFileSystemWatcher *m_watcher;
    // A device appears as several changes (its node, then its links, then its permissions):
    // they are read once, together.
    QTimer *m_settle;
};
