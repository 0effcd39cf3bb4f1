#include "sender/playerrun.h"
#include "link/devicelink.h"

PlayerRun::PlayerRun(const QByteArray &frame, int answerWaitMs, int maxOpen)
    : m_frame(frame)
    , m_answerWaitMs(answerWaitMs)
    , m_maxOpen(maxOpen)
{}

PlayerRun::PlayerRun(std::vector<SequenceStep> steps, FrameOf frameOf, int answerWaitMs,
                     int maxOpen)
    : m_steps(std::move(steps))
    , m_frameOf(std::move(frameOf))
    , m_answerWaitMs(answerWaitMs)
    , m_maxOpen(maxOpen)
{}

PlayerRun::~PlayerRun() = default;

void PlayerRun::addPlayer(const LinkTarget &target, const PlayerResult &result)
{
    m_players.push_back({target, result, nullptr, nullptr, false});
}

void PlayerRun::start()
{
    startNext();
}

void PlayerRun::startNext()
{
    while (m_open < m_maxOpen && m_next < m_players.size())
        open(m_next++);
}

// The frame is sent once all its bytes have left; what the player sends within the wait after
// that is its answer. A link that ends before the frame has left says why it was not sent.
void PlayerRun::open(std::size_t index)
{
    Player &player = m_players[index];
    player.link = std::make_unique<DeviceLink>();
    ++m_open;
    if (!m_steps.empty()) {
        runSequence(index);
        return;
    }
    DeviceLink &link = *player.link;
    connect(&link, &DeviceLink::answered, this, [this, index](int, const QByteArray &answer) {
        m_players[index].result.sent = true;
        m_players[index].result.answer = answer;
        finish(index);
    });
    connect(&link, &DeviceLink::frameNotSent, this, [this, index] {
        m_players[index].result.error = m_players[index].link->errorMessage();
        finish(index);
    });
    if (!link.open(player.target)) {
        player.result.error = link.errorMessage();
        finish(index);
        return;
    }
    link.send(m_frame, QString(), m_answerWaitMs);
}

// The link opens as the first step is sent; the player's verdict is the sequence's.
void PlayerRun::runSequence(std::size_t index)
{
    Player &player = m_players[index];
    DeviceLink *link = player.link.get();
    player.sequence = std::make_unique<SequenceRun>(
        link, m_steps,
        [this, link](const SequenceStep &step) { return link->send(m_frameOf(step), step.name); },
        m_answerWaitMs);
    connect(
        player.sequence.get(), &SequenceRun::finished, this,
        [this, index](const SequenceOutcome &outcome) {
            PlayerResult &result = m_players[index].result;
            result.sent = outcome.completed;
            result.answer = outcome.lastAnswer;
            result.verdict =
                outcome.completed
                    ? QStringLiteral("done")
                    : QStringLiteral("failed at line %1: %2").arg(outcome.line).arg(outcome.reason);
            finish(index);
        });
    if (!link->open(player.target)) {
        player.result.verdict = QStringLiteral("failed at line %1: the link failed: %2")
                                    .arg(m_steps.front().line)
                                    .arg(link->errorMessage().section(QLatin1Char('\n'), -1));
        finish(index);
        return;
    }
    player.sequence->start();
}

void PlayerRun::finish(std::size_t index)
{
    if (std::exchange(m_players[index].done, true))
        return;
    // Not from inside the link's own signal. Its descriptor is free once it is gone, for the
    // next player to take.
    QMetaObject::invokeMethod(
        this,
        [this, index] {
            m_players[index].sequence.reset();
            m_players[index].link.reset();
            --m_open;
            startNext();
            if (++m_done == m_players.size())
                emit finished();
        },
        Qt::QueuedConnection);
}

void PlayerRun::interrupt(const QString &why)
{
    for (Player &player : m_players) {
        if (player.sequence && !player.done) {
            player.sequence->stop(why);
            continue;
        }
        if (std::exchange(player.done, true))
            continue;
        if (!m_steps.empty()) {
            player.result.verdict = QStringLiteral("failed: %1 before it started").arg(why);
            continue;
        }
        // Closing tells what had arrived (answered()), or that the frame never left.
        if (player.link)
            player.link->close();
        player.result.error =
            why + (player.result.sent ? QStringLiteral(" while waiting for the answer")
                                      : QStringLiteral(" before the frame left"));
    }
}

std::vector<PlayerResult> PlayerRun::results() const
{
    std::vector<PlayerResult> results;
    for (const Player &player : m_players)
        results.push_back(player.result);
    return results;
}
