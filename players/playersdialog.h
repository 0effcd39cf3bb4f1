#pragma once

#include "players/playersfile.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

// The saved players in a table: renamed, removed, or one chosen to become the window's player.
class PlayersDialog : public QDialog
{
    Q_OBJECT

public:
    // `rename` and `remove` change the list and write it, and say whether they did.
    using Rename = std::function<bool(int index)>;
    using Remove = std::function<bool(int index)>;

    PlayersDialog(const SavedPlayers &saved, const QString &path, Rename rename, Remove remove,
                  QWidget *parent);

    // Once accepted: the row chosen.
    std::optional<int> chosen() const { return m_chosen; }

private:
    void fill();
    int selectedRow() const;
    void showState();

    const SavedPlayers &m_saved;
    Rename m_rename;
    Remove m_remove;
    QTableWidget *m_table;
    QPushButton *m_choose;
    QPushButton *m_renameButton;
    QPushButton *m_removeButton;
    std::optional<int> m_chosen;
};
