#include "recording/sessionrecorder.h"

#include <QFile>
#include <QTimerEvent>

SessionRecorder::SessionRecorder(QObject *parent)
    : QObject(parent)
{}

// At exit the window goes, and with it the recorder: what is left is written, silently.
SessionRecorder::~SessionRecorder()
{
    blockSignals(true);
    if (m_recording)
        finish();
}

bool SessionRecorder::start(const QString &path, QString *error)
{
    // Unbuffered: each hand-over goes to the file in one write, whose failure is seen at once.
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        if (error)
            *error = file->errorString();
        return false;
    }
    start(std::move(file), path);
    return true;
}

void SessionRecorder::start(std::unique_ptr<QIODevice> device, const QString &name)
{
    if (m_recording)
        stop();
    m_device = std::move(device);
    m_device->moveToThread(&m_thread);
    m_thread.start();
    m_recording = true;
    ++m_session;
    m_fileName = name;
    m_bytesRecorded = 0;
    m_pending.clear();
    m_timer = startTimer(flushIntervalMs, Qt::PreciseTimer);
}

void SessionRecorder::stop()
{
    if (!m_recording)
        return;
    finish();
    emit stopped();
}

void SessionRecorder::record(const QByteArray &line)
{
    if (m_recording)
        m_pending += line;
}

void SessionRecorder::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_timer)
        handOver();
}

void SessionRecorder::handOver()
{
    if (m_pending.isEmpty())
        return;
    QIODevice *device = m_device.get();
    const QByteArray lines = m_pending;
    m_pending.clear();
    m_bytesRecorded += lines.size();
    // After a failure nothing more is written, so that the file has no hole in its middle.
    QMetaObject::invokeMethod(device, [this, device, lines, session = m_session] {
        if (!device->isOpen())
            return;
        // A write cut short (a size limit reached) is tried again, which tells why it stopped.
        qint64 written = 0;
        qint64 last = 0;
        while (written < lines.size() &&
               (last = device->write(lines.constData() + written, lines.size() - written)) > 0)
            written += last;
        if (written == lines.size())
            return;
        const QString reason = device->errorString();
        device->close();
        QMetaObject::invokeMethod(
            this, [this, session, reason] { onWriteFailed(session, reason); },
            Qt::QueuedConnection);
    });
    emit progressed(m_bytesRecorded);
}

void SessionRecorder::finish()
{
    handOver();
    killTimer(m_timer);
    m_recording = false;
    // Waited for: a thread told to quit before its event loop has begun drops what was posted.
    QMetaObject::invokeMethod(
        m_device.get(), [device = m_device.get()] { device->close(); },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    m_device.reset();
}

void SessionRecorder::onWriteFailed(int session, const QString &reason)
{
    if (!m_recording || session != m_session)
        return;
    finish();
    emit failed(reason);
}
