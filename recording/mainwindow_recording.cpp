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
QString MainWindow::proposedPath(const QString &what, const QString &suffix) const
{
    const PlayerModel *model = selectedModel();
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

void MainWindow::createRecorder()
{
    recorder = new SessionRecorder(this);
    recordingLabel = new QLabel(this);
    recordingLabel->setObjectName(QStringLiteral("label_Recording"));
    ui->statusBar->addPermanentWidget(recordingLabel);
    connect(link, &DeviceLink::failed, this, [this](const QString &message) {
        recordLinkEvent(QStringLiteral("error: ") + message);
    });
    connect(link, &DeviceLink::frameSent, this,
            [this](int frame, const QByteArray &bytes, const QString &name) {
                recordFrame(frame, bytes, name, true);
            });
    connect(link, &DeviceLink::frameNotSent, this,
            [this](int frame, const QByteArray &bytes, const QString &name) {
                recordFrame(frame, bytes, name, false);
            });
    connect(link, &DeviceLink::stateChanged, this, &MainWindow::recordLinkState);
    connect(link, &DeviceLink::received, this, [this](const QByteArray &chunk) {
        if (recorder->isRecording())
            record(SessionLine::received(environment.sessionClock(), chunk));
    });
    connect(recorder, &SessionRecorder::progressed, this, &MainWindow::showRecordingState);
    connect(recorder, &SessionRecorder::stopped, this, &MainWindow::showRecordingState);
    connect(recorder, &SessionRecorder::failed, this, &MainWindow::onRecordingFailed);
    connect(ui->action_Record_Session, &QAction::triggered, this, &MainWindow::startRecording);
    connect(ui->action_Stop_Recording, &QAction::triggered, this, &MainWindow::stopRecording);
    connect(ui->action_Save_Received_Data, &QAction::triggered, this,
            &MainWindow::saveReceivedData);
    showRecordingState();
}

// The file opens in append mode: a session recorded in several goes stays in one file.
void MainWindow::startRecording()
{
    const QString path = environment.chooseSavePath(
        this, tr("Record Session"), proposedPath(tr("session"), QStringLiteral(".log")));
    if (path.isEmpty())
        return;
    QString error;
    if (!recorder->start(path, &error)) {
        QMessageBox::critical(this, tr("Recording error"),
                              tr("The session cannot be recorded to %1:").arg(path) +
                                  QLatin1Char('\n') + error,
                              QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    // Frames already on their way belong to no recording.
    lastFrameBeforeRecording = link->lastFrame();
    const QDateTime now = environment.sessionClock();
    record(SessionLine::event(now, "recording", QStringLiteral("started")));
    if (const PlayerModel *model = selectedModel())
        record(SessionLine::event(now, "model", model->name));
    if (!recordedLink.isEmpty())
        record(SessionLine::event(now, "link", QStringLiteral("connected to ") + recordedLink));
    showRecordingState();
}

void MainWindow::stopRecording()
{
    record(SessionLine::event(environment.sessionClock(), "recording", QStringLiteral("stopped")));
    recorder->stop();
}

void MainWindow::showRecordingState()
{
    const bool recording = recorder->isRecording();
    ui->action_Record_Session->setEnabled(!recording);
    ui->action_Stop_Recording->setEnabled(recording);
    recordingLabel->setVisible(recording);
    recordingLabel->setText(tr("Recording to %1: %2")
                                .arg(QFileInfo(recorder->fileName()).fileName(),
                                     locale().formattedDataSize(recorder->bytesRecorded())));
    recordingLabel->setToolTip(recorder->fileName());
}

// The console goes on without the recording: one box says why it stopped.
void MainWindow::onRecordingFailed(const QString &reason)
{
    showRecordingState();
    QMessageBox::critical(this, tr("Recording error"),
                          tr("The recording to %1 has stopped:").arg(recorder->fileName()) +
                              QLatin1Char('\n') + reason,
                          QMessageBox::Ok, QMessageBox::NoButton);
}

// The whole store, as it is: replaced in one go, so that a failure leaves any older file intact.
void MainWindow::saveReceivedData()
{
    const QString path = environment.chooseSavePath(
        this, tr("Save Received Data"), proposedPath(tr("received"), QStringLiteral(".txt")));
    if (path.isEmpty())
        return;
    if (!writeConfigurationFile(path, ui->textEdit_Data->text().toUtf8())) {
        QMessageBox::critical(this, tr("Save error"),
                              tr("The received data could not be saved to %1.").arg(path),
                              QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    ui->statusBar->showMessage(tr("Received data saved to %1").arg(path));
}

void MainWindow::record(const QByteArray &line)
{
    recorder->record(line);
}

void MainWindow::recordFrame(int frame, const QByteArray &bytes, const QString &name, bool sent)
{
    if (!recorder->isRecording() || frame <= lastFrameBeforeRecording)
        return;
    const QDateTime now = environment.sessionClock();
    record(sent ? SessionLine::sent(now, bytes, name) : SessionLine::notSent(now, bytes, name));
}

void MainWindow::recordLinkEvent(const QString &event)
{
    if (recorder && recorder->isRecording())
        record(SessionLine::event(environment.sessionClock(), "link", event));
}

// Runs at every change of the link; writes only the changes.
void MainWindow::recordLinkState()
{
    const QString described = link->description();
    if (described != recordedLink) {
        if (!recordedLink.isEmpty())
            recordLinkEvent(QStringLiteral("disconnected from ") + recordedLink);
        if (!described.isEmpty())
            recordLinkEvent(QStringLiteral("connected to ") + described);
        recordedLink = described;
    }
    if (link->state() == DeviceLink::State::Waiting)
        recordLinkEvent(QStringLiteral("waiting for the device to come back"));
}

void MainWindow::recordModel()
{
    const PlayerModel *model = selectedModel();
    if (model && recorder->isRecording())
        record(SessionLine::event(environment.sessionClock(), "model", model->name));
}
