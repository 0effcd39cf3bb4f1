#pragma once

#include "app/consoleenvironment.h"

#include <QObject>

#include <functional>

class DeviceLink;
class QLabel;
class SessionRecorder;
struct RecordingFailure;
namespace Ui {
class MainWindow;
}

// The window's File menu for the session: Record Session, Stop Recording and Save Received
// Data, the recording's state in the status bar, and what the recording writes of the link,
// which it follows through the link's signals.
class SessionRecording : public QObject
{
    Q_OBJECT

public:
    // `model` tells the model chosen now. The window's form and link outlive this object.
    SessionRecording(QWidget *window, Ui::MainWindow *ui, DeviceLink *link,
                     const ConsoleEnvironment &environment,
                     std::function<const PlayerModel *()> model);

    // Another model was chosen.
    void recordModel();

private:
    void start();
    void stop();
    void showState();
    void onFailed(const RecordingFailure &failure);
    void saveReceivedData();
    QString proposedPath(const QString &what, const QString &suffix) const;
    void recordFrame(int frame, const QByteArray &bytes, const QString &name, bool sent);
    void recordLinkEvent(const QString &event);
    void recordLinkState();

    QWidget *m_window;
    Ui::MainWindow *m_ui;
    DeviceLink *m_link;
    const ConsoleEnvironment &m_environment;
    std::function<const PlayerModel *()> m_model;
    SessionRecorder *m_recorder;
    QLabel *m_label;
    // Frames up to this one were on their way before the recording started: they belong to
    // none.
    int m_lastFrameBefore = 0;
    // The open link as the recording last described it; empty when none was open.
    QString m_recordedLink;
    // The link has been waiting for its device since it was last open or closed.
    bool m_waiting = false;
};
