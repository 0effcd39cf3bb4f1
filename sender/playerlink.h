#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

// One player's link for one frame: opened, the frame written once, the answer collected for a
// while, closed. The frame counts as sent once all its bytes have left.
class PlayerLink : public QObject
{
    Q_OBJECT

public:
    PlayerLink(const QString &address, const QByteArray &frame, int waitMs);

    virtual void start() = 0;

    QString address() const { return m_address; }
    bool sent() const { return m_sent; }
    bool isFinished() const { return m_finished; }
    // Why the frame was not sent: the window's message, title line and reason.
    QString error() const { return m_error; }
    QByteArray answer() const { return m_answer; }

signals:
    void finished();

protected:
    const QByteArray &frame() const { return m_frame; }
    // Counts the bytes that have left; the last of them starts the wait for the answer.
    void onBytesWritten(qint64 bytes);
    void receive(const QByteArray &bytes) { m_answer += bytes; }
    // The link failed or ended: before the frame left, that is the player's error.
    void end(const QString &error);
    virtual void close() = 0;

private:
    QString m_address;
    QByteArray m_frame;
    int m_waitMs = 0;
    qint64 m_bytesLeft = 0;
    bool m_sent = false;
    bool m_finished = false;
    QString m_error;
    QByteArray m_answer;
    QTimer m_answerWait;
};
