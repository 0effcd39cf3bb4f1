#pragma once

#include "app/consoleenvironment.h"
#include "players/playerlink.h"
#include "players/playerrun.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// A site's players at a glance: each asked how it is, on demand and every few seconds when
// chosen, on links of its own (the main window's link is never touched); a command or a
// sequence sent to the rows selected, with a result in each row.
class SiteStatusWindow : public QWidget
{
    Q_OBJECT

public:
    SiteStatusWindow(const QVector<SavedPlayer> &players, const ConsoleEnvironment &environment,
                     QWidget *parent);
    ~SiteStatusWindow() override;

    void check();
    // The command as zoxen-send names it ("Play", "Volume 40"), to every selected row.
    void sendCommand(const QString &typed);
    void runSequence(const QString &path);

signals:
    // A check, a command or a sequence is done on every player it went to.
    void finished();

private:
    enum Column
    {
        NameColumn,
        ModelColumn,
        AddressColumn,
        StateColumn,
        RoundTripColumn,
        AnswerColumn,
        ResultColumn,
        ColumnCount,
    };
    struct Row
    {
        SavedPlayer player;
        PlayerLink link;
    };
    using WorkOf = std::function<std::shared_ptr<const PlayerWork>(const Row &row, QString &error)>;

    void start(std::unique_ptr<PlayerRun> run, const std::vector<int> &rows, const WorkOf &workOf,
               bool isCheck);
    void showCheck(int row, const PlayerResult &result);
    void showResult(int row, const PlayerResult &result);
    void setCell(int row, Column column, const QString &text);
    std::vector<int> selectedRows() const;
    void showState();

    const ConsoleEnvironment &m_environment;
    std::vector<Row> m_rows;
    QTableWidget *m_table;
    QPushButton *m_checkButton;
    QCheckBox *m_every;
    QSpinBox *m_seconds;
    QLabel *m_progress;
    QLineEdit *m_command;
    QPushButton *m_sendButton;
    QPushButton *m_sequenceButton;
    QTimer m_refresh;
    std::unique_ptr<PlayerRun> m_run;
    // The table's rows of the run's players, in the run's order.
    std::vector<int> m_runRows;
    bool m_checking = false;
    int m_finished = 0;
    int m_succeeded = 0;
};
