#pragma once

#include "sequence/sequencefile.h"

#include <QObject>
#include <QTimer>

#include <functional>

class DeviceLink;

// How a sequence ended on one player.
struct SequenceOutcome
{
    bool completed = false;
    // The line of the step it stopped at, and why.
    int line = 0;
    QString reason;
    // What the player sent since the last frame left.
    QByteArray lastAnswer;
    // The link failed: its owner has been told why.
    bool linkFailed = false;
};

// Runs a sequence's steps in order on one player's link: each command pressed as its owner
// presses it, the next step once its frame has left; pauses; waits for an expected answer.
// finished() once, when the last step is done, a step fails, the link fails or stop() is called.
class SequenceRun : public QObject
{
    Q_OBJECT

public:
    // Hands the control to the link and returns its frame's number, 0 when no link took it.
    using Press = std::function<int(const SequenceStep &step)>;

    // The link outlives the run; `expectTimeoutMs` bounds each wait for an expected answer.
    SequenceRun(DeviceLink *link, std::vector<SequenceStep> steps, Press press, int expectTimeoutMs,
                QObject *parent = nullptr);

    void start();
    void stop(const QString &why);
    bool isRunning() const { return m_running; }
    const std::vector<SequenceStep> &steps() const { return m_steps; }

signals:
    void stepStarted(int index);
    void finished(const SequenceOutcome &outcome);

private:
    void runStep();
    void pressCommand();
    void nextStep();
    void fail(const QString &reason);
    void checkExpected();

    DeviceLink *m_link;
    std::vector<SequenceStep> m_steps;
    Press m_press;
    int m_expectTimeoutMs;
    std::size_t m_index = 0;
    bool m_running = false;
    // The frame of the current command step, until it has left.
    int m_frame = 0;
    bool m_waitingForClose = false;
    bool m_linkFailed = false;
    QByteArray m_sinceFrame;
    QTimer m_timer;
};
