#include "app/mainwindow.h"
#include "app/widgetgroups.h"
#include "connection/linksettings.h"
#include "link/devicelink.h"
#include "receive/receivedview.h"
#include "sequence/sequencemenu.h"
#include "ui_mainwindow.h"

#include <QFileInfo>
#include <QMessageBox>

namespace {

QString waitingMessage()
{
    return MainWindow::tr("The link to the player was lost: waiting for it to come back "
                          "(Disconnect stops waiting).");
}

} // namespace

void MainWindow::connectLinkSignals()
{
    link->setStableNamesDirectory(environment.serialDirectories.stableNames);
    link->setConnectTimeoutMs(environment.connectTimeoutMs);
    connect(link, &DeviceLink::received, this, [this] {
        if (link->target().kind == LinkTarget::Kind::Serial)
            update_Serial_Read_Data();
        else
            update_TCP_Read_Data();
    });
    connect(link, &DeviceLink::frameSent, this, &MainWindow::showSendState);
    connect(link, &DeviceLink::frameNotSent, this, &MainWindow::showSendState);
    connect(link, &DeviceLink::stateChanged, this, [this](DeviceLink::State state) {
        if (state == DeviceLink::State::Closed)
            onSocketDisconnected();
        else
            onSocketConnected();
    });
    // A modal box runs an event loop of its own: it comes once the link has been closed. A link
    // that waits for its device says so in the status line instead.
    connect(
        link, &DeviceLink::failed, this,
        [this](const QString &, bool waitsForDevice) {
            if (!waitsForDevice)
                onSocketError(QAbstractSocket::UnknownSocketError);
        },
        Qt::QueuedConnection);
    // The on-demand model has no link to keep: each command opens its own connection.
    const auto waitForLostDevice = [this] {
        link->setWaitsForLostDevice(ui->checkBox_Auto_connection->isChecked());
    };
    connect(ui->checkBox_Auto_connection, &QCheckBox::toggled, link, waitForLostDevice);
    waitForLostDevice();
    connect(ui->textEdit_Data, &ReceivedDataView::clearRequested, this,
            &MainWindow::on_pushButton_Clear_clicked);
}

void MainWindow::on_pushButton_Connect_clicked()
{
    if (const PlayerModel *model = selectedModel())
        link->open(controls.linkTarget(*model));
}

// While a connection is pending it is cancelled, so that a mistyped address can be mended; a
// lost link is no longer waited for.
void MainWindow::on_pushButton_Disconnect_clicked()
{
    link->close();
}

// The window as the link is, in one place: the settings stay frozen while a link is open, is
// being opened, or is waited for; only what sends needs a link.
void MainWindow::onSocketConnected()
{
    const DeviceLink::State state = link->state();
    const bool perFrame = link->target().perFrame;
    ui->label_Connection_Message->setVisible(state == DeviceLink::State::Connecting && !perFrame);
    if (state == DeviceLink::State::Waiting)
        ui->statusBar->showMessage(waitingMessage());
    else if (state == DeviceLink::State::Open)
        ui->statusBar->clearMessage();
    if (state != DeviceLink::State::Closed) {
        setAllEnabled({ui->frame_Player, ui->frame_Port, ui->frame_Baudrate, ui->frame_Settings,
                       ui->pushButton_Connect},
                      false);
        ui->pushButton_Disconnect->setEnabled(true);
        controls.setSendersEnabled(state == DeviceLink::State::Open ||
                                   (state == DeviceLink::State::Connecting && perFrame));
        // A serial adapter found again under another name: the field shows where it is now.
        if (state == DeviceLink::State::Open && link->target().kind == LinkTarget::Kind::Serial)
            ui->comboBox_Port->setCurrentText(link->target().port);
        return;
    }
    ui->frame_Player->setEnabled(ui->comboBox_Player->count() > 0);
    ui->frame_Port->setEnabled(true);
    ui->frame_Baudrate->setEnabled(ui->comboBox_Baudrate->count() > 0);
    ui->frame_Settings->setEnabled(true);
    const PlayerModel *model = selectedModel();
    const bool onDemand = model && model->isOnDemand();
    ui->pushButton_Connect->setEnabled(!onDemand);
    ui->pushButton_Disconnect->setEnabled(false);
    explainLinkButtons();
    controls.setSendersEnabled(onDemand);
}

// The on-demand model's Connect is always greyed, its Disconnect but while a command connects: a
// user would otherwise look for what keeps them from connecting.
void MainWindow::explainLinkButtons()
{
    const PlayerModel *model = selectedModel();
    const QString why = model && model->isOnDemand() ? onDemandLinkNote() : QString();
    ui->pushButton_Connect->setToolTip(why);
    ui->pushButton_Disconnect->setToolTip(why);
}

void MainWindow::onSocketDisconnected()
{
    if (ui->statusBar->currentMessage() == waitingMessage())
        ui->statusBar->clearMessage();
    onSocketConnected();
}

// The link has failed and is closed. A failure that comes while a box is open adds none.
void MainWindow::onSocketError(QAbstractSocket::SocketError)
{
    if (linkErrorBoxOpen)
        return;
    linkErrorBoxOpen = true;
    const QString sequenceNote = sequences->takeLinkStopNote();
    QMessageBox::critical(this,
                          link->target().kind == LinkTarget::Kind::Serial ? tr("Serial port error")
                                                                          : tr("TCP/IP error"),
                          link->errorMessage() + (sequenceNote.isEmpty()
                                                      ? QString()
                                                      : QLatin1String("\n\n") + sequenceNote),
                          QMessageBox::Ok, QMessageBox::NoButton);
    linkErrorBoxOpen = false;
}

// Only the configuration can have checked the box by now; the window is not shown yet. The
// on-demand model has no Connect step (its box is hidden): each command connects for itself.
// A saved serial port that is not plugged in is not replaced by another: nothing opens, and
// the window says why without a box that would stop the start.
void MainWindow::autoConnect()
{
    const PlayerModel *model = selectedModel();
    if (!ui->checkBox_Auto_connection->isChecked() || !model || model->isOnDemand())
        return;
    const QString port = ui->comboBox_Port->currentText();
    if (!model->isTcp() && !QFileInfo::exists(serialDevicePath(port))) {
        ui->statusBar->showMessage(
            tr("The saved serial port %1 is not present: not connected.").arg(port));
        return;
    }
    on_pushButton_Connect_clicked();
}
