#include "app/mainwindow.h"
#include "app/widgetgroups.h"
#include "catalogue/catalogueaccess.h"
#include "connection/links.h"
#include "connection/linksettings.h"
#include "receive/receivelinks.h"
#include "ui_mainwindow.h"

#include <QMessageBox>
#include <QTcpSocket>

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
    tcpSocket->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void MainWindow::showConnectingState()
{
    setAllEnabled({ui->frame_Player, ui->frame_Port, ui->frame_Baudrate, ui->frame_Settings,
                   ui->pushButton_Connect, ui->pushButton_Disconnect, ui->frame_Commands},
                  false);
    ui->label_Connection_Message->show();
}

void MainWindow::onSocketError(QAbstractSocket::SocketError error)
{
    // The on-demand device closes the connection after each exchange: that is its normal end.
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (error == QAbstractSocket::RemoteHostClosedError && model && model->protocol == 1) {
        disconnectLinks();
        return;
    }
    QMessageBox::critical(this, tr("TCP/IP error"),
                          tr("An TCP/IP error has occurred!") + QLatin1Char('\n') +
                              tcpSocket->errorString(),
                          QMessageBox::Ok, QMessageBox::NoButton);
    disconnectLinks();
}

void MainWindow::on_pushButton_Disconnect_clicked()
{
    disconnectLinks();
}

void MainWindow::onSocketDisconnected()
{
    disconnectLinks();
}

void MainWindow::disconnectLinks()
{
    closeSerialPort();
    closeSocket();
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
