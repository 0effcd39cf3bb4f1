#include "app/mainwindow.h"
#include "transmission/controlframe.h"
#include "ui_mainwindow.h"

void MainWindow::on_pushButton_Request_clicked()
{
    sendControl(entryControl(ControlKind::Request, ui->comboBox_Request->currentText()));
}

void MainWindow::on_pushButton_Other_Command_clicked()
{
    Control control =
        entryControl(ControlKind::OtherCommand, ui->comboBox_Other_Command->currentText());
    control.clock = environment.clock();
    sendControl(control);
}
