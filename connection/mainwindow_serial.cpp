#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "connection/links.h"
#include "connection/linksettings.h"
#include "connection/serialports.h"
#include "receive/receivelinks.h"
#include "ui_mainwindow.h"

#include <QMessageBox>
#include <QSerialPort>
#include <QTcpSocket>

void MainWindow::on_pushButton_Connect_clicked()
{
    const QString port = ui->comboBox_Port->currentText();
    if (openSerialLink(port, true)) {
        portStableName =
            stableNameOf(serialDevicePath(port), readStableNames(serialDirectories.stableNames));
        onSocketConnected();
    }
    // An address that fails at once (broadcast, unreachable network) is reported from inside
    // connectToHost and leaves the socket closed: nothing is pending then.
    else if (connectTcpLink() && tcpSocket->isOpen())
        showConnectingState();
}

bool MainWindow::openSerialLink(const QString &portName, bool reportFailure)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (!model || model->isTcp())
        return false;
    const int entry = ui->comboBox_Baudrate->currentIndex();
    if (entry < 0 || entry >= model->baudRates.size())
        return false;
    return openSerialPort(acceptedBaudRate(model->baudRates.at(entry)), portName, reportFailure);
}

bool MainWindow::openSerialPort(int baud, const QString &portName, bool reportFailure)
{
    if (serialPort->isOpen() || baud == QSerialPort::UnknownBaud)
        return false;
    // An empty name would stand for the device directory itself.
    if (portName.isEmpty()) {
        if (reportFailure)
            showSerialError(serialErrorMessage(QSerialPort::DeviceNotFoundError));
        return false;
    }
    serialPort->setPortName(portName);
    serialPort->setBaudRate(baud, QSerialPort::AllDirections);
    serialPort->setDataBits(QSerialPort::Data8);
    serialPort->setParity(QSerialPort::NoParity);
    serialPort->setStopBits(QSerialPort::OneStop);
    serialPort->setFlowControl(QSerialPort::NoFlowControl);
    if (serialPort->open(QIODevice::ReadWrite)) {
        serialDecoder.reset();
        return true;
    }
    if (reportFailure)
        showSerialError(serialErrorMessage(serialPort->error()));
    return false;
}

void MainWindow::showSerialError(const QString &message)
{
    recordLinkEvent(QStringLiteral("error: ") + message);
    QMessageBox::critical(this, tr("Serial port error"), message, QMessageBox::Ok,
                          QMessageBox::NoButton);
}

void MainWindow::closeSerialPort()
{
    if (serialPort->isOpen())
        serialPort->close();
}

// A removed adapter reports a resource error; a pseudo-terminal whose other side went away
// reports a read error on every pass of the event loop; a write that fails leaves the line in
// doubt. Each ends the link: it is closed before the box, so the box is shown once.
void MainWindow::onSerialPortError(QSerialPort::SerialPortError error)
{
    if (!serialPort->isOpen() ||
        (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
         error != QSerialPort::WriteError))
        return;
    endLinkWithError(tr("Serial port error"), serialErrorMessage(error));
}
