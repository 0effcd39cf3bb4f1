#include "players/playersmenu.h"
#include "config/configurationfile.h"
#include "players/hostlist.h"
#include "players/playerlink.h"
#include "players/playersdialog.h"
#include "players/sitestatuswindow.h"
#include "sequence/sequencefile.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

PlayersMenu::PlayersMenu(QWidget *window, Ui::MainWindow *ui, const ConsoleEnvironment &environment,
                         Current current, Choose choose)
    : QObject(window)
    , m_window(window)
    , m_environment(environment)
    , m_current(std::move(current))
    , m_choose(std::move(choose))
{
    connect(ui->action_Save_As_Player, &QAction::triggered, this, &PlayersMenu::saveCurrent);
    connect(ui->action_Players, &QAction::triggered, this, &PlayersMenu::showList);
    connect(ui->action_Site_Status, &QAction::triggered, this,
            [this] { showSiteStatus(m_saved.players); });
    connect(ui->action_Site_Status_From_Hosts_File, &QAction::triggered, this,
            &PlayersMenu::showHostsStatus);
}

void PlayersMenu::load(const QString &path)
{
    m_path = path;
    m_saved = readPlayersFile(path, m_environment.catalogue);
}

// A name given to another player replaces that player once the user says so.
void PlayersMenu::saveCurrent()
{
    SavedPlayer player = m_current();
    if (player.model.isEmpty())
        return;
    player.name = askName(tr("Save as Player"), player.address, -1);
    if (player.name.isEmpty())
        return;
    const auto same =
        std::find_if(m_saved.players.begin(), m_saved.players.end(),
                     [&player](const SavedPlayer &p) { return p.name == player.name; });
    if (same != m_saved.players.end())
        *same = player;
    else
        m_saved.players.append(player);
    write();
}

QString PlayersMenu::askName(const QString &title, const QString &proposed, int except)
{
    QString name = proposed;
    while (true) {
        name = m_environment.askText(m_window, title, tr("Player's name:"), name).trimmed();
        if (name.isEmpty())
            return QString();
        if (!isPlayerName(name)) {
            QMessageBox::warning(m_window, title,
                                 tr("A player's name cannot hold a tab or start with #."));
            continue;
        }
        int other = -1;
        for (int index = 0; index < m_saved.players.size(); ++index) {
            if (m_saved.players.at(index).name == name && index != except)
                other = index;
        }
        if (other < 0)
            return name;
        if (except < 0 &&
            QMessageBox::question(m_window, title,
                                  tr("A player is already named %1. Replace it?").arg(name)) ==
                QMessageBox::Yes)
            return name;
        if (except >= 0)
            QMessageBox::warning(m_window, title, tr("A player is already named %1.").arg(name));
    }
}

void PlayersMenu::showList()
{
    PlayersDialog dialog(
        m_saved, m_path,
        [this](int index) {
            const QString name =
                askName(tr("Rename Player"), m_saved.players.at(index).name, index);
            if (name.isEmpty())
                return false;
            m_saved.players[index].name = name;
            return write();
        },
        [this](int index) {
            if (QMessageBox::question(m_window, tr("Remove Player"),
                                      tr("Remove the player %1 from the list?")
                                          .arg(m_saved.players.at(index).name)) != QMessageBox::Yes)
                return false;
            m_saved.players.removeAt(index);
            return write();
        },
        m_window);
    if (dialog.exec() == QDialog::Accepted && dialog.chosen())
        m_choose(m_saved.players.at(*dialog.chosen()));
}

// One window at a time: opened again, it shows the list as it is now.
void PlayersMenu::showSiteStatus(const QVector<SavedPlayer> &players)
{
    if (m_site)
        m_site->close();
    m_site = new SiteStatusWindow(players, m_environment, m_window);
    m_site->show();
    m_site->check();
}

void PlayersMenu::showHostsStatus()
{
    const SavedPlayer current = m_current();
    const QString title = tr("Site Status from Hosts File");
    const QString path = m_environment.chooseOpenPath(m_window, title, QString());
    if (path.isEmpty())
        return;
    auto [content, error] = readTextFile(path, tr("a text file of addresses"));
    HostList hosts;
    const auto link = playerLink(current, m_environment.catalogue);
    if (error.isEmpty() && (!link || link->target.kind != LinkTarget::Kind::Tcp))
        error = tr("Choose a TCP/IP model first: the addresses are its players'.");
    if (error.isEmpty())
        error = hosts.addLines(content, path);
    if (!error.isEmpty()) {
        QMessageBox::warning(m_window, title, error);
        return;
    }
    QVector<SavedPlayer> players;
    for (const QString &host : qAsConst(hosts.hosts))
        players.append({host, current.model, host, current.id, std::nullopt});
    showSiteStatus(players);
}

bool PlayersMenu::write()
{
    if (m_saved.refused) {
        QMessageBox::warning(m_window, tr("Players"),
                             tr("The players file %1 could not be read: it is left as it is, and "
                                "nothing was saved.")
                                 .arg(m_path));
        return false;
    }
    if (writeConfigurationFile(m_path, formatPlayers(m_saved)))
        return true;
    QMessageBox::warning(m_window, tr("Players"),
                         tr("The players could not be saved to %1.").arg(m_path));
    return false;
}
