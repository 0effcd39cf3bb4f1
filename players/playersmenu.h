#pragma once

#include "app/consoleenvironment.h"
#include "players/playersfile.h"

#include <QObject>
#include <QPointer>

#include <functional>

class SiteStatusWindow;
namespace Ui {
class MainWindow;
}

// The window's Players menu: the window's player saved by name, the saved players listed (one
// chosen becomes the window's player), and the site's status, of the saved players or of a
// hosts file's addresses for the window's model. The list is kept in a file of its own beside
// the settings file, written at each change.
class PlayersMenu : public QObject
{
    Q_OBJECT

public:
    // What the window's controls say of its player now (without a name), and how it becomes
    // a saved one.
    using Current = std::function<SavedPlayer()>;
    using Choose = std::function<void(const SavedPlayer &player)>;

    PlayersMenu(QWidget *window, Ui::MainWindow *ui, const ConsoleEnvironment &environment,
                Current current, Choose choose);

    void load(const QString &path);

private:
    void saveCurrent();
    void showList();
    void showSiteStatus(const QVector<SavedPlayer> &players);
    void showHostsStatus();
    // A name the file can hold and no other player has; asks again otherwise.
    QString askName(const QString &title, const QString &proposed, int except);
    bool write();

    QWidget *m_window;
    const ConsoleEnvironment &m_environment;
    Current m_current;
    Choose m_choose;
    QString m_path;
    SavedPlayers m_saved;
    QPointer<SiteStatusWindow> m_site;
};
