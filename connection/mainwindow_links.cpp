#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "connection/links.h"
#include "connection/linksettings.h"
#include "connection/serialportlist.h"
#include "receive/receivedview.h"
#include "ui_mainwindow.h"

#include <QFileInfo>
#include <QTcpSocket>
#include <QTimer>

void MainWindow::connectLinkSignals()
{
    connect(serialPort, &QSerialPort::readyRead, this, &MainWindow::update_Serial_Read_Data);
    connect(serialPort, &QSerialPort::errorOccurred, this, &MainWindow::onSerialPortError);
    connect(serialPort, &QSerialPort::bytesWritten, this,
            [this](qint64 bytes) { onLinkBytesWritten(serialPort, bytes); });
    connect(tcpSocket, &QTcpSocket::connected, this, &MainWindow::onSocketConnected);
    connect(tcpSocket, &QTcpSocket::readyRead, this, &MainWindow::update_TCP_Read_Data);
    connect(tcpSocket, &QTcpSocket::disconnected, this, &MainWindow::onSocketDisconnected);
    connect(tcpSocket, &QTcpSocket::errorOccurred, this, &MainWindow::onSocketError);
    connect(tcpSocket, &QTcpSocket::bytesWritten, this,
            [this](qint64 bytes) { onLinkBytesWritten(tcpSocket, bytes); });
    connectTimer = new QTimer(this);
    connectTimer->setSingleShot(true);
    connect(connectTimer, &QTimer::timeout, this, &MainWindow::onConnectTimeout);
    connect(tcpSocket, &QTcpSocket::connected, connectTimer, &QTimer::stop);
    reconnectTimer = new QTimer(this);
    reconnectTimer->setSingleShot(true);
    connect(reconnectTimer, &QTimer::timeout, this, &MainWindow::reopenLostLink);
    connect(portList, &SerialPortList::devicesChanged, this, &MainWindow::reopenLostLink);
    connect(ui->textEdit_Data, &ReceivedDataView::clearRequested, this,
            &MainWindow::on_pushButton_Clear_clicked);
}

// Only the configuration can have checked the box by now; the window is not shown yet. The
// on-demand model has no Connect step (its box is hidden): each command connects for itself.
// A saved serial port that is not plugged in is not replaced by another: nothing opens, and
// the window says why without a box that would stop the start.
void MainWindow::autoConnect()
{
    if (!autoConnectionApplies())
        return;
    const QString port = ui->comboBox_Port->currentText();
    if (!selectedModel(ui->comboBox_Player)->isTcp() &&
        !QFileInfo::exists(serialDevicePath(port))) {
        ui->statusBar->showMessage(
            tr("The saved serial port %1 is not present: not connected.").arg(port));
        return;
    }
    on_pushButton_Connect_clicked();
}
