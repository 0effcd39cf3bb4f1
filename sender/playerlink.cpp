#include "sender/playerlink.h"

PlayerLink::PlayerLink(const QString &address, const QByteArray &frame, int waitMs)
    : m_address(address)
    , m_frame(frame)
    , m_waitMs(waitMs)
    , m_bytesLeft(frame.size())
{
    m_answerWait.setSingleShot(true);
    connect(&m_answerWait, &QTimer::timeout, this, [this] { end(QString()); });
}

void PlayerLink::onBytesWritten(qint64 bytes)
{
    if (m_sent)
        return;
    m_bytesLeft -= bytes;
    if (m_bytesLeft > 0)
        return;
    m_sent = true;
    m_answerWait.start(m_waitMs);
}

void PlayerLink::end(const QString &error)
{
    if (m_finished)
        return;
    m_finished = true;
    m_answerWait.stop();
    if (!m_sent)
        m_error = error;
    close();
    emit finished();
}
