#pragma once

#include "link/linktarget.h"
#include "players/playerresult.h"
#include "sequence/sequencerun.h"

#include <QObject>

#include <deque>
#include <map>
#include <memory>
#include <vector>

class DeviceLink;
class StatusCheck;

// Links a site's check or commands open at once: enough to reach hundreds in seconds, few
// enough for any file limit and for a network of players to take at once.
constexpr int siteLinksAtOnce = 64;

// What is done on one player's link.
struct PlayerWork
{
    enum class Kind
    {
        Frame,
        Sequence,
        Check,
    };
    Kind kind = Kind::Frame;
    // Frame: the frame sent. Check: the status request, empty to check that the link opens.
    QByteArray frame;
    QString name;
    // Sequence: its steps, and each command step's frame, built as it is sent.
    std::vector<SequenceStep> steps;
    std::function<QByteArray(const SequenceStep &step)> frameOf;
};

// A frame sent, a sequence run or a check made on every player, each on a link of its own
// opened for it alone. At most `maxOpen` links are open at once, so that no player fails for want
// of a file descriptor and the event loop keeps up with thousands, and one at a time on each
// serial port; a player's wait for its answer starts once its frame has left. playerFinished()
// as each player's result is known, finished() once all are.
class PlayerRun : public QObject
{
    Q_OBJECT

public:
    // `answerWaitMs` bounds each wait for an answer.
    PlayerRun(int answerWaitMs, int maxOpen);
    ~PlayerRun() override;

    void setConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }
    // Players of one model share their work.
    void addPlayer(const LinkTarget &target, const PlayerResult &result,
                   std::shared_ptr<const PlayerWork> work);
    void start();
    // Ends every link still open: a player whose frame had left keeps what it answered so far,
    // the others were not sent; `why` is said of each.
    void interrupt(const QString &why);
    // In the order the players were added.
    std::vector<PlayerResult> results() const;
    const PlayerResult &result(int index) const { return m_players.at(std::size_t(index)).result; }

signals:
    void playerFinished(int index);
    void finished();

private:
    struct Player
    {
        LinkTarget target;
        PlayerResult result;
        std::shared_ptr<const PlayerWork> work;
        std::unique_ptr<DeviceLink> link;
        std::unique_ptr<SequenceRun> sequence;
        std::unique_ptr<StatusCheck> check;
        bool done = false;
    };

    std::optional<std::size_t> nextToOpen();
    void startNext();
    void open(std::size_t index);
    void sendFrame(std::size_t index);
    void runSequence(std::size_t index);
    void runCheck(std::size_t index);
    void finish(std::size_t index);
    void release(std::size_t index);

    int m_answerWaitMs;
    int m_maxOpen;
    int m_connectTimeoutMs = -1;
    std::vector<Player> m_players;
    std::size_t m_next = 0;
    std::size_t m_done = 0;
    int m_open = 0;
    // Serial players wait for the one before them on the same port.
    std::map<QString, std::deque<std::size_t>> m_portQueues;
    std::deque<std::size_t> m_portFreed;
};
