#include "app/mainwindow.h"
#include "app/widgetgroups.h"
#include "catalogue/catalogueaccess.h"
#include "connection/links.h"
#include "connection/linksettings.h"
#include "receive/receivelinks.h"
#include "ui_mainwindow.h"

#include <QMessageBox>
#include <QTcpSocket>
#include <QTimer>

bool MainWindow::connectTcpLink()
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (!model || !model->isTcp())
        return false;
    connectSocket(hostText(ui->spinBox_IP_1->value(), ui->spinBox_IP_2->value(),
                           ui->spinBox_IP_3->value(), ui->spinBox_IP_4->value()),
                  model->tcpPort);
    return true;
}

void MainWindow::connectSocket(const QString &host, quint16 port)
{
    if (tcpSocket->isOpen())
        return;
    tcpDecoder.reset();
    connectTimer->start(connectTimeoutMs);
    tcpSocket->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

// Disconnect stays usable: it cancels the attempt, so that a mistyped address can be mended.
void MainWindow::showConnectingState()
{
    setAllEnabled({ui->frame_Player, ui->frame_Port, ui->frame_Baudrate, ui->frame_Settings,
                   ui->pushButton_Connect},
                  false);
    setSendersEnabled(false);
    ui->pushButton_Disconnect->setEnabled(true);
    ui->label_Connection_Message->show();
}

void MainWindow::onConnectTimeout()
{
    if (tcpSocket->state() == QAbstractSocket::ConnectedState || !tcpSocket->isOpen())
        return;
    endLinkWithError(tr("TCP/IP error"), tcpErrorMessage(connectTimeoutReason()));
}

void MainWindow::onSocketError(QAbstractSocket::SocketError error)
{
    const QString message = tcpErrorMessage(tcpSocket->errorString());
    // The on-demand device closes the connection after each exchange: that is its normal end.
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (error == QAbstractSocket::RemoteHostClosedError && model && model->protocol == 1) {
        disconnectLinks();
        return;
    }
    endLinkWithError(tr("TCP/IP error"), message);
}

void MainWindow::on_pushButton_Disconnect_clicked()
{
    if (waitingForDevice)
        ui->statusBar->clearMessage();
    stopWaitingForDevice();
    disconnectLinks();
}

void MainWindow::onSocketDisconnected()
{
    disconnectLinks();
}

void MainWindow::disconnectLinks()
{
    connectTimer->stop();
    closeSerialPort();
    closeSocket();
    settleSentFrame();
    onSocketConnected();
}

void MainWindow::closeSocket()
{
    if (!tcpSocket->isOpen())
        return;
    tcpSocket->disconnectFromHost();
    tcpSocket->close();
    tcpSocket->abort();
}

// The link is closed before the user is told: a modal box runs its own event loop, in which a
// link still open would fail again and again with the frames it holds. A failure that arrives
// while a box is open only closes its link. With Auto-connection, a link that was up (or is
// being brought back) waits for its device instead of telling.
void MainWindow::endLinkWithError(const QString &title, const QString &message)
{
    recordLinkEvent(QStringLiteral("error: ") + message);
    const bool lost = linkUp() || waitingForDevice;
    tcpSocket->abort();
    disconnectLinks();
    if (lost && autoConnectionApplies()) {
        waitForDevice();
        return;
    }
    if (linkErrorBoxOpen)
        return;
    linkErrorBoxOpen = true;
    QMessageBox::critical(this, title, message, QMessageBox::Ok, QMessageBox::NoButton);
    linkErrorBoxOpen = false;
}
