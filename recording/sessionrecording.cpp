#include "recording/sessionrecording.h"
#include "app/mainwindow.h"
#include "config/configurationfile.h"
#include "link/devicelink.h"
#include "receive/receivedview.h"
#include "recording/sessionlines.h"
#include "recording/sessionrecorder.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QStandardPaths>

namespace {
const char waitingForDevice[] = "waiting for the device to come back";
} // namespace

// In the documents directory, or the home directory without one, named after the model and the
// moment; characters that file systems refuse (the model names hold slashes) become dashes.
QString SessionRecording::proposedPath(const QString &what, const QString &suffix) const
{
    const PlayerModel *model = m_model();
    QString name =
        QStringLiteral("%1 %2 %3")
            .arg(model ? model->name : QString(), what,
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
    for (QChar &c : name) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    }
    // A dialog opened in a directory that does not exist shows the working directory instead.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QDir directory(!documents.isEmpty() && QDir(documents).exists() ? documents
                                                                          : QDir::homePath());
    return directory.filePath(name.trimmed() + suffix);
}

SessionRecording::SessionRecording(QWidget *window, Ui::MainWindow *ui, DeviceLink *link,
                                   const ConsoleEnvironment &environment,
                                   std::function<const PlayerModel *()> model)
    : QObject(window)
    , m_window(window)
    , m_ui(ui)
    , m_link(link)
    , m_environment(environment)
    , m_model(std::move(model))
    , m_recorder(new SessionRecorder(environment.recordingBufferBytes, this))
    , m_label(new QLabel(window))
{
    m_label->setObjectName(QStringLiteral("label_Recording"));
    m_ui->statusBar->addPermanentWidget(m_label);
    // A link waiting for its device fails at each try: the recording tells the loss alone.
    connect(m_link, &DeviceLink::failed, this, [this](const QString &message) {
        if (!m_waiting)
            recordLinkEvent(QStringLiteral("error: ") + message);
    });
    connect(m_link, &DeviceLink::frameSent, this,
            [this](int frame, const QByteArray &bytes, const QString &name) {
                recordFrame(frame, bytes, name, true);
            });
    connect(m_link, &DeviceLink::frameNotSent, this,
            [this](int frame, const QByteArray &bytes, const QString &name) {
                recordFrame(frame, bytes, name, false);
            });
    connect(m_link, &DeviceLink::stateChanged, this, &SessionRecording::recordLinkState);
    connect(m_link, &DeviceLink::received, this, [this](const QByteArray &chunk) {
        if (m_recorder->isRecording())
            m_recorder->record(SessionLine::received(m_environment.sessionClock(), chunk));
    });
    connect(m_recorder, &SessionRecorder::progressed, this, &SessionRecording::showState);
    connect(m_recorder, &SessionRecorder::stopped, this, &SessionRecording::showState);
    connect(m_recorder, &SessionRecorder::failed, this, &SessionRecording::onFailed);
    connect(m_ui->action_Record_Session, &QAction::triggered, this, &SessionRecording::start);
    connect(m_ui->action_Stop_Recording, &QAction::triggered, this, &SessionRecording::stop);
    connect(m_ui->action_Save_Received_Data, &QAction::triggered, this,
            &SessionRecording::saveReceivedData);
    showState();
}

// The file opens in append mode: a session recorded in several goes stays in one file. The
// dialog says so, and asks nothing about replacing it.
void SessionRecording::start()
{
    const QString path = m_environment.chooseSavePath(
        m_window, MainWindow::tr("Record Session (an existing file is appended to)"),
        proposedPath(MainWindow::tr("session"), QStringLiteral(".log")), ExistingFile::AppendedTo);
    if (path.isEmpty())
        return;
    m_recorder->start(path);
    // Frames already on their way belong to no recording.
    m_lastFrameBefore = m_link->lastFrame();
    const QDateTime now = m_environment.sessionClock();
    m_recorder->record(SessionLine::event(now, "recording", QStringLiteral("started")));
    if (const PlayerModel *model = m_model())
        m_recorder->record(SessionLine::event(now, "model", model->name));
    if (!m_recordedLink.isEmpty())
        m_recorder->record(
            SessionLine::event(now, "link", QStringLiteral("connected to ") + m_recordedLink));
    if (m_waiting)
        m_recorder->record(SessionLine::event(now, "link", QLatin1String(waitingForDevice)));
    showState();
}

void SessionRecording::stop()
{
    m_recorder->record(
        SessionLine::event(m_environment.sessionClock(), "recording", QStringLiteral("stopped")));
    m_recorder->stop();
}

void SessionRecording::showState()
{
    const bool recording = m_recorder->isRecording();
    m_ui->action_Record_Session->setEnabled(!recording);
    m_ui->action_Stop_Recording->setEnabled(recording);
    m_label->setVisible(recording);
    m_label->setText(MainWindow::tr("Recording to %1: %2")
                         .arg(QFileInfo(m_recorder->fileName()).fileName(),
                              m_window->locale().formattedDataSize(m_recorder->bytesRecorded())));
    m_label->setToolTip(m_recorder->fileName());
}

// The console goes on without the recording: one box says why it stopped.
void SessionRecording::onFailed(const RecordingFailure &failure)
{
    showState();
    const QString path = m_recorder->fileName();
    QString text;
    switch (failure.kind) {
    case RecordingFailure::Kind::CannotOpen:
        text = MainWindow::tr("The session cannot be recorded to %1:").arg(path) +
               QLatin1Char('\n') + failure.reason;
        break;
    case RecordingFailure::Kind::CannotWrite:
        text = MainWindow::tr("The recording to %1 has stopped:").arg(path) + QLatin1Char('\n') +
               failure.reason;
        break;
    case RecordingFailure::Kind::FileGone:
        text = MainWindow::tr("The recording to %1 has stopped: the file was deleted or replaced.")
                   .arg(path);
        break;
    case RecordingFailure::Kind::Stalled:
        text = MainWindow::tr("The recording to %1 has stopped: the file does not take the lines "
                              "as fast as they come (a stalled medium, or a reader that does not "
                              "read).")
                   .arg(path);
        break;
    }
    if (failure.bytesLost > 0 && failure.kind != RecordingFailure::Kind::CannotOpen)
        text +=
            QLatin1Char('\n') + MainWindow::tr("The last %1 of the recording were not written.")
                                    .arg(m_window->locale().formattedDataSize(failure.bytesLost));
    QMessageBox::critical(m_window, MainWindow::tr("Recording error"), text, QMessageBox::Ok,
                          QMessageBox::NoButton);
}

// The whole store, as it is: replaced in one go, so that a failure leaves any older file intact.
void SessionRecording::saveReceivedData()
{
    const QString path = m_environment.chooseSavePath(
        m_window, MainWindow::tr("Save Received Data"),
        proposedPath(MainWindow::tr("received"), QStringLiteral(".txt")), ExistingFile::Replaced);
    if (path.isEmpty())
        return;
    if (!writeConfigurationFile(path, m_ui->textEdit_Data->text().toUtf8())) {
        QMessageBox::critical(
            m_window, MainWindow::tr("Save error"),
            MainWindow::tr("The received data could not be saved to %1.").arg(path),
            QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    m_ui->statusBar->showMessage(MainWindow::tr("Received data saved to %1").arg(path));
}

void SessionRecording::recordFrame(int frame, const QByteArray &bytes, const QString &name,
                                   bool sent)
{
    if (!m_recorder->isRecording() || frame <= m_lastFrameBefore)
        return;
    const QDateTime now = m_environment.sessionClock();
    m_recorder->record(sent ? SessionLine::sent(now, bytes, name)
                            : SessionLine::notSent(now, bytes, name));
}

void SessionRecording::recordLinkEvent(const QString &event)
{
    if (m_recorder->isRecording())
        m_recorder->record(SessionLine::event(m_environment.sessionClock(), "link", event));
}

// Runs at every change of the link; writes only the changes, and a wait for the device once,
// however many times the link tries it again.
void SessionRecording::recordLinkState()
{
    const QString described = m_link->description();
    if (described != m_recordedLink) {
        if (!m_recordedLink.isEmpty())
            recordLinkEvent(QStringLiteral("disconnected from ") + m_recordedLink);
        if (!described.isEmpty())
            recordLinkEvent(QStringLiteral("connected to ") + described);
        m_recordedLink = described;
    }
    const DeviceLink::State state = m_link->state();
    if (state == DeviceLink::State::Waiting && !m_waiting)
        recordLinkEvent(QLatin1String(waitingForDevice));
    if (state != DeviceLink::State::Connecting)
        m_waiting = state == DeviceLink::State::Waiting;
}

void SessionRecording::recordModel()
{
    const PlayerModel *model = m_model();
    if (model && m_recorder->isRecording())
        m_recorder->record(SessionLine::event(m_environment.sessionClock(), "model", model->name));
}
