#include "players/playerrun.h"
#include "connection/linksettings.h"
#include "link/devicelink.h"
#include "players/statuscheck.h"

PlayerRun::PlayerRun(int answerWaitMs, int maxOpen)
    : m_answerWaitMs(answerWaitMs)
    , m_maxOpen(maxOpen)
{}

PlayerRun::~PlayerRun() = default;

void PlayerRun::addPlayer(const LinkTarget &target, const PlayerResult &result,
                          std::shared_ptr<const PlayerWork> work)
{
    m_players.push_back({target, result, std::move(work), nullptr, nullptr, nullptr, false});
}

void PlayerRun::start()
{
    startNext();
}

// A serial player whose port is busy joins that port's queue; the queue's head is in the map.
std::optional<std::size_t> PlayerRun::nextToOpen()
{
    if (!m_portFreed.empty()) {
        const std::size_t index = m_portFreed.front();
        m_portFreed.pop_front();
        return index;
    }
    while (m_next < m_players.size()) {
        const std::size_t index = m_next++;
        const LinkTarget &target = m_players[index].target;
        if (target.kind != LinkTarget::Kind::Serial)
            return index;
        auto &queue = m_portQueues[serialDevicePath(target.port)];
        queue.push_back(index);
        if (queue.size() == 1)
            return index;
    }
    return std::nullopt;
}

void PlayerRun::startNext()
{
    while (m_open < m_maxOpen) {
        const auto index = nextToOpen();
        if (!index)
            return;
        open(*index);
    }
}

void PlayerRun::open(std::size_t index)
{
    Player &player = m_players[index];
    player.link = std::make_unique<DeviceLink>();
    if (m_connectTimeoutMs > 0)
        player.link->setConnectTimeoutMs(m_connectTimeoutMs);
    ++m_open;
    switch (player.work->kind) {
    case PlayerWork::Kind::Frame:
        sendFrame(index);
        return;
    case PlayerWork::Kind::Sequence:
        runSequence(index);
        return;
    case PlayerWork::Kind::Check:
        runCheck(index);
        return;
    }
}

// The frame is sent once all its bytes have left; what the player sends within the wait after
// that is its answer. A link that ends before the frame has left says why it was not sent.
void PlayerRun::sendFrame(std::size_t index)
{
    Player &player = m_players[index];
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
    link.send(player.work->frame, player.work->name, m_answerWaitMs);
}

// The link opens as the first step is sent; the player's verdict is the sequence's.
void PlayerRun::runSequence(std::size_t index)
{
    Player &player = m_players[index];
    DeviceLink *link = player.link.get();
    const PlayerWork *work = player.work.get();
    player.sequence = std::make_unique<SequenceRun>(
        link, work->steps,
        [link, work](const SequenceStep &step) {
            return link->send(work->frameOf(step), step.name);
        },
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
                                    .arg(work->steps.front().line)
                                    .arg(link->errorMessage().section(QLatin1Char('\n'), -1));
        finish(index);
        return;
    }
    player.sequence->start();
}

void PlayerRun::runCheck(std::size_t index)
{
    Player &player = m_players[index];
    player.check = std::make_unique<StatusCheck>(player.link.get(), player.work->frame,
                                                 player.work->name, m_answerWaitMs);
    connect(player.check.get(), &StatusCheck::finished, this, [this, index] {
        PlayerResult &result = m_players[index].result;
        const StatusCheck &check = *m_players[index].check;
        result.state = check.state();
        result.sent = check.state() == PlayerState::Answers;
        result.roundTripMs = check.roundTripMs();
        result.answer = check.answer();
        result.error = check.error();
        finish(index);
    });
    player.check->start(player.target);
}

void PlayerRun::finish(std::size_t index)
{
    if (std::exchange(m_players[index].done, true))
        return;
    emit playerFinished(int(index));
    // Not from inside the link's own signal. Its descriptor is free once it is gone, for the
    // next player to take.
    QMetaObject::invokeMethod(
        this,
        [this, index] {
            release(index);
            startNext();
            if (++m_done == m_players.size())
                emit finished();
        },
        Qt::QueuedConnection);
}

void PlayerRun::release(std::size_t index)
{
    Player &player = m_players[index];
    player.check.reset();
    player.sequence.reset();
    player.link.reset();
    --m_open;
    if (player.target.kind != LinkTarget::Kind::Serial)
        return;
    const auto queue = m_portQueues.find(serialDevicePath(player.target.port));
    queue->second.pop_front();
    if (queue->second.empty())
        m_portQueues.erase(queue);
    else
        m_portFreed.push_back(queue->second.front());
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
        if (player.work->kind == PlayerWork::Kind::Sequence) {
            player.result.verdict = QStringLiteral("failed: %1 before it started").arg(why);
            continue;
        }
        // Closing tells what had arrived (answered()), or that the frame never left.
        if (player.link && !player.check)
            player.link->close();
        player.result.error =
            why + (player.result.sent ? QStringLiteral(" while waiting for the answer")
                                      : QStringLiteral(" before the frame left"));
    }
}

std::vector<PlayerResult> PlayerRun::results() const
{
    std::vector<PlayerResult> results;
    results.reserve(m_players.size());
    for (const Player &player : m_players)
        results.push_back(player.result);
    return results;
}
