#pragma once

#include <QFile>

// A figure of /proc/PID/status, in KiB ("VmRSS", "VmHWM"); -1 when it cannot be read.
inline long statusKiB(const QString &pid, const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// This process's resident memory.
inline long residentKiB()
{
    return statusKiB(QStringLiteral("self"), "VmRSS");
}
