#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "config/configurationfile.h"
#include "connection/links.h"
#include "connection/linksettings.h"
#include "receive/receivedview.h"
#include "recording/recordingseams.h"
#include "recording/sessionlines.h"
#include "recording/sessionrecorder.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTcpSocket>

namespace {

QString askSavePath(QWidget *parent, const QString &title, const QString &proposedPath)
{
    return QFileDialog::getSaveFileName(parent, title, proposedPath);
}

SavePathChooser savePathChooser = askSavePath;
SessionClock sessionClock = QDateTime::currentDateTime;

// In the documents directory, named after the model and the moment; characters that file
// systems refuse (the model names hold slashes) become dashes.
QString proposedPath(const QComboBox *players, const QString &what, const QString &suffix)
{
    const PlayerModel *model = selectedModel(players);
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

} // namespace

void setSavePathChooser(SavePathChooser chooser)
{
    savePathChooser = chooser;
}

void setSessionClock(SessionClock clock)
{
    sessionClock = clock;
}

void MainWindow::createRecorder()
{
    recorder = new SessionRecorder(this);
    recordingLabel = new QLabel(this);
    recordingLabel->setObjectName(QStringLiteral("label_Recording"));
    ui->statusBar->addPermanentWidget(recordingLabel);
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
    const QString path =
        savePathChooser(this, tr("Record Session"),
                        proposedPath(ui->comboBox_Player, tr("session"), QStringLiteral(".log")));
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
    for (FrameInFlight &frame : framesInFlight)
        frame.toRecord = false;
    const QDateTime now = sessionClock();
    record(SessionLine::event(now, "recording", QStringLiteral("started")));
    if (const PlayerModel *model = selectedModel(ui->comboBox_Player))
        record(SessionLine::event(now, "model", model->name));
    if (!recordedLink.isEmpty())
        record(SessionLine::event(now, "link", QStringLiteral("connected to ") + recordedLink));
    showRecordingState();
}

void MainWindow::stopRecording()
{
    record(SessionLine::event(sessionClock(), "recording", QStringLiteral("stopped")));
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
    const QString path =
        savePathChooser(this, tr("Save Received Data"),
                        proposedPath(ui->comboBox_Player, tr("received"), QStringLiteral(".txt")));
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

void MainWindow::recordFrame(const QByteArray &frame, const QString &name, bool sent)
{
    if (recorder->isRecording())
        record(sent ? SessionLine::sent(sessionClock(), frame, name)
                    : SessionLine::notSent(sessionClock(), frame, name));
}

void MainWindow::recordReceived(const QByteArray &chunk)
{
    if (recorder->isRecording())
        record(SessionLine::received(sessionClock(), chunk));
}

void MainWindow::recordLinkEvent(const QString &event)
{
    if (recorder && recorder->isRecording())
        record(SessionLine::event(sessionClock(), "link", event));
}

// Called whenever the link may have changed; writes only the changes.
void MainWindow::recordLinkState()
{
    const QString link = linkUp() ? linkDescription() : QString();
    if (link == recordedLink)
        return;
    if (!recordedLink.isEmpty())
        recordLinkEvent(QStringLiteral("disconnected from ") + recordedLink);
    if (!link.isEmpty())
        recordLinkEvent(QStringLiteral("connected to ") + link);
    recordedLink = link;
}

void MainWindow::recordModel()
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (model && recorder->isRecording())
        record(SessionLine::event(sessionClock(), "model", model->name));
}

QString MainWindow::linkDescription() const
{
    if (serialPort->isOpen())
        return QStringLiteral("serial port %1 at %2 bit/s")
            .arg(serialDevicePath(ui->comboBox_Port->currentText()))
            .arg(serialPort->baudRate());
    return QStringLiteral("%1 port %2").arg(tcpSocket->peerName()).arg(tcpSocket->peerPort());
}
