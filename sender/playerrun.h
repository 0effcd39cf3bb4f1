#pragma once

#include "link/linktarget.h"
#include "sender/playerresult.h"

#include <QObject>

#include <memory>
#include <vector>

class DeviceLink;

// One frame sent to every player, each on a link of its own opened for it alone. At most
// `maxOpen` links are open at once, so that no player fails for want of a file descriptor and
// the event loop keeps up with thousands; a player's wait for its answer starts once its frame
// has left. finished() once every player's result is known.
class PlayerRun : public QObject
{
    Q_OBJECT

public:
    PlayerRun(const QByteArray &frame, int answerWaitMs, int maxOpen);
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
        bool done = false;
    };

    void startNext();
    void open(std::size_t index);
    void finish(std::size_t index);

    QByteArray m_frame;
    int m_answerWaitMs;
    int m_maxOpen;
    std::vector<Player> m_players;
    std::size_t m_next = 0;
    std::size_t m_done = 0;
    int m_open = 0;
};
