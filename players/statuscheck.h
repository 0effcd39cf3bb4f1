#pragma once

#include "link/linktarget.h"
#include "players/playerstate.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class DeviceLink;

// Asks one player how it is: opens its link, sends its model's status request, and takes the
// answer's first line (up to a line end, or a pause as in the timeline); a model without
// requests answers by letting its link open. finished() once, with what was found.
class StatusCheck : public QObject
{
    Q_OBJECT

public:
    // The link outlives the check. An empty request checks that the link opens.
    StatusCheck(DeviceLink *link, const QByteArray &request, const QString &name, int answerWaitMs);

    void start(const LinkTarget &target);

    PlayerState state() const { return m_state; }
    // From the request leaving to the answer's first byte; to the link opening when there is no
    // request. -1 when nothing came.
    int roundTripMs() const { return m_roundTripMs; }
    const QByteArray &answer() const { return m_answer; }
    // Why the link failed, when it did.
    const QString &error() const { return m_error; }

signals:
    void finished();

private:
    void onReceived(const QByteArray &chunk);
    void onFailed(const QString &message);
    void end(PlayerState state);

    DeviceLink *m_link;
    QByteArray m_request;
    QString m_name;
    int m_answerWaitMs;
    QElapsedTimer m_clock;
    qint64 m_requestLeftAt = 0;
    QTimer m_timer;
    PlayerState m_state = PlayerState::NotChecked;
    int m_roundTripMs = -1;
    QByteArray m_answer;
    QString m_error;
};
