#include "app/mainwindow.h"
#include "catalogue/catalogueaccess.h"
#include "connection/links.h"
#include "transmission/frames.h"
#include "transmission/sentbytes.h"
#include "ui_mainwindow.h"

#include <QSerialPort>
#include <QTcpSocket>

bool sentBytesInHex = true;

void MainWindow::sendCommand(quint8 code, ByteList data)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    if (!model || (!anyLinkOpen() && !model->isOnDemand()))
        return;
    const quint8 idByte =
        idByteFor(ui->comboBox_ID->currentText(), ui->comboBox_ID->currentIndex() >= 0);
    writeFrame(idByte, code, data);
    showBytesSent(idByte, code, data);
}

void MainWindow::writeFrame(quint8 idByte, quint8 code, const ByteList &data)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    const QByteArray frame = assembleFrame(model->protocol, idByte, code, data);
    if (serialPort->isOpen())
        serialPort->write(frame);
    // The on-demand device closes its connection after each exchange, so a closed socket
    // is opened again; an open one already carries the frame (sent once, never twice).
    if (tcpSocket->isOpen()) {
        tcpSocket->write(frame);
    } else if (model->isOnDemand() && connectTcpLink() && tcpSocket->isOpen()) {
        tcpSocket->write(frame);
        // The socket keeps the frame until it is connected; meanwhile the settings are frozen,
        // as for any open link, so that no second link can be opened beside it.
        onSocketConnected();
    }
}

void MainWindow::showBytesSent(quint8 idByte, quint8 code, const ByteList &data)
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    ui->label_Bytes_Sended->setText(
        frameText(model->protocol, idByte, code, data, ui->radioButton_Sent_Dec->isChecked()));
}

bool MainWindow::findCommandByCategory(int category, quint8 &code, ByteList &data) const
{
    const PlayerModel *model = selectedModel(ui->comboBox_Player);
    const PlayerCommand *command = model ? model->commandOfCategory(category) : nullptr;
    if (!command)
        return false;
    code = command->code;
    data += commandData(*model, *command);
    return true;
}

void MainWindow::on_radioButton_Sent_Hex_clicked()
{
    if (sentBytesInHex)
        return;
    ui->label_Bytes_Sended->setText(convertFrameText(ui->label_Bytes_Sended->text(), false));
    sentBytesInHex = true;
}

void MainWindow::on_radioButton_Sent_Dec_clicked()
{
    if (!sentBytesInHex)
        return;
    ui->label_Bytes_Sended->setText(convertFrameText(ui->label_Bytes_Sended->text(), true));
    sentBytesInHex = false;
}
