#include "app/mainwindow.h"
#include "link/devicelink.h"
#include "ui_mainwindow.h"

void MainWindow::update_Serial_Read_Data()
{
    showReceived(link->lastReceived());
}

void MainWindow::update_TCP_Read_Data()
{
    showReceived(link->lastReceived());
}

void MainWindow::showReceived(const QByteArray &chunk)
{
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
    ui->textEdit_Data->appendText(renderReceivedChunk(chunk, mode, link->decoder()));
}

void MainWindow::on_pushButton_Clear_clicked()
{
    ui->textEdit_Data->clear();
    link->decoder().reset();
}
