#pragma once

#include "recording/recordingwriter.h"

#include <QByteArray>
#include <QObject>

#include <memory>

// Why a recording stopped before it was asked to, and what of it never reached the file.
struct RecordingFailure
{
    enum class Kind
    {
        CannotOpen,
        CannotWrite,
        FileGone,
        // The medium does not take the lines as fast as they come (a stalled mount, a FIFO whose
        // reader does not read), or had not taken the last ones when asked to stop.
        Stalled,
    };
    Kind kind = Kind::CannotWrite;
    // The system's words, for CannotOpen and CannotWrite.
    QString reason;
    qint64 bytesLost = 0;
};

// Keeps a session's lines in memory and hands them to a writer at least every flushIntervalMs,
// at stop and at destruction: a crash loses at most the last interval. What waits for the file
// is bounded, in bytes and in time, so that a slow or stuck medium never holds up the window:
// beyond that, and at the first failure to write, the recording stops and says so once.
class SessionRecorder : public QObject
{
    Q_OBJECT

public:
    static constexpr int flushIntervalMs = 500;
    // How long Stop and the end of the program wait for the file to take the last lines.
    static constexpr int finishWaitMs = 1000;

    // At most `bufferBytes` wait for the file, in memory.
    explicit SessionRecorder(qint64 bufferBytes, QObject *parent = nullptr);
    ~SessionRecorder() override;

    // Appends to the file, creating it when needed; a file that cannot be opened fails the
    // recording as a write would.
    void start(const QString &path);
    // Writes what is left and closes the file. Emits stopped(), or failed() when the file did not
    // take it all.
    void stop();

    bool isRecording() const { return m_recording; }
    QString fileName() const { return m_fileName; }
    // Bytes handed to the file since start.
    qint64 bytesRecorded() const { return m_bytesRecorded; }

    void record(const QByteArray &line);

signals:
    // After each hand-over: what the display of the amount written follows.
    void progressed(qint64 bytesRecorded);
    void stopped();
    void failed(const RecordingFailure &failure);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void handOver();
    // Stops on the writer's failure, or else on a file that does not keep up.
    void fail();
    void end();

    const qint64 m_bufferBytes;
    std::unique_ptr<RecordingWriter> m_writer;
    QByteArray m_pending;
    bool m_recording = false;
    QString m_fileName;
    qint64 m_bytesRecorded = 0;
    int m_timer = 0;
};
