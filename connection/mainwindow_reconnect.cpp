#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "connection/links.h"
#include "connection/linksettings.h"
#include "connection/serialports.h"
#include "ui_mainwindow.h"

#include <QFileInfo>
#include <QTcpSocket>
#include <QTimer>

bool MainWindow::linkUp() const
{
    return serialPort->isOpen() || tcpSocket->state() == QAbstractSocket::ConnectedState;
}

// The on-demand model has no link to open or keep: each command opens its own connection.
bool MainWindow::autoConnectionApplies() const
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    return ui->checkBox_Auto_connection->isChecked() && model && !model->isOnDemand();
}

// A technician at the rack expects the link back once the device is: no box waits for a click
// meanwhile, and the settings stay as they were, for the same link to come back.
void MainWindow::waitForDevice()
{
    waitingForDevice = true;
    recordLinkEvent(QStringLiteral("waiting for the device to come back"));
    reconnectTimer->start(reconnectDelayMs(reconnectAttempt++));
    ui->statusBar->showMessage(
        tr("The link to the player was lost: waiting for it to come back (Disconnect stops "
           "waiting)."));
    onSocketConnected();
}

void MainWindow::stopWaitingForDevice()
{
    waitingForDevice = false;
    reconnectAttempt = 0;
    reconnectTimer->stop();
}

// A TCP/IP try that fails comes back through endLinkWithError, which waits again.
void MainWindow::reopenLostLink()
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (!waitingForDevice || anyLinkOpen() || !model)
        return;
    if (model->isTcp()) {
        connectTcpLink();
        return;
    }
    const QString port = ui->comboBox_Port->currentText();
    const QString reopened =
        reconnectPort(port, portStableName, readStableNames(serialDirectories.stableNames),
                      QFileInfo::exists(serialDevicePath(port)));
    if (!reopened.isEmpty() && openSerialLink(reopened, false)) {
        ui->comboBox_Port->setCurrentText(reopened);
        onSocketConnected();
        return;
    }
    reconnectTimer->start(reconnectDelayMs(reconnectAttempt++));
}
