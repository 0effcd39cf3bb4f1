#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the event loop on SIGINT (Ctrl+C), SIGTERM or SIGHUP (logout, kill, a service manager),
// so that what the program does at its normal end, such as saving settings, still runs. The
// handler only writes the signal's number to a pipe; the loop reads it, so nothing but write()
// runs inside the handler. SIGPIPE is ignored: a write to a reader that has gone fails instead.
class QuitOnSignals : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignals(QObject *parent = nullptr);
    ~QuitOnSignals() override;

    bool install();

signals:
    void received(int signalNumber);

private:
    static void handle(int signalNumber);
    void readPipe();

    static int s_pipe[2];
    QSocketNotifier *m_notifier = nullptr;
};
