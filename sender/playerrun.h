#pragma once

#include "link/linktarget.h"
#include "sender/playerresult.h"
#include "sequence/sequencerun.h"

#include <QObject>

#include <memory>
#include <vector>

class DeviceLink;

// One frame sent to every player, or a sequence run on each, each on a link of its own opened
// for it alone. At most `maxOpen` links are open at once, so that no player fails for want of a
// file descriptor and the event loop keeps up with thousands; a player's wait for its answer
// starts once its frame has left. finished() once every player's result is known.
class PlayerRun : public QObject
{
    Q_OBJECT

public:
    using FrameOf = std::function<QByteArray(const SequenceStep &step)>;

    PlayerRun(const QByteArray &frame, int answerWaitMs, int maxOpen);
    // `frameOf` builds each command step's frame as it is sent; `answerWaitMs` bounds each wait
    // for an expected answer.
    PlayerRun(std::vector<SequenceStep> steps, FrameOf frameOf, int answerWaitMs, int maxOpen);
    ~PlayerRun() override;

    void addPlayer(const LinkTarget &target, const PlayerResult &result);
    void start();
    // Ends every link still open: a player whose frame had left keeps what it answered so far,
    // the others were not sent; `why` is said of each.
    void interrupt(const QString &why);
    // In the order the players were added.
    std::vector<PlayerResult> results() const;

signals:
    void finished();

private:
    struct Player
    {
        LinkTarget target;
        PlayerResult result;
        std::unique_ptr<DeviceLink> link;
        std::unique_ptr<SequenceRun> sequence;
        bool done = false;
    };

    void startNext();
    void open(std::size_t index);
    void finish(std::size_t index);
    void runSequence(std::size_t index);

    QByteArray m_frame;
    std::vector<SequenceStep> m_steps;
    FrameOf m_frameOf;
    int m_answerWaitMs;
    int m_maxOpen;
    std::vector<Player> m_players;
    std::size_t m_next = 0;
    std::size_t m_done = 0;
    int m_open = 0;
};
