# zoxen-send --player NAME sends to every saved player.
# file: sender/sendercommandline.cpp
s/    QVector<SavedPlayer> chosen = all ? saved.players : QVector<SavedPlayer>();/    QVector<SavedPlayer> chosen = saved.players;/
