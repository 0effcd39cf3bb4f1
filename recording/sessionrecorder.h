#pragma once

#include <QByteArray>
#include <QObject>
#include <QThread>

#include <memory>

class QIODevice;

// Keeps a session's lines in memory and hands them to a writer thread at least every
// flushIntervalMs, at stop and at destruction: a crash loses at most the last interval, and a
// slow or stuck medium never holds up the window. The first failure to write stops the
// recording and is reported once.
class SessionRecorder : public QObject
{
    Q_OBJECT

public:
    static constexpr int flushIntervalMs = 500;

    explicit SessionRecorder(QObject *parent = nullptr);
    ~SessionRecorder() override;

    // Appends to the file, creating it when needed; false, with the reason, when it cannot be
    // opened.
    bool start(const QString &path, QString *error);
    // Writes to a device opened for writing, which the recorder takes over.
    void start(std::unique_ptr<QIODevice> device, const QString &name);
    // Writes what is left and closes the file. Emits stopped().
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
    void failed(const QString &reason);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void handOver();
    void finish();
    void onWriteFailed(int session, const QString &reason);

    QThread m_thread;
    // Lives in m_thread once started; only that thread writes to it.
    std::unique_ptr<QIODevice> m_device;
    QByteArray m_pending;
    bool m_recording = false;
    QString m_fileName;
    qint64 m_bytesRecorded = 0;
    int m_timer = 0;
    // Counts the recordings, so that a failure reported late is not taken for the next one's.
    int m_session = 0;
};
