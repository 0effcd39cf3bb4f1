#include "app/mainwindow.h"
#include "connection/links.h"
#include "receive/receivelinks.h"
#include "ui_mainwindow.h"

#include <QSerialPort>
#include <QTcpSocket>

ReceiveDecoderState serialDecoder;
ReceiveDecoderState tcpDecoder;

void MainWindow::update_Serial_Read_Data()
{
    showReceived(serialPort, serialDecoder);
}

void MainWindow::update_TCP_Read_Data()
{
    showReceived(tcpSocket, tcpDecoder);
}

void MainWindow::showReceived(QIODevice *link, ReceiveDecoderState &decoder)
{
    if (!link->isOpen())
        return;
    const QByteArray chunk = link->readAll();
    if (chunk.isEmpty())
        return;
    recordReceived(chunk);
    ReceiveMode mode;
    if (ui->radioButton_Data_ASCII->isChecked())
        mode = ReceiveMode::Ascii;
    else if (ui->radioButton_Data_Hex->isChecked())
        mode = ReceiveMode::Hexadecimal;
    else if (ui->radioButton_Data_Dec->isChecked())
        mode = ReceiveMode::Decimal;
    else
        return;
    // The view follows the end by itself unless the user has scrolled up to read.
    ui->textEdit_Data->appendText(renderReceivedChunk(chunk, mode, decoder));
}

void MainWindow::on_pushButton_Clear_clicked()
{
    ui->textEdit_Data->clear();
    serialDecoder.reset();
    tcpDecoder.reset();
}
