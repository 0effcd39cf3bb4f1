#include "sequence/sequencerun.h"
#include "link/devicelink.h"

SequenceRun::SequenceRun(DeviceLink *link, std::vector<SequenceStep> steps, Press press,
                         int expectTimeoutMs, QObject *parent)
    : QObject(parent)
    , m_link(link)
    , m_steps(std::move(steps))
    , m_press(std::move(press))
    , m_expectTimeoutMs(expectTimeoutMs)
{
    m_timer.setSingleShot(true);
    // A pause is a promise to the player: never shorter than asked.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_waitingForClose)
            pressCommand();
        else if (m_steps[m_index].kind == SequenceStep::Kind::Wait)
            nextStep();
        else
            fail(QStringLiteral("\"%1\" did not come within %2 ms")
                     .arg(QString::fromUtf8(m_steps[m_index].expected))
                     .arg(m_expectTimeoutMs));
    });
    connect(m_link, &DeviceLink::frameSent, this, [this] {
        if (m_running)
            m_sinceFrame.clear();
    });
    // Only then is the next step taken: a run that ends with a frame still queued on the link
    // would have its owner close the link over it.
    connect(m_link, &DeviceLink::frameLeft, this, [this](int frame) {
        if (m_running && frame == m_frame)
            nextStep();
    });
    // The per-frame device closes its connection after answering: the next frame opens one,
    // once the socket has finished closing the last.
    connect(m_link, &DeviceLink::stateChanged, this, [this](DeviceLink::State state) {
        if (!m_running || !m_waitingForClose || state != DeviceLink::State::Closed)
            return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_running && m_waitingForClose)
                    pressCommand();
            },
            Qt::QueuedConnection);
    });
    connect(m_link, &DeviceLink::frameNotSent, this, [this](int frame) {
        if (m_running && frame == m_frame)
            fail(QStringLiteral("not sent: %1")
                     .arg(m_link->errorMessage().section(QLatin1Char('\n'), -1)));
    });
    // The step named is the command that the failure kept from being sent.
    connect(m_link, &DeviceLink::failed, this, [this](const QString &message) {
        if (!m_running)
            return;
        std::size_t next = m_index;
        while (next + 1 < m_steps.size() && m_steps[next].kind != SequenceStep::Kind::Command)
            ++next;
        m_index = next;
        m_linkFailed = true;
        const QString why =
            QStringLiteral("the link failed: %1").arg(message.section(QLatin1Char('\n'), -1));
        fail(m_steps[next].kind == SequenceStep::Kind::Command
                 ? QStringLiteral("%1 was not sent: %2").arg(m_steps[next].name, why)
                 : why);
    });
    connect(m_link, &DeviceLink::received, this, [this](const QByteArray &chunk) {
        if (!m_running)
            return;
        m_sinceFrame += chunk;
        if (m_steps[m_index].kind == SequenceStep::Kind::Expect && m_timer.isActive())
            checkExpected();
    });
}

void SequenceRun::start()
{
    m_running = true;
    m_index = 0;
    m_sinceFrame.clear();
    runStep();
}

void SequenceRun::stop(const QString &why)
{
    if (m_running)
        fail(why);
}

void SequenceRun::runStep()
{
    if (m_index == m_steps.size()) {
        m_running = false;
        emit finished({true, 0, QString(), m_sinceFrame});
        return;
    }
    emit stepStarted(int(m_index));
    const SequenceStep &step = m_steps[m_index];
    switch (step.kind) {
    case SequenceStep::Kind::Command:
        // Sent on a connection that the device is closing, the frame would be lost with it;
        // one that it keeps open gets the frame when the wait is over.
        if (m_link->target().perFrame && m_link->state() != DeviceLink::State::Closed) {
            m_waitingForClose = true;
            m_timer.start(m_expectTimeoutMs);
        } else {
            pressCommand();
        }
        break;
    case SequenceStep::Kind::Wait:
        m_timer.start(step.waitMs);
        break;
    case SequenceStep::Kind::Expect:
        m_timer.start(m_expectTimeoutMs);
        checkExpected();
        break;
    }
}

void SequenceRun::pressCommand()
{
    m_waitingForClose = false;
    m_timer.stop();
    m_frame = m_press(m_steps[m_index]);
    if (m_frame == 0)
        fail(QStringLiteral("not sent: no link is open"));
    else if (m_link->lastFrame() == m_frame && m_link->lastFrameState() == SendState::NotSent)
        fail(QStringLiteral("not sent: %1")
                 .arg(m_link->errorMessage().section(QLatin1Char('\n'), -1)));
    // Written at once, it may have left before its number was known here.
    else if (m_running && m_link->lastFrame() == m_frame &&
             m_link->lastFrameState() == SendState::Sent)
        nextStep();
}

// Not from inside the link's signal that ended the step: the next step may send at once.
void SequenceRun::nextStep()
{
    const std::size_t done = m_index;
    QMetaObject::invokeMethod(
        this,
        [this, done] {
            if (!m_running || m_index != done)
                return;
            ++m_index;
            runStep();
        },
        Qt::QueuedConnection);
}

void SequenceRun::checkExpected()
{
    if (m_sinceFrame.contains(m_steps[m_index].expected)) {
        m_timer.stop();
        nextStep();
    }
}

void SequenceRun::fail(const QString &reason)
{
    if (!m_running)
        return;
    m_running = false;
    m_waitingForClose = false;
    m_timer.stop();
    emit finished(
        {false, m_steps[m_index].line, reason, m_sinceFrame, std::exchange(m_linkFailed, false)});
}
