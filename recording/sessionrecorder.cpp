#include "recording/sessionrecorder.h"

#include <QTimerEvent>

namespace {

RecordingFailure::Kind kindOf(RecordingWriter::Failure failure)
{
    switch (failure) {
    case RecordingWriter::Failure::CannotOpen:
        return RecordingFailure::Kind::CannotOpen;
    case RecordingWriter::Failure::FileGone:
        return RecordingFailure::Kind::FileGone;
    case RecordingWriter::Failure::None:
        // Nothing failed, but the file did not take everything in time.
        return RecordingFailure::Kind::Stalled;
    case RecordingWriter::Failure::CannotWrite:
        break;
    }
    return RecordingFailure::Kind::CannotWrite;
}

} // namespace

SessionRecorder::SessionRecorder(qint64 bufferBytes, QObject *parent)
    : QObject(parent)
    , m_bufferBytes(bufferBytes)
{}

// At exit the window goes, and with it the recorder: what is left is written, silently, if the
// file takes it soon enough.
SessionRecorder::~SessionRecorder()
{
    blockSignals(true);
    if (m_recording) {
        handOver();
        m_writer->finish(finishWaitMs);
    }
}

void SessionRecorder::start(const QString &path)
{
    if (m_recording)
        stop();
    m_writer = std::make_unique<RecordingWriter>(path);
    m_recording = true;
    m_fileName = path;
    m_bytesRecorded = 0;
    m_pending.clear();
    m_timer = startTimer(flushIntervalMs, Qt::PreciseTimer);
}

void SessionRecorder::stop()
{
    if (!m_recording)
        return;
    handOver();
    const qint64 lost = m_writer->finish(finishWaitMs);
    QString reason;
    const RecordingWriter::Failure failure = m_writer->failure(&reason);
    end();
    if (lost == 0 && failure == RecordingWriter::Failure::None)
        emit stopped();
    else
        emit failed({kindOf(failure), reason, lost});
}

void SessionRecorder::record(const QByteArray &line)
{
    if (!m_recording)
        return;
    m_pending += line;
    if (m_pending.size() + m_writer->unwritten() > m_bufferBytes)
        fail();
}

void SessionRecorder::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer)
        return;
    handOver();
    if (m_writer->failure() != RecordingWriter::Failure::None)
        fail();
}

void SessionRecorder::handOver()
{
    if (m_pending.isEmpty())
        return;
    m_bytesRecorded += m_pending.size();
    m_writer->write(std::exchange(m_pending, QByteArray()));
    emit progressed(m_bytesRecorded);
}

// Told once the caller is done: a box opened from inside a link's signal would run the link's
// events again inside it.
void SessionRecorder::fail()
{
    QString reason;
    const RecordingWriter::Failure failure = m_writer->failure(&reason);
    const RecordingFailure told{kindOf(failure), reason, m_pending.size() + m_writer->finish(0)};
    end();
    QMetaObject::invokeMethod(
        this, [this, told] { emit failed(told); }, Qt::QueuedConnection);
}

void SessionRecorder::end()
{
    killTimer(m_timer);
    m_recording = false;
    m_pending.clear();
    m_writer.reset();
}
