#include "app/mainwindow.h"
#include "connection/links.h"

#include <QTcpSocket>

void MainWindow::connectLinkSignals()
{
    connect(serialPort, &QSerialPort::readyRead, this, &MainWindow::update_Serial_Read_Data);
    connect(serialPort, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { onSerialPortError(error); });
    connect(tcpSocket, &QTcpSocket::connected, this, &MainWindow::onSocketConnected);
    connect(tcpSocket, &QTcpSocket::readyRead, this, &MainWindow::update_TCP_Read_Data);
    connect(tcpSocket, &QTcpSocket::disconnected, this, &MainWindow::onSocketDisconnected);
    connect(tcpSocket, &QTcpSocket::errorOccurred, this, &MainWindow::onSocketError);
}
