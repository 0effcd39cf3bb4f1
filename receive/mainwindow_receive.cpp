#include "app/mainwindow.h"
#include "link/devicelink.h"
#include "receive/receiveddisplay.h"
#include "ui_mainwindow.h"

// Both read slots do the same, each for its kind of link.
void MainWindow::update_TCP_Read_Data()
{
    update_Serial_Read_Data();
}

void MainWindow::update_Serial_Read_Data()
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
    display->showReceived(link->lastReceived(), mode);
}

void MainWindow::on_pushButton_Clear_clicked()
{
    ui->textEdit_Data->clear();
    display->clear();
}
