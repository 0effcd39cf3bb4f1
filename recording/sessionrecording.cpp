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

// In the documents directory, named after the model and the moment; characters that file
// systems refuse (the model names hold slashes) become dashes.
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
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).filePath(name.trimmed() + suffix);
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
    , m_recorder(new SessionRecorder(this))
    , m_label(new QLabel(window))
{
    m_label->setObjectName(QStringLiteral("label_Recording"));
    m_ui->statusBar->addPermanentWidget(m_label);
    connect(m_link, &DeviceLink::failed, this, [this](const QString &message) {
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

// The file opens in append mode: a session recorded in several goes stays in one file.
void SessionRecording::start()
{
    const QString path = m_environment.chooseSavePath(
        m_window, MainWindow::tr("Record Session"),
        proposedPath(MainWindow::tr("session"), QStringLiteral(".log")));
    if (path.isEmpty())
        return;
    QString error;
    if (!m_recorder->start(path, &error)) {
        QMessageBox::critical(m_window, MainWindow::tr("Recording error"),
                              MainWindow::tr("The session cannot be recorded to %1:").arg(path) +
                                  QLatin1Char('\n') + error,
                              QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    // Frames already on their way belong to no recording.
    m_lastFrameBefore = m_link->lastFrame();
    const QDateTime now = m_environment.sessionClock();
    m_recorder->record(SessionLine::event(now, "recording", QStringLiteral("started")));
    if (const PlayerModel *model = m_model())
        m_recorder->record(SessionLine::event(now, "model", model->name));
    if (!m_recordedLink.isEmpty())
        m_recorder->record(
            SessionLine::event(now, "link", QStringLiteral("connected to ") + m_recordedLink));
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
void SessionRecording::onFailed(const QString &reason)
{
    showState();
    QMessageBox::critical(
        m_window, MainWindow::tr("Recording error"),
        MainWindow::tr("The recording to %1 has stopped:").arg(m_recorder->fileName()) +
            QLatin1Char('\n') + reason,
        QMessageBox::Ok, QMessageBox::NoButton);
}

// The whole store, as it is: replaced in one go, so that a failure leaves any older file intact.
void SessionRecording::saveReceivedData()
{
    const QString path = m_environment.chooseSavePath(
        m_window, MainWindow::tr("Save Received Data"),
        proposedPath(MainWindow::tr("received"), QStringLiteral(".txt")));
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

// Runs at every change of the link; writes only the changes.
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
    if (m_link->state() == DeviceLink::State::Waiting)
        recordLinkEvent(QStringLiteral("waiting for the device to come back"));
}

void SessionRecording::recordModel()
{
    const PlayerModel *model = m_model();
    if (model && m_recorder->isRecording())
        m_recorder->record(SessionLine::event(m_environment.sessionClock(), "model", model->name));
}
