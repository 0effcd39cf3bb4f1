#pragma once

#include "app/consoleenvironment.h"
#include "sequence/sequencerun.h"

#include <QObject>

#include <functional>
#include <memory>

class DeviceLink;
namespace Ui {
class MainWindow;
}

// The window's Sequences menu: a sequence file run on the window's player, each step pressed
// as its button is; the recently run files; and the commands the user presses written as a
// sequence, with the pauses between them.
class SequenceMenu : public QObject
{
    Q_OBJECT

public:
    // Presses a control as its button does.
    using Press = std::function<void(const Control &control)>;

    // The window's form and link outlive this object; `model` tells the model chosen now.
    SequenceMenu(QWidget *window, Ui::MainWindow *ui, DeviceLink *link,
                 const ConsoleEnvironment &environment, std::function<const PlayerModel *()> model,
                 Press press);
    ~SequenceMenu() override;

    // Most recent first.
    QStringList recentFiles() const { return m_recent; }
    void setRecentFiles(const QStringList &paths);

    // A control the user pressed, for a sequence being recorded.
    void pressed(const Control &control);

    // Where the last run stopped when a failure of the link stopped it, for the window's box
    // about that failure to say; empty otherwise. Told once.
    QString takeLinkStopNote() { return std::exchange(m_linkStopNote, QString()); }

private:
    void chooseAndRun();
    void run(const QString &path);
    void onStep(int index);
    void onFinished(const SequenceOutcome &outcome);
    void startRecording();
    void stopRecording();
    void showState();

    QWidget *m_window;
    Ui::MainWindow *m_ui;
    DeviceLink *m_link;
    const ConsoleEnvironment &m_environment;
    std::function<const PlayerModel *()> m_model;
    Press m_press;
    QStringList m_recent;

    std::unique_ptr<SequenceRun> m_run;
    QString m_runPath;
    bool m_stoppedHere = false;
    QString m_linkStopNote;

    QString m_recordPath;
    QStringList m_recorded;
    QDateTime m_lastPress;
};
