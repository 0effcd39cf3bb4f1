#include "players/statuscheck.h"
#include "link/devicelink.h"
#include "timeline/linkhistory.h"

StatusCheck::StatusCheck(DeviceLink *link, const QByteArray &request, const QString &name,
                         int answerWaitMs)
    : m_link(link)
    , m_request(request)
    , m_name(name)
    , m_answerWaitMs(answerWaitMs)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this,
            [this] { end(m_answer.isEmpty() ? PlayerState::NoAnswer : PlayerState::Answers); });
}

void StatusCheck::start(const LinkTarget &target)
{
    m_clock.start();
    connect(m_link, &DeviceLink::received, this, &StatusCheck::onReceived);
    connect(m_link, &DeviceLink::failed, this, &StatusCheck::onFailed);
    connect(m_link, &DeviceLink::frameLeft, this, [this] {
        m_requestLeftAt = m_clock.elapsed();
        m_timer.start(m_answerWaitMs);
    });
    connect(m_link, &DeviceLink::stateChanged, this, [this](DeviceLink::State state) {
        if (state == DeviceLink::State::Open && m_request.isEmpty()) {
            m_roundTripMs = int(m_clock.elapsed());
            end(PlayerState::Answers);
        } else if (state == DeviceLink::State::Closed) {
            // A player that closes its connection after answering has said all it will.
            end(m_answer.isEmpty() ? PlayerState::NoAnswer : PlayerState::Answers);
        }
    });
    if (!m_link->open(target)) {
        onFailed(m_link->errorMessage());
        return;
    }
    if (!m_request.isEmpty())
        m_link->send(m_request, m_name);
}

void StatusCheck::onReceived(const QByteArray &chunk)
{
    if (m_answer.isEmpty())
        m_roundTripMs = int(m_clock.elapsed() - m_requestLeftAt);
    m_answer += chunk;
    if (m_answer.contains('\r') || m_answer.contains('\n'))
        end(PlayerState::Answers);
    else
        m_timer.start(timelinePauseMs);
}

// What came before the failure is the answer; without it, the failure says what the player is.
void StatusCheck::onFailed(const QString &message)
{
    m_error = message;
    if (!m_answer.isEmpty()) {
        end(PlayerState::Answers);
        return;
    }
    switch (m_link->lastFailure()) {
    case LinkFailure::Refused:
        end(PlayerState::Refused);
        return;
    case LinkFailure::Absent:
        end(PlayerState::NotPresent);
        return;
    default:
        end(PlayerState::NoAnswer);
    }
}

void StatusCheck::end(PlayerState state)
{
    if (m_state != PlayerState::NotChecked)
        return;
    m_state = state;
    m_timer.stop();
    m_link->disconnect(this);
    emit finished();
}
