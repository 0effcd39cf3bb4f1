#include "app/mainwindow.h"
#include "connection/links.h"
#include "receive/receivedview.h"
#include "ui_mainwindow.h"

#include <QTcpSocket>

void MainWindow::connectLinkSignals()
{
    connect(serialPort, &QSerialPort::readyRead, this, &MainWindow::update_Serial_Read_Data);
    connect(serialPort, &QSerialPort::errorOccurred, this, &MainWindow::onSerialPortError);
    connect(tcpSocket, &QTcpSocket::connected, this, &MainWindow::onSocketConnected);
    connect(tcpSocket, &QTcpSocket::readyRead, this, &MainWindow::update_TCP_Read_Data);
    connect(tcpSocket, &QTcpSocket::disconnected, this, &MainWindow::onSocketDisconnected);
    connect(tcpSocket, &QTcpSocket::errorOccurred, this, &MainWindow::onSocketError);
    connect(ui->textEdit_Data, &ReceivedDataView::clearRequested, this,
            &MainWindow::on_pushButton_Clear_clicked);
}
